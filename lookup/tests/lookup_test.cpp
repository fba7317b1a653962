#include "lookup/lookup.h"

#include <gtest/gtest.h>

namespace cdk {
namespace {

// A database text in the data file's layout, cut down to the rows that show
// how the unanchored, first-match searches behave.
constexpr TextView kDatabase =
    "var MP_CDKEYID_INFO=\r\n{\r\n"
    "\t\"091370\":{mpid:\"MP200904020003_jjgq\",servicecode:\"CFCLUB\"},\r\n"
    "\t\"03AFA0\":{mpid:\"MP200906170006_vip\",servicecode:\"CFCLUB\"},\r\n"
    "\t\"095190\":{mpid:\"MP200909170003_bcls30\",servicecode:\"DNFHZ\"},\r\n"
    "\t\"095191\":{mpid:\"MP200909170003_bcls31\",servicecode:\"DNFHZ\"},\r\n"
    "\t\"109PK0\":{mpid:\"MA20101201164624921\",servicecode:\"DNFHZ\"},\r\n"
    "\t\"BOTH10\":{mpid:\"MA20100426144252325\",servicecode:\"DNFHZ\"},\r\n"
    "\t\"AKGUD0\":{mpid:\"MA20130427115620141\",servicecode:\"DNFHZ\"}\r\n"
    "}\r\n"
    "var MP_MPID_INFO=\r\n{\r\n"
    "\t\"MP200904020003_jjgq\":{desc:\"jjgq name\",mainmpid:\"MP200904020003\"},\r\n"
    "\t\"MP200906170006_vip\":{desc:\"vip name\",mainmpid:\"MP200906170006\"},\r\n"
    "\t\"MP200909170003_bcls30\":{desc:\"bcls\tTAB, comma\",mainmpid:\"MP200909170003\"},\r\n"
    "\t\"MA20100426144252325\":{desc:\"package of both\",mainmpid:\"MA20100426144252325\"},\r\n"
    "\t\"MA20130427115620141\":{desc:\"\xA1\xBEQT\xA1\xBF akgud\",mainmpid:\"MA20130427115620141\"}\r\n"
    "}\r\n"
    "var MP_ACT_INFO=\r\n{\r\n"
    "\t\"MA20100426144252325\":{desc:\"activity of both\",game:\"1109\"}\r\n"
    "}";

struct Row {
  TextView code, package_id, item_name;
};

TEST(LookupItemName, SelectsTheBatchByItsFirstFiveBytes) {
  const Row rows[] = {
      {"AKGUD", "MA20130427115620141", "\xA1\xBEQT\xA1\xBF akgud"},
      {"akgud", "MA20130427115620141", "\xA1\xBEQT\xA1\xBF akgud"},  // either case
      {"aKgUdXYZ123", "MA20130427115620141", "\xA1\xBEQT\xA1\xBF akgud"},  // the rest is ignored
      {"095191", "MP200909170003_bcls30", "bcls\tTAB, comma"},  // always the key ending in 0
      {"", "MP200904020003_jjgq", "jjgq name"},                 // the first key ending in 0
      {"7", "MP200904020003_jjgq", "jjgq name"},                // matches a key's tail
      {"A", "MP200906170006_vip", "vip name"},
      {"KGUD", "MA20130427115620141", "\xA1\xBEQT\xA1\xBF akgud"},
      {"AKG", "", ""},
      {"ZZZZZ", "", ""},
      {" AKGU", "", ""},
      {"\xB0\xA1\xB0\xA1\xB0\xA1", "", ""},    // Chinese: the fifth byte is a lone lead byte
      {"109PK", "MA20101201164624921", ""},    // a package without a row
      {"BOTH1", "MA20100426144252325", "package of both"},  // the package row comes first
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string("code '") + std::string(row.code) + "'");
    LookupResult r = LookupItemName(kDatabase, row.code);
    EXPECT_EQ(r.first_key, ConcatText({TextLeft(row.code, 5), "0\":{mpid:\""}));
    EXPECT_EQ(r.package_id, row.package_id);
    EXPECT_EQ(r.item_name, row.item_name);
  }
}

TEST(LookupItemName, FirstKeyKeepsTheCodeAsTyped) {
  EXPECT_EQ(FirstKey("aKgUdXYZ"), "aKgUd0\":{mpid:\"");
  EXPECT_EQ(FirstKey(""), "0\":{mpid:\"");
  EXPECT_EQ(FirstKey("abcd\xB0\xA1"), "abcd\xB0" "0\":{mpid:\"");
}

TEST(LookupItemName, EmptyDatabaseAnswersNothing) {
  LookupResult r = LookupItemName("", "AKGUD");
  EXPECT_EQ(r.first_key, "AKGUD0\":{mpid:\"");
  EXPECT_EQ(r.package_id, "");
  EXPECT_EQ(r.item_name, "");
}

TEST(LookupItemName, ItemNameNeedsQuoteAndComma) {
  // A desc closed by a quote that no comma follows runs on to the next '",'.
  constexpr TextView db = "\"K00000\":{mpid:\"P\"}\"P\":{desc:\"a\"b\",x";
  EXPECT_EQ(LookupItemName(db, "K0000").item_name, "a\"b");
  EXPECT_EQ(FindItemName(db, ""), "");
}

}  // namespace
}  // namespace cdk
