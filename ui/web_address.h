// The maker's web page: shown in the status bar and opened when the main
// window is destroyed. Set at build time with the CMake cache variable
// CDK_WEB_ADDRESS.
#pragma once

#include "text/byte_text.h"

#ifndef CDK_WEB_ADDRESS
#error "CDK_WEB_ADDRESS must be defined by the build"
#endif

namespace cdk::ui {

inline constexpr TextView kWebAddress = CDK_WEB_ADDRESS;

}  // namespace cdk::ui
