// The six tables of the gift-code data file as rows, and the exact bytes that
// the file holds for them.
//
// A row keeps each value as the bytes written between its quotation marks
// (GBK, no quotation mark, backslash, CR or LF); `num` is a plain integer.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cdk::standin {

using Bytes = std::string;

struct BatchRow {  // MP_CDKEYID_INFO
  Bytes key, mpid, servicecode;
};
struct PackageRow {  // MP_MPID_INFO
  Bytes id, desc, mainmpid, begintime, endtime;
  std::vector<Bytes> goodssets;
};
struct ActivityRow {  // MP_ACT_INFO
  Bytes id, desc, game, begintime, endtime;
};
struct ItemCount {
  Bytes id;
  int num = 1;
};
struct GoodsSetRow {  // MP_GIFT_INFO (its desc is always empty)
  Bytes id;
  std::vector<ItemCount> items;
};
struct ItemRow {  // MP_ITEM_INFO
  Bytes id, desc, game;
};
struct GameRow {  // MP_GMAE_INFO
  Bytes id, name;
};

struct Tables {
  std::vector<BatchRow> batches;
  std::vector<PackageRow> packages;
  std::vector<ActivityRow> activities;
  std::vector<GoodsSetRow> goods_sets;
  std::vector<ItemRow> items;
  std::vector<GameRow> games;
};

// Table names in file order (GMAE is the file's own spelling).
inline constexpr std::array<std::string_view, 6> kTableNames = {
    "MP_CDKEYID_INFO", "MP_MPID_INFO", "MP_ACT_INFO", "MP_GIFT_INFO", "MP_ITEM_INFO", "MP_GMAE_INFO"};

// One entry as it stands on its line, without the opening TAB and the comma.
Bytes EntryText(const BatchRow& row);
Bytes EntryText(const PackageRow& row);
Bytes EntryText(const ActivityRow& row);
Bytes EntryText(const GoodsSetRow& row);
Bytes EntryText(const ItemRow& row);
Bytes EntryText(const GameRow& row);

// Bytes of each table from its "var" to the next one (to the end of the file
// for the last table), in file order.
std::array<int64_t, 6> TableBytes(const Tables& tables);

// The whole data file: CR LF line ends, TAB-indented entries, a comma after
// every entry but a table's last, and "}" as the very last byte.
Bytes WriteDataFile(const Tables& tables);

}  // namespace cdk::standin
