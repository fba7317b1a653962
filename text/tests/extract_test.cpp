#include "text/extract.h"

#include <gtest/gtest.h>

namespace cdk {
namespace {

TEST(ExtractBetween, Cases) {
  struct Row {
    TextView text, left, right, expected;
  } rows[] = {
      {"idABCend", "ID", "END", "ABC"},  // markers match in either case; the text keeps its own
      {"x1y2", "", "2", ""},             // empty left marker
      {"x1y2", "1", "", ""},             // empty right marker
      {"x1y2", "3", "2", ""},            // left marker missing
      {"2x1y", "1", "2", ""},            // right marker only before the left one
      {"1x1y2", "1", "2", "x1y"},        // only the first left marker counts
      {"1a21b2", "1", "2", "a"},         // only the first pair
      {"12", "1", "2", ""},              // markers side by side
      {"x1", "1", "2", ""},              // the left marker ends the text
      {"", "1", "2", ""},
      {"k\xB0\x22v\"", "k", "\"", "\xB0\x22v"},  // 0x22 as a second byte is not a quote
      // The remainder is searched as a text of its own: after "k\xB0" the
      // stepping restarts at 0x22, so the quote is found at once.
      {"k\xB0\x22v\"", "k\xB0", "\"", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.text) + " | " + std::string(row.left) + " | " +
                 std::string(row.right));
    EXPECT_EQ(ExtractBetween(row.text, row.left, row.right), row.expected);
  }
}

}  // namespace
}  // namespace cdk
