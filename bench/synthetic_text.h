// A GBK text shaped like the gift-code file, for benchmarking when no
// stand-in file is built.
#pragma once

#include <cstddef>
#include <string>

namespace cdk::bench {

// `size` bytes: six tables of JavaScript object rows, CR LF lines, GBK
// descriptions. The batch row "AKGUD0" and its package row are in it.
std::string SyntheticGiftCodeText(size_t size);

}  // namespace cdk::bench
