// ExtractBetween against a reference that takes the same steps with the plain
// search loop and plain byte cuts, on any text and markers.
//
// Input: text \0 left marker \0 right marker.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "text/extract.h"
#include "text/tests/reference_find.h"

namespace {

using cdk::testing::ReferenceFindText;

// Empty left marker: empty. Find the left marker ignoring case; missing:
// empty. The remainder is the last L - p - M + 1 bytes, everything after the
// marker. Empty right marker: empty. Find the right marker in the remainder
// as a text of its own; missing: empty. The result is the remainder's first
// q - 1 bytes.
std::string ReferenceExtractBetween(std::string_view text, std::string_view left,
                                    std::string_view right) {
  if (left.empty()) return {};
  int64_t p = ReferenceFindText(text, left, true);
  if (p == -1) return {};
  int64_t keep = static_cast<int64_t>(text.size()) - p - static_cast<int64_t>(left.size()) + 1;
  std::string remainder = keep > 0 ? std::string(text.substr(text.size() - keep)) : std::string();
  if (right.empty()) return {};
  int64_t q = ReferenceFindText(remainder, right, true);
  if (q == -1) return {};
  return remainder.substr(0, static_cast<size_t>(q - 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto parts = cdk::fuzz::SplitTexts(data, size, 3);
  const std::string_view text = parts[0].view();
  const std::string_view left = parts[1].view();
  const std::string_view right = parts[2].view();
  const std::string got = cdk::ExtractBetween(text, left, right);
  const std::string want = ReferenceExtractBetween(text, left, right);
  if (got != want) {
    using cdk::fuzz::Hex;
    cdk::fuzz::Fail("ExtractBetween", "text  " + Hex(text) + "\nleft  " + Hex(left) +
                                          "\nright " + Hex(right) + "\ngot   " + Hex(got) +
                                          "\nwant  " + Hex(want));
  }
  return 0;
}
