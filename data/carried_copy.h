// The gift-code data file that the program carries, embedded at build time.
#pragma once

#include "text/byte_text.h"

namespace cdk {

// The whole data file, byte for byte (GBK, CR LF, no zero byte).
ByteView CarriedCopy();

}  // namespace cdk
