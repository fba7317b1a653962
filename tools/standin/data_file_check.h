// Reading a gift-code data file back into rows and checking it: the layout
// to the byte, the fields of every table, the references between tables, the
// figures that describe a whole file, and what the lookup finds in it.
//
// Checks only; the tool itself never parses its data.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace cdk::datafile {

struct Value {
  enum class Kind { kString, kNumber, kList, kObject };
  Kind kind = Kind::kString;
  std::string text;          // a string's bytes between its quotes, or a number's digits
  std::string name;          // the field name, for a value that is an object's field
  std::vector<Value> items;  // a list's elements, or an object's fields in order

  // The field called `name`, or nullptr.
  const Value* Field(std::string_view name) const;
  // The text of the field called `name`, or empty.
  std::string FieldText(std::string_view name) const;
};

struct Entry {
  std::string key;
  Value value;
  int line = 0;        // 1-based line number
  int64_t offset = 0;  // 0-based byte offset of the key's opening quote
};

struct Table {
  std::string name;
  std::vector<Entry> entries;
  int64_t begin = 0;  // offset of its "var"
  int64_t bytes = 0;  // from its "var" to the next one (to the end for the last)
};

struct ParsedFile {
  std::vector<Table> tables;          // six, in file order, when the layout holds
  std::vector<std::string> problems;  // every break of the format, naming its line

  // The table called `name`; an empty one when it is missing.
  const Table& Get(std::string_view name) const;
};

// Reads the whole file, checking the layout (encoding, line ends, table
// frames, commas, entry syntax) and each table's keys and fields.
ParsedFile ParseDataFile(std::string_view bytes);

// A reference that names no row: table, the referring key, the field, the value.
struct Unresolved {
  std::string table, key, field, value;
};
// The entry as it stands on its line, without the TAB and the comma.
std::string_view EntryText(std::string_view bytes, const Entry& entry);

// mpid -> MP_MPID_INFO, mainmpid -> MP_ACT_INFO, goodssets -> MP_GIFT_INFO,
// item id -> MP_ITEM_INFO, activity game -> MP_GMAE_INFO.
std::vector<Unresolved> UnresolvedReferences(const ParsedFile& file);

// Double-byte characters by the GBK rule, walking from the first byte.
int CountDoubleByteChars(std::string_view text);

// The figures that describe a whole file.
struct Figures {
  std::array<int, 6> entries{};
  std::array<int64_t, 6> bytes{};
  int64_t file_bytes = 0;
  int lines = 0, crlf = 0, double_byte_chars = 0;
  std::map<std::string, int> key_shapes;  // L letter, D digit, e.g. "LLLLLD"
  int keys_ending_in_0 = 0, keys_ending_otherwise = 0, others_with_0_sibling = 0;
  int servicecode_dnfhz = 0, servicecode_cfclub = 0, distinct_mpids = 0;
  std::vector<std::string> unresolved_batches;  // keys whose mpid names no package
  int ids_in_packages_and_activities = 0;
  int packages_ma17 = 0, packages_mp12_suffixed = 0, packages_mp12 = 0;
  int goodssets_min = 0, goodssets_max = 0, packages_with_one_goodsset = 0;
  int package_desc_max_bytes = 0, package_descs_with_tab = 0, package_descs_with_comma = 0;
  int activities_without_times = 0, activities_game_1109 = 0;
  int items_per_set_min = 0, items_per_set_max = 0, sets_with_one_item = 0;
  int num_min = 0, num_max = 0;
  int items_game_empty = 0;
  int mpid_markers = 0, mpid_markers_outside_batches = 0;  // "{mpid:", ignoring case
};
Figures MeasureFigures(std::string_view bytes, const ParsedFile& file);
std::string FormatFigures(const Figures& figures);

// Where the lookup's markers first match, found by a plain search over the
// ASCII-folded text: every batch key ending in 0 must match its own row, and
// every package id followed by ":{desc:" its own MP_MPID_INFO row. Returns
// the rows that are not found there.
std::vector<std::string> MisplacedFirstMatches(std::string_view bytes, const ParsedFile& file);

// Runs LookupItemName with the first five characters of every batch key that
// ends in 0 and compares with the rows: its own mpid, and the desc of that
// package's row, or an empty name when there is none.
struct BatchLookups {
  int looked_up = 0, own_package = 0, with_item_name = 0, without_item_name = 0;
  std::vector<std::string> problems;  // the first few mismatches
};
BatchLookups LookUpEveryBatch(std::string_view bytes, const ParsedFile& file);

}  // namespace cdk::datafile
