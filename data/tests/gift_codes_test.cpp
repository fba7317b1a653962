// The data file the program carries: its format, its references and the
// answers the lookup gives from it. The same checks hold for the operator's
// file when a build embeds that instead.
#include <gtest/gtest.h>

#include "data/carried_copy.h"
#include "lookup/lookup.h"
#include "tools/standin/data_file_check.h"
#include "tools/standin/known_rows.h"
#include "tools/standin/telling_rows.h"

namespace cdk {
namespace {

using datafile::ParsedFile;

TextView Carried() {
  const ByteView bytes = CarriedCopy();
  return TextView(bytes.data(), bytes.size());
}

const ParsedFile& Parsed() {
  static const ParsedFile file = datafile::ParseDataFile(Carried());
  return file;
}

TEST(GiftCodesTest, KeepsTheFormat) {
  for (const std::string& problem : Parsed().problems) ADD_FAILURE() << problem;
  ASSERT_EQ(Parsed().tables.size(), 6u);
  EXPECT_EQ(Carried().back(), '}');
  EXPECT_EQ(Carried().substr(0, 22), "var MP_CDKEYID_INFO=\r\n");
}

#ifdef CDK_CARRIES_KNOWN_ROWS
TEST(GiftCodesTest, HoldsExactlyTheRowsWeKnow) {
  // data/gift_codes.js is written by `make_standin --known-rows`; this fails
  // when one is changed without the other.
  EXPECT_TRUE(standin::WriteDataFile(standin::KnownRows()) == Carried());
}
#endif

TEST(GiftCodesTest, ResolvesEveryReferenceButTheFourBatches) {
  std::vector<std::string> unresolved;
  for (const auto& u : datafile::UnresolvedReferences(Parsed()))
    unresolved.push_back(u.table + " " + u.key + " " + u.field + " " + u.value);
  std::vector<std::string> expected;
  for (const auto& b : standin::UnresolvedBatches()) expected.push_back("MP_CDKEYID_INFO " + b.key + " mpid " + b.mpid);
  EXPECT_EQ(unresolved, expected);
}

TEST(GiftCodesTest, HoldsTheQuotedRowsWhereTheyStand) {
  const ParsedFile& f = Parsed();
  ASSERT_EQ(f.tables.size(), 6u);
  auto first = [&](const char* table) { return datafile::EntryText(Carried(), f.Get(table).entries.front()); };
  EXPECT_EQ(first("MP_CDKEYID_INFO"), standin::kFirstBatch);
  EXPECT_EQ(datafile::EntryText(Carried(), f.Get("MP_CDKEYID_INFO").entries.back()), standin::kLastBatch);
  EXPECT_EQ(first("MP_MPID_INFO"), standin::kFirstPackage);
  EXPECT_EQ(first("MP_ACT_INFO"), standin::kFirstActivity);
  EXPECT_EQ(first("MP_GIFT_INFO"), standin::kFirstGoodsSet);
  EXPECT_EQ(first("MP_ITEM_INFO"), standin::kFirstItem);
  for (std::string_view row : {standin::kSuffixedPackage, standin::kThreeItemSet, standin::kGameCf})
    EXPECT_NE(Carried().find("\r\n\t" + std::string(row)), TextView::npos) << row;
}

TEST(GiftCodesTest, GivesTheKnownAnswers) {
  for (const auto& answer : standin::KnownAnswers()) {
    SCOPED_TRACE("code \"" + answer.code + "\"");
    const LookupResult r = LookupItemName(Carried(), answer.code);
    EXPECT_EQ(r.first_key, TextLeft(answer.code, 5) + "0\":{mpid:\"");
    EXPECT_EQ(r.package_id, answer.package_id);
    EXPECT_EQ(r.item_name, answer.item_name);
  }
}

TEST(GiftCodesTest, FindsEveryBatchAndPackageRow) {
  for (const std::string& row : datafile::MisplacedFirstMatches(Carried(), Parsed())) ADD_FAILURE() << row;
  const datafile::BatchLookups r = datafile::LookUpEveryBatch(Carried(), Parsed());
  EXPECT_EQ(r.own_package, r.looked_up);
  EXPECT_EQ(r.without_item_name, 4);
  for (const std::string& problem : r.problems) ADD_FAILURE() << problem;
  const datafile::Figures f = datafile::MeasureFigures(Carried(), Parsed());
  EXPECT_EQ(f.mpid_markers_outside_batches, 0);
  EXPECT_EQ(f.others_with_0_sibling, f.keys_ending_otherwise);
}

// The checker itself: each broken copy of the carried file must be caught.
TEST(GiftCodesTest, CheckerCatchesBrokenFiles) {
  const std::string good(Carried());
  auto replace = [&](std::string_view from, std::string_view to) {
    std::string s = good;
    const size_t at = s.find(from);
    return at == std::string::npos ? std::string() : s.replace(at, from.size(), to);
  };
  struct Case {
    const char* fault;
    std::string bytes;
  };
  const Case cases[] = {
      {"line end after the last brace", good + "\r\n"},
      {"byte-order mark", "\xEF\xBB\xBF" + good},
      {"LF alone", replace("{\r\n", "{\n")},
      {"comma after a table's last entry", replace("}\r\n}\r\nvar MP_MPID_INFO", "},\r\n}\r\nvar MP_MPID_INFO")},
      {"missing comma", replace("\"},\r\n", "\"}\r\n")},
      {"blank outside a string", replace(":{mpid:", ": {mpid:")},
      {"semicolon after a table", replace("}\r\nvar MP_MPID_INFO", "};\r\nvar MP_MPID_INFO")},
      {"zero byte", replace("M4A1-B(", std::string("M4A1-B\0(", 8))},
      {"backslash", replace("M4A1-B(", "M4A1-B\\(")},
      {"tables out of order", replace("var MP_ACT_INFO", "var MP_GIFT_INFO")},
      {"mpid not the first field", replace("{mpid:\"MP200904020003_jjgq\",servicecode:\"CFCLUB\"}",
                                           "{servicecode:\"CFCLUB\",mpid:\"MP200904020003_jjgq\"}")},
      {"key with the letter O", replace("\"AKGUD0\"", "\"AKGOD0\"")},
      {"key repeated in another case", replace("\"MP200906170006_vip\":{desc:", "\"MP200904020003_JJGQ\":{desc:")},
      {"lone GBK lead byte", replace("M4A1-B(7", "M4A1-B(\xB0")},
      {"blank line", replace("{\r\n", "{\r\n\r\n")},
      {"TAB before the colon", replace("\"091370\":", "\"091370\"\t:")},
  };
  for (const Case& c : cases) {
    ASSERT_FALSE(c.bytes.empty()) << c.fault << ": the fixture no longer applies";
    EXPECT_FALSE(datafile::ParseDataFile(c.bytes).problems.empty()) << c.fault;
  }
}

}  // namespace
}  // namespace cdk
