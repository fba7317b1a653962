// The search behind FindText, kept apart so that it can be tuned on its own.
//
// It finds the first position, counted from the first byte of `text`, that
// starts a character by the double-byte rule and where the needle matches.
// A vector prefilter looks for two or three bytes of the needle at once; each
// candidate is checked in full and dropped when it falls on the second byte of
// a double-byte character. Results are those of the plain loop on every input.
#pragma once

#include <string_view>

#include "text/byte_text.h"

namespace cdk {

// FindText from the first byte of `text`: 1-based position or -1. Copies and
// allocates nothing. Runs on the best path this CPU offers.
int32_t FindTextInPlace(TextView text, TextView needle, bool ignore_case);

// The ways the search can run. Every path gives the same results.
enum class FindTextPath {
  kScalar,  // portable, any CPU
  kSse2,    // 16 bytes at a time (x86 and x86-64)
  kAvx2,    // 32 bytes at a time (x86 and x86-64, when the CPU and OS allow it)
};

// Whether this build and this CPU can run `path`.
bool FindTextPathAvailable(FindTextPath path);
// The path FindTextInPlace takes here: the widest available one.
FindTextPath ChosenFindTextPath();
// "scalar", "sse2" or "avx2".
std::string_view FindTextPathName(FindTextPath path);
std::string_view FindTextPathName();  // of ChosenFindTextPath()

// FindTextInPlace on a given path (for tests and benchmarks); a path that is
// not available here runs as kScalar.
int32_t FindTextInPlace(TextView text, TextView needle, bool ignore_case, FindTextPath path);

}  // namespace cdk
