// Taking the bytes between two markers out of a byte text.
#pragma once

#include "text/byte_text.h"

namespace cdk {

// The bytes between the first occurrence of `left` and the first occurrence
// of `right` after it, both found with FindText ignoring ASCII case; the
// result is the text's own bytes. The part after `left` is searched as a text
// of its own, so character stepping restarts at its first byte. Every miss
// (an empty marker, a marker that does not occur, markers side by side) is
// the empty text.
Text ExtractBetween(TextView text, TextView left, TextView right);

}  // namespace cdk
