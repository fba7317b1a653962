#include "tools/standin/tables.h"

namespace cdk::standin {
namespace {

Bytes Quoted(std::string_view value) { return "\"" + Bytes(value) + "\""; }

Bytes QuotedList(const std::vector<Bytes>& values) {
  Bytes list = "[";
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) list += ',';
    list += Quoted(values[i]);
  }
  return list + "]";
}

template <typename Row>
int64_t EntriesBytes(const std::vector<Row>& rows) {
  // TAB, entry and CR LF per line, a comma on all lines but the last.
  int64_t bytes = 0;
  for (const Row& row : rows) bytes += 1 + static_cast<int64_t>(EntryText(row).size()) + 2;
  return rows.empty() ? bytes : bytes + static_cast<int64_t>(rows.size()) - 1;
}

template <typename Row>
void AppendTable(Bytes& out, std::string_view name, const std::vector<Row>& rows, bool last) {
  out += "var ";
  out += name;
  out += "=\r\n{\r\n";
  for (size_t i = 0; i < rows.size(); ++i) {
    out += '\t';
    out += EntryText(rows[i]);
    if (i + 1 < rows.size()) out += ',';
    out += "\r\n";
  }
  out += last ? "}" : "}\r\n";
}

int64_t FrameBytes(std::string_view name, bool last) {
  // "var NAME=\r\n" "{\r\n" and "}\r\n" (just "}" at the end of the file).
  return 4 + static_cast<int64_t>(name.size()) + 3 + 3 + (last ? 1 : 3);
}

}  // namespace

Bytes EntryText(const BatchRow& row) {
  return Quoted(row.key) + ":{mpid:" + Quoted(row.mpid) + ",servicecode:" + Quoted(row.servicecode) + "}";
}

Bytes EntryText(const PackageRow& row) {
  return Quoted(row.id) + ":{desc:" + Quoted(row.desc) + ",mainmpid:" + Quoted(row.mainmpid) +
         ",begintime:" + Quoted(row.begintime) + ",endtime:" + Quoted(row.endtime) +
         ",goodssets:" + QuotedList(row.goodssets) + ",remark:\"\"}";
}

Bytes EntryText(const ActivityRow& row) {
  return Quoted(row.id) + ":{desc:" + Quoted(row.desc) + ",game:" + Quoted(row.game) +
         ",begintime:" + Quoted(row.begintime) + ",endtime:" + Quoted(row.endtime) + "}";
}

Bytes EntryText(const GoodsSetRow& row) {
  Bytes items = "[";
  for (size_t i = 0; i < row.items.size(); ++i) {
    if (i > 0) items += ',';
    items += "{id:" + Quoted(row.items[i].id) + ",num:" + std::to_string(row.items[i].num) + "}";
  }
  return Quoted(row.id) + ":{desc:\"\",itemsinfo:" + items + "]}";
}

Bytes EntryText(const ItemRow& row) {
  return Quoted(row.id) + ":{desc:" + Quoted(row.desc) + ",game:" + Quoted(row.game) + "}";
}

Bytes EntryText(const GameRow& row) { return Quoted(row.id) + ":" + Quoted(row.name); }

std::array<int64_t, 6> TableBytes(const Tables& t) {
  return {FrameBytes(kTableNames[0], false) + EntriesBytes(t.batches),
          FrameBytes(kTableNames[1], false) + EntriesBytes(t.packages),
          FrameBytes(kTableNames[2], false) + EntriesBytes(t.activities),
          FrameBytes(kTableNames[3], false) + EntriesBytes(t.goods_sets),
          FrameBytes(kTableNames[4], false) + EntriesBytes(t.items),
          FrameBytes(kTableNames[5], true) + EntriesBytes(t.games)};
}

Bytes WriteDataFile(const Tables& t) {
  Bytes out;
  AppendTable(out, kTableNames[0], t.batches, false);
  AppendTable(out, kTableNames[1], t.packages, false);
  AppendTable(out, kTableNames[2], t.activities, false);
  AppendTable(out, kTableNames[3], t.goods_sets, false);
  AppendTable(out, kTableNames[4], t.items, false);
  AppendTable(out, kTableNames[5], t.games, true);
  return out;
}

}  // namespace cdk::standin
