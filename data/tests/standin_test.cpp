// The full-size stand-in of the operator's data file, measured from its own
// bytes against the operator's file's figures. The measured figures go to
// standard output.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "data/carried_copy.h"
#include "lookup/lookup.h"
#include "tools/standin/data_file_check.h"
#include "tools/standin/known_rows.h"
#include "tools/standin/standin.h"
#include "tools/standin/telling_rows.h"

namespace cdk {
namespace {

using datafile::Figures;
using datafile::ParsedFile;

TextView StandIn() {
  const ByteView bytes = CarriedCopy();
  return TextView(bytes.data(), bytes.size());
}

const ParsedFile& Parsed() {
  static const ParsedFile file = datafile::ParseDataFile(StandIn());
  return file;
}

TEST(StandInTest, KeepsTheFormat) {
  for (const std::string& problem : Parsed().problems) ADD_FAILURE() << problem;
  EXPECT_EQ(Parsed().tables.size(), 6u);
}

TEST(StandInTest, IsWhatTheGeneratorWritesOnThisMachine) {
  // The build wrote the embedded file; writing it again here (on Windows for
  // the cross build) must give the same bytes.
  EXPECT_TRUE(standin::WriteDataFile(standin::FullSizeStandIn()) == StandIn());
}

TEST(StandInTest, IsTheSameOnEveryMachine) {
  // FNV-1a of the whole file as gcc, clang and mingw-w64 builds write it.
  // Change it only together with a deliberate change of the generator.
  uint64_t hash = 0xCBF29CE484222325ull;
  for (char c : StandIn()) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
  EXPECT_EQ(hash, 0x33BF494AC2204ED4ull);
}

TEST(StandInTest, MatchesTheOperatorsFigures) {
  const Figures f = datafile::MeasureFigures(StandIn(), Parsed());
  std::printf("Figures measured from the stand-in:\n%s", datafile::FormatFigures(f).c_str());
  struct Row {
    const char* figure;
    int64_t measured, expected;
  };
  const Row rows[] = {
      {"MP_CDKEYID_INFO entries", f.entries[0], 4844},
      {"MP_MPID_INFO entries", f.entries[1], 4733},
      {"MP_ACT_INFO entries", f.entries[2], 789},
      {"MP_GIFT_INFO entries", f.entries[3], 4874},
      {"MP_ITEM_INFO entries", f.entries[4], 682},
      {"MP_GMAE_INFO entries", f.entries[5], 73},
      {"MP_CDKEYID_INFO bytes", f.bytes[0], 295390},
      {"MP_MPID_INFO bytes", f.bytes[1], 940326},
      {"MP_ACT_INFO bytes", f.bytes[2], 106739},
      {"MP_GIFT_INFO bytes", f.bytes[3], 446323},
      {"MP_ITEM_INFO bytes", f.bytes[4], 40172},
      {"MP_GMAE_INFO bytes", f.bytes[5], 1216},
      {"file bytes", f.file_bytes, 1830166},
      {"lines", f.lines, 16013},
      {"CR LF pairs", f.crlf, 16012},
      {"double-byte characters", f.double_byte_chars, 44169},
      {"batch keys ending in 0", f.keys_ending_in_0, 4537},
      {"batch keys ending in another digit", f.keys_ending_otherwise, 307},
      {"  of them with a 0-sibling", f.others_with_0_sibling, 307},
      {"servicecode DNFHZ", f.servicecode_dnfhz, 4720},
      {"servicecode CFCLUB", f.servicecode_cfclub, 124},
      {"distinct mpid values", f.distinct_mpids, 4536},
      {"ids keyed in MP_MPID_INFO and MP_ACT_INFO", f.ids_in_packages_and_activities, 143},
      {"package ids MA+17", f.packages_ma17, 4540},
      {"package ids MP+12 with suffix", f.packages_mp12_suffixed, 176},
      {"package ids MP+12", f.packages_mp12, 17},
      {"goods sets per package min", f.goodssets_min, 1},
      {"goods sets per package max", f.goodssets_max, 26},
      {"packages with one goods set", f.packages_with_one_goodsset, 4720},
      {"package desc max bytes", f.package_desc_max_bytes, 56},
      {"package descs with TAB", f.package_descs_with_tab, 1191},
      {"package descs with comma", f.package_descs_with_comma, 67},
      {"activities without times", f.activities_without_times, 601},
      {"activities with game 1109", f.activities_game_1109, 789},
      {"items per set min", f.items_per_set_min, 1},
      {"items per set max", f.items_per_set_max, 22},
      {"sets with one item", f.sets_with_one_item, 4347},
      {"num min", f.num_min, 1},
      {"num max", f.num_max, 1000},
      {"items with game \"\"", f.items_game_empty, 680},
      {"\"{mpid:\" markers", f.mpid_markers, 4844},
      {"\"{mpid:\" markers outside MP_CDKEYID_INFO", f.mpid_markers_outside_batches, 0},
  };
  for (const Row& row : rows) EXPECT_EQ(row.measured, row.expected) << row.figure;
  const std::map<std::string, int> shapes = {{"LLLLLD", 3758}, {"DDDLLD", 433}, {"DDDDDD", 260},
                                             {"DDDDLD", 203},  {"DDDLDD", 189}, {"DDLLLD", 1}};
  EXPECT_EQ(f.key_shapes, shapes);
  EXPECT_EQ(f.unresolved_batches, (std::vector<std::string>{"109PK0", "AGANX0", "AHWHY0", "AJAVR0"}));
}

TEST(StandInTest, ResolvesEveryReferenceButTheFourBatches) {
  std::vector<std::string> unresolved;
  for (const auto& u : datafile::UnresolvedReferences(Parsed())) {
    EXPECT_EQ(u.table + "." + u.field, "MP_CDKEYID_INFO.mpid") << u.key << " " << u.value;
    unresolved.push_back(u.key + " " + u.value);
  }
  std::vector<std::string> expected;
  for (const auto& b : standin::UnresolvedBatches()) expected.push_back(b.key + " " + b.mpid);
  EXPECT_EQ(unresolved, expected);
}

TEST(StandInTest, HoldsTheQuotedRowsWhereTheyStand) {
  const ParsedFile& f = Parsed();
  auto first = [&](const char* table) { return datafile::EntryText(StandIn(), f.Get(table).entries.front()); };
  ASSERT_EQ(f.tables.size(), 6u);
  EXPECT_EQ(first("MP_CDKEYID_INFO"), standin::kFirstBatch);
  EXPECT_EQ(datafile::EntryText(StandIn(), f.Get("MP_CDKEYID_INFO").entries.back()), standin::kLastBatch);
  EXPECT_EQ(first("MP_MPID_INFO"), standin::kFirstPackage);
  EXPECT_EQ(first("MP_ACT_INFO"), standin::kFirstActivity);
  EXPECT_EQ(first("MP_GIFT_INFO"), standin::kFirstGoodsSet);
  EXPECT_EQ(first("MP_ITEM_INFO"), standin::kFirstItem);
  for (std::string_view row : {standin::kSuffixedPackage, standin::kThreeItemSet, standin::kGameCf})
    EXPECT_NE(StandIn().find("\r\n\t" + std::string(row) + ","), TextView::npos) << row;
}

TEST(StandInTest, MarkersFirstMatchTheirOwnRows) {
  for (const std::string& row : datafile::MisplacedFirstMatches(StandIn(), Parsed())) ADD_FAILURE() << row;
}

TEST(StandInTest, GivesTheKnownAnswers) {
  for (const auto& answer : standin::KnownAnswers()) {
    SCOPED_TRACE("code \"" + answer.code + "\"");
    const LookupResult r = LookupItemName(StandIn(), answer.code);
    EXPECT_EQ(r.first_key, TextLeft(answer.code, 5) + "0\":{mpid:\"");
    EXPECT_EQ(r.package_id, answer.package_id);
    EXPECT_EQ(r.item_name, answer.item_name);
  }
}

TEST(StandInTest, FindsEveryBatchByItsFirstFiveCharacters) {
  const auto start = std::chrono::steady_clock::now();
  const datafile::BatchLookups r = datafile::LookUpEveryBatch(StandIn(), Parsed());
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  std::printf("Looked up %d batches in %lld ms: %d own package, %d with an item name, %d without\n",
              r.looked_up, static_cast<long long>(ms), r.own_package, r.with_item_name, r.without_item_name);
  EXPECT_EQ(r.looked_up, 4537);
  EXPECT_EQ(r.own_package, 4537);
  EXPECT_EQ(r.with_item_name, 4533);
  EXPECT_EQ(r.without_item_name, 4);
  for (const std::string& problem : r.problems) ADD_FAILURE() << problem;
}

}  // namespace
}  // namespace cdk
