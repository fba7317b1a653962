// Conversions between GBK byte texts (code page 936) and UTF-16 where the
// program meets the Unicode window system. Everything inside the program
// stays GBK, whatever the system's ANSI code page is.
#pragma once

#include <string>
#include <string_view>

#include "text/byte_text.h"

namespace cdk::ui {

inline constexpr unsigned kGbkCodePage = 936;

std::wstring GbkToWide(TextView text);

// Characters that GBK cannot hold become '?'.
Text WideToGbk(std::wstring_view wide);

}  // namespace cdk::ui
