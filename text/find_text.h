// The search behind FindText, kept apart so that it can be tuned on its own.
#pragma once

#include "text/byte_text.h"

namespace cdk {

// FindText from the first byte of `text`: 1-based position or -1. Copies and
// allocates nothing.
int32_t FindTextInPlace(TextView text, TextView needle, bool ignore_case);

}  // namespace cdk
