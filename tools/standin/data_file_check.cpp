#include "tools/standin/data_file_check.h"

#include <algorithm>
#include <set>

#include "lookup/lookup.h"

namespace cdk::datafile {
namespace {

constexpr std::array<std::string_view, 6> kTableNames = {
    "MP_CDKEYID_INFO", "MP_MPID_INFO", "MP_ACT_INFO", "MP_GIFT_INFO", "MP_ITEM_INFO", "MP_GMAE_INFO"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }

bool AllDigits(std::string_view s) { return !s.empty() && std::all_of(s.begin(), s.end(), IsDigit); }

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }
bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

std::string Fold(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (IsUpper(c)) c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// GBK: a lead byte 0x81..0xFE and a trail byte 0x40..0x7E or 0x80..0xFE.
bool IsGbkPair(unsigned char lead, unsigned char trail) {
  return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
}

// ---- Value forms ------------------------------------------------------------

bool IsBatchKey(std::string_view k) {
  if (k.size() != 6 || !IsDigit(k[5])) return false;
  return std::all_of(k.begin(), k.end(), [](char c) { return IsDigit(c) || (IsUpper(c) && c != 'O'); });
}
bool IsMp12(std::string_view s) { return s.size() == 14 && StartsWith(s, "MP") && AllDigits(s.substr(2)); }
bool Is17(std::string_view s, std::string_view prefix) {
  return s.size() == 19 && StartsWith(s, prefix) && AllDigits(s.substr(2));
}
bool IsPackageId(std::string_view s) {
  if (Is17(s, "MA") || IsMp12(s)) return true;
  if (s.size() < 16 || s.size() > 21 || !IsMp12(s.substr(0, 14)) || s[14] != '_') return false;
  return std::all_of(s.begin() + 15, s.end(), [](char c) { return IsDigit(c) || IsUpper(c) || IsLower(c); });
}
bool IsActivityId(std::string_view s) { return Is17(s, "MA") || Is17(s, "MP") || IsMp12(s); }
bool IsGoodsSetId(std::string_view s) {
  if (StartsWith(s, "PID")) return s.size() >= 22 && s.size() <= 24 && AllDigits(s.substr(3));
  return s.size() == 23 && StartsWith(s, "goodsset") && AllDigits(s.substr(8));
}
bool IsItemId(std::string_view s) { return (s.size() == 17 || s.size() == 21 || s.size() == 22) && AllDigits(s); }
bool IsDateTime(std::string_view s) {
  constexpr std::string_view kForm = "dddd-dd-dd dd:dd:dd";
  if (s.size() != kForm.size()) return false;
  for (size_t i = 0; i < s.size(); ++i)
    if (kForm[i] == 'd' ? !IsDigit(s[i]) : s[i] != kForm[i]) return false;
  return true;
}
bool IsGameName(std::string_view s) {
  if (s.empty() || s.size() > 9) return false;
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsHigh(s[i])) ++i;  // a GBK character, checked with the whole file
    else if (!IsLower(s[i]) && !IsDigit(s[i])) return false;
  }
  return true;
}

using Rule = bool (*)(const Value&);
struct FieldRule {
  std::string_view name;
  Rule rule;
  std::string_view expected;
};
struct TableRule {
  std::string_view name;
  bool (*key)(std::string_view);
  std::string_view key_expected;
  std::vector<FieldRule> fields;  // empty: the value is a string checked by `value`
  Rule value;
};

bool IsString(const Value& v) { return v.kind == Value::Kind::kString; }
bool StringIs(const Value& v, bool (*form)(std::string_view)) { return IsString(v) && form(v.text); }

const std::vector<TableRule>& Rules() {
  static const std::vector<TableRule> rules = {
      {"MP_CDKEYID_INFO", IsBatchKey, "5 digits or capital letters (no O) and a digit",
       {{"mpid", [](const Value& v) { return StringIs(v, IsPackageId); }, "a package id"},
        {"servicecode", [](const Value& v) { return IsString(v) && (v.text == "DNFHZ" || v.text == "CFCLUB"); },
         "DNFHZ or CFCLUB"}},
       nullptr},
      {"MP_MPID_INFO", IsPackageId, "a package id",
       {{"desc", [](const Value& v) { return IsString(v) && !v.text.empty(); }, "a text that is not empty"},
        {"mainmpid", [](const Value& v) { return StringIs(v, IsActivityId); }, "an activity id"},
        {"begintime", [](const Value& v) { return StringIs(v, IsDateTime) && EndsWith(v.text, "00:00:00"); },
         "a date at 00:00:00"},
        {"endtime", [](const Value& v) { return StringIs(v, IsDateTime) && EndsWith(v.text, "23:59:59"); },
         "a date at 23:59:59"},
        {"goodssets",
         [](const Value& v) {
           return v.kind == Value::Kind::kList && !v.items.empty() &&
                  std::all_of(v.items.begin(), v.items.end(), [](const Value& e) { return StringIs(e, IsGoodsSetId); });
         },
         "a list of goods-set ids"},
        {"remark", [](const Value& v) { return IsString(v) && v.text.empty(); }, "\"\""}},
       nullptr},
      {"MP_ACT_INFO", IsActivityId, "an activity id",
       {{"desc", IsString, "a text"},
        {"game", [](const Value& v) { return IsString(v) && v.text.size() == 4 && AllDigits(v.text); }, "4 digits"},
        {"begintime", [](const Value& v) { return StringIs(v, IsDateTime); }, "a date and time"},
        {"endtime", [](const Value& v) { return StringIs(v, IsDateTime); }, "a date and time"}},
       nullptr},
      {"MP_GIFT_INFO", IsGoodsSetId, "a goods-set id",
       {{"desc", [](const Value& v) { return IsString(v) && v.text.empty(); }, "\"\""},
        {"itemsinfo",
         [](const Value& v) {
           return v.kind == Value::Kind::kList && !v.items.empty() &&
                  std::all_of(v.items.begin(), v.items.end(), [](const Value& e) {
                    const Value* id = e.Field("id");
                    const Value* num = e.Field("num");
                    return e.kind == Value::Kind::kObject && e.items.size() == 2 && e.items[0].name == "id" &&
                           id && StringIs(*id, IsItemId) && num && num->kind == Value::Kind::kNumber &&
                           num->text.find_first_not_of('0') != std::string::npos;
                  });
         },
         "a list of {id:\"<item id>\",num:<1 or more>}"}},
       nullptr},
      {"MP_ITEM_INFO", IsItemId, "17, 21 or 22 digits",
       {{"desc", IsString, "a text"},
        {"game", [](const Value& v) { return IsString(v) && (v.text.empty() || AllDigits(v.text)); },
         "\"\" or digits"}},
       nullptr},
      {"MP_GMAE_INFO", [](std::string_view k) { return k.size() == 4 && AllDigits(k); }, "4 digits", {},
       [](const Value& v) { return StringIs(v, IsGameName); }},
  };
  return rules;
}

// ---- Entry syntax -----------------------------------------------------------

// Reads one entry line after its TAB (and without its comma). Outside string
// values only the syntax's own characters may stand: no blank, no TAB.
class Reader {
 public:
  explicit Reader(std::string_view text) : s_(text) {}

  bool Entry(std::string& key, Value& value) {
    if (!String(key) || !Eat(':') || !ParseValue(value, 0)) return false;
    return pos_ == s_.size() || Fail("unexpected bytes after the value");
  }
  const std::string& error() const { return error_; }
  size_t pos() const { return pos_; }

 private:
  bool Fail(std::string what) {
    if (error_.empty()) error_ = what + " at column " + std::to_string(pos_ + 2);
    return false;
  }
  bool Eat(char c) {
    if (pos_ < s_.size() && s_[pos_] == c) return ++pos_, true;
    return Fail(std::string("expected '") + c + "'");
  }
  bool String(std::string& out) {
    if (!Eat('"')) return false;
    const size_t begin = pos_;
    while (pos_ < s_.size() && s_[pos_] != '"') {
      const auto c = static_cast<unsigned char>(s_[pos_]);
      if (c >= 0x80) {
        if (pos_ + 1 >= s_.size() || !IsGbkPair(c, static_cast<unsigned char>(s_[pos_ + 1])))
          return Fail("a byte that begins no GBK character");
        pos_ += 2;
      } else if (c < 0x20 && c != '\t') {
        return Fail("a control character in a string");
      } else {
        ++pos_;
      }
    }
    if (pos_ >= s_.size()) return Fail("a string without its closing quote");
    out.assign(s_.substr(begin, pos_ - begin));
    return ++pos_, true;
  }
  bool ParseValue(Value& v, int depth) {
    if (depth > 4) return Fail("values nested too deep");
    if (pos_ >= s_.size()) return Fail("a missing value");
    const char c = s_[pos_];
    if (c == '"') return v.kind = Value::Kind::kString, String(v.text);
    if (IsDigit(c)) {
      v.kind = Value::Kind::kNumber;
      while (pos_ < s_.size() && IsDigit(s_[pos_])) v.text += s_[pos_++];
      return true;
    }
    if (c == '[') {
      v.kind = Value::Kind::kList;
      ++pos_;
      if (pos_ < s_.size() && s_[pos_] == ']') return ++pos_, true;
      do {
        v.items.emplace_back();
        if (!ParseValue(v.items.back(), depth + 1)) return false;
      } while (pos_ < s_.size() && s_[pos_] == ',' && ++pos_);
      return Eat(']');
    }
    if (c == '{') {
      v.kind = Value::Kind::kObject;
      ++pos_;
      do {
        std::string name;
        while (pos_ < s_.size() && IsLower(s_[pos_])) name += s_[pos_++];
        if (name.empty()) return Fail("expected a field name");
        v.items.emplace_back();
        v.items.back().name = name;
        if (!Eat(':') || !ParseValue(v.items.back(), depth + 1)) return false;
      } while (pos_ < s_.size() && s_[pos_] == ',' && ++pos_);
      return Eat('}');
    }
    return Fail("expected a value");
  }

  std::string_view s_;
  size_t pos_ = 0;
  std::string error_;
};

std::string Shown(std::string_view s) {
  std::string out;
  for (char c : s.substr(0, 60)) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F) out += c;
    else {
      static const char kHex[] = "0123456789ABCDEF";
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
  }
  return s.size() > 60 ? out + "..." : out;
}

void CheckFields(const TableRule& rule, const Entry& e, std::vector<std::string>& problems) {
  const std::string where = std::string(rule.name) + " line " + std::to_string(e.line) + " \"" + Shown(e.key) + "\": ";
  if (!rule.key(e.key)) problems.push_back(where + "key is not " + std::string(rule.key_expected));
  if (rule.fields.empty()) {
    if (!rule.value(e.value)) problems.push_back(where + "value is not a game name");
    return;
  }
  if (e.value.kind != Value::Kind::kObject || e.value.items.size() != rule.fields.size()) {
    problems.push_back(where + "value is not an object of " + std::to_string(rule.fields.size()) + " fields");
    return;
  }
  for (size_t i = 0; i < rule.fields.size(); ++i) {
    const std::string& name = e.value.items[i].name;
    const Value& value = e.value.items[i];
    if (name != rule.fields[i].name)
      problems.push_back(where + "field " + std::to_string(i + 1) + " is " + name + ", not " +
                         std::string(rule.fields[i].name));
    else if (!rule.fields[i].rule(value))
      problems.push_back(where + name + " is not " + std::string(rule.fields[i].expected));
  }
}

}  // namespace

const Value* Value::Field(std::string_view name) const {
  if (kind != Kind::kObject) return nullptr;
  for (const Value& field : items)
    if (field.name == name) return &field;
  return nullptr;
}

std::string Value::FieldText(std::string_view name) const {
  const Value* v = Field(name);
  return v ? v->text : std::string();
}

const Table& ParsedFile::Get(std::string_view name) const {
  static const Table kEmpty;
  for (const Table& t : tables)
    if (t.name == name) return t;
  return kEmpty;
}

int CountDoubleByteChars(std::string_view text) {
  int count = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (IsHigh(text[i]) && i + 1 < text.size()) ++count, ++i;
  return count;
}

ParsedFile ParseDataFile(std::string_view bytes) {
  ParsedFile file;
  auto& problems = file.problems;
  if (StartsWith(bytes, "\xEF\xBB\xBF")) problems.push_back("the file begins with a byte-order mark");
  if (const size_t zero = bytes.find('\0'); zero != std::string_view::npos)
    problems.push_back("a zero byte at offset " + std::to_string(zero));
  if (const size_t slash = bytes.find('\\'); slash != std::string_view::npos)
    problems.push_back("a backslash at offset " + std::to_string(slash));
  if (bytes.empty() || bytes.back() != '}') problems.push_back("the last byte is not '}'");
  for (size_t i = 0; i < bytes.size(); ++i)
    if (IsHigh(bytes[i])) {
      if (i + 1 >= bytes.size() || !IsGbkPair(static_cast<unsigned char>(bytes[i]), static_cast<unsigned char>(bytes[i + 1]))) {
        problems.push_back("no GBK character at offset " + std::to_string(i));
        break;
      }
      ++i;
    }

  // Lines: every one ends in CR LF except the last, which is "}".
  struct Line {
    std::string_view text;
    int64_t offset;
  };
  std::vector<Line> lines;
  for (size_t begin = 0;;) {
    const size_t end = bytes.find("\r\n", begin);
    lines.push_back({bytes.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin),
                     static_cast<int64_t>(begin)});
    if (end == std::string_view::npos) break;
    begin = end + 2;
  }
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].text.find_first_of("\r\n") != std::string_view::npos)
      problems.push_back("line " + std::to_string(i + 1) + ": a CR or LF that is not part of CR LF");

  size_t n = 0;  // next line
  for (const TableRule& rule : Rules()) {
    auto line_no = [&] { return "line " + std::to_string(n + 1) + ": "; };
    if (n >= lines.size() || lines[n].text != "var " + std::string(rule.name) + "=") {
      problems.push_back(line_no() + "expected \"var " + std::string(rule.name) + "=\"");
      return file;
    }
    Table table;
    table.name = rule.name;
    table.begin = lines[n].offset;
    if (++n >= lines.size() || lines[n].text != "{") {
      problems.push_back(line_no() + "expected \"{\"");
      return file;
    }
    std::set<std::string> keys;
    for (++n; n < lines.size() && lines[n].text != "}"; ++n) {
      std::string_view text = lines[n].text;
      const bool last = n + 1 < lines.size() && lines[n + 1].text == "}";
      if (text.empty() || text[0] != '\t') {
        problems.push_back(line_no() + "an entry line must begin with one TAB");
        continue;
      }
      text.remove_prefix(1);
      if (last == EndsWith(text, ","))
        problems.push_back(line_no() + (last ? "the table's last entry has a comma" : "the entry lacks its comma"));
      if (!last && EndsWith(text, ",")) text.remove_suffix(1);
      Entry e;
      e.line = static_cast<int>(n + 1);
      e.offset = lines[n].offset + 1;
      Reader reader(text);
      if (!reader.Entry(e.key, e.value)) {
        problems.push_back(line_no() + reader.error());
        continue;
      }
      CheckFields(rule, e, problems);
      if (!keys.insert(Fold(e.key)).second)
        problems.push_back(line_no() + "key \"" + Shown(e.key) + "\" repeats (ignoring case)");
      table.entries.push_back(std::move(e));
    }
    if (n >= lines.size()) {
      problems.push_back(std::string(rule.name) + " has no closing \"}\"");
      return file;
    }
    if (table.entries.empty()) problems.push_back(std::string(rule.name) + " has no entries");
    ++n;
    const int64_t end = n < lines.size() ? lines[n].offset : static_cast<int64_t>(bytes.size());
    table.bytes = end - table.begin;
    file.tables.push_back(std::move(table));
  }
  if (n != lines.size()) problems.push_back("line " + std::to_string(n + 1) + ": bytes after the last table");
  return file;
}

std::string_view EntryText(std::string_view bytes, const Entry& entry) {
  const auto begin = static_cast<size_t>(entry.offset);
  if (begin > bytes.size()) return {};
  std::string_view text = bytes.substr(begin, bytes.find("\r\n", begin) - begin);
  if (EndsWith(text, ",")) text.remove_suffix(1);
  return text;
}

std::vector<Unresolved> UnresolvedReferences(const ParsedFile& file) {
  auto keys_of = [&](std::string_view table) {
    std::set<std::string> keys;
    for (const Entry& e : file.Get(table).entries) keys.insert(e.key);
    return keys;
  };
  const auto packages = keys_of("MP_MPID_INFO"), activities = keys_of("MP_ACT_INFO"),
             sets = keys_of("MP_GIFT_INFO"), items = keys_of("MP_ITEM_INFO"), games = keys_of("MP_GMAE_INFO");
  std::vector<Unresolved> out;
  auto check = [&](const std::set<std::string>& keys, std::string_view table, const Entry& e,
                   std::string_view field, const std::string& value) {
    if (!keys.count(value)) out.push_back({std::string(table), e.key, std::string(field), value});
  };
  for (const Entry& e : file.Get("MP_CDKEYID_INFO").entries)
    check(packages, "MP_CDKEYID_INFO", e, "mpid", e.value.FieldText("mpid"));
  for (const Entry& e : file.Get("MP_MPID_INFO").entries) {
    check(activities, "MP_MPID_INFO", e, "mainmpid", e.value.FieldText("mainmpid"));
    if (const Value* list = e.value.Field("goodssets"))
      for (const Value& set : list->items) check(sets, "MP_MPID_INFO", e, "goodssets", set.text);
  }
  for (const Entry& e : file.Get("MP_ACT_INFO").entries)
    check(games, "MP_ACT_INFO", e, "game", e.value.FieldText("game"));
  for (const Entry& e : file.Get("MP_GIFT_INFO").entries)
    if (const Value* list = e.value.Field("itemsinfo"))
      for (const Value& item : list->items) check(items, "MP_GIFT_INFO", e, "id", item.FieldText("id"));
  return out;
}

Figures MeasureFigures(std::string_view bytes, const ParsedFile& file) {
  Figures f;
  f.file_bytes = static_cast<int64_t>(bytes.size());
  for (size_t i = 0; i < file.tables.size() && i < 6; ++i) {
    f.entries[i] = static_cast<int>(file.tables[i].entries.size());
    f.bytes[i] = file.tables[i].bytes;
  }
  for (size_t at = bytes.find("\r\n"); at != std::string_view::npos; at = bytes.find("\r\n", at + 2)) ++f.crlf;
  f.lines = f.crlf + (EndsWith(bytes, "\r\n") || bytes.empty() ? 0 : 1);
  f.double_byte_chars = CountDoubleByteChars(bytes);

  const Table& batches = file.Get("MP_CDKEYID_INFO");
  std::set<std::string> zero_bases, mpids, packages;
  for (const Entry& e : file.Get("MP_MPID_INFO").entries) packages.insert(e.key);
  for (const Entry& e : batches.entries) {
    std::string shape;
    for (char c : e.key) shape += IsDigit(c) ? 'D' : 'L';
    ++f.key_shapes[shape];
    if (EndsWith(e.key, "0")) ++f.keys_ending_in_0, zero_bases.insert(e.key.substr(0, 5));
    const std::string mpid = e.value.FieldText("mpid");
    mpids.insert(mpid);
    if (!packages.count(mpid)) f.unresolved_batches.push_back(e.key);
    const std::string code = e.value.FieldText("servicecode");
    f.servicecode_dnfhz += code == "DNFHZ";
    f.servicecode_cfclub += code == "CFCLUB";
  }
  for (const Entry& e : batches.entries)
    if (!EndsWith(e.key, "0")) ++f.keys_ending_otherwise, f.others_with_0_sibling += zero_bases.count(e.key.substr(0, 5)) ? 1 : 0;
  f.distinct_mpids = static_cast<int>(mpids.size());

  bool first = true;
  for (const Entry& e : file.Get("MP_MPID_INFO").entries) {
    f.packages_ma17 += StartsWith(e.key, "MA");
    f.packages_mp12_suffixed += StartsWith(e.key, "MP") && e.key.find('_') != std::string::npos;
    f.packages_mp12 += IsMp12(e.key);
    const Value* sets = e.value.Field("goodssets");
    const int count = sets ? static_cast<int>(sets->items.size()) : 0;
    f.goodssets_min = first ? count : std::min(f.goodssets_min, count);
    f.goodssets_max = std::max(f.goodssets_max, count);
    f.packages_with_one_goodsset += count == 1;
    const std::string desc = e.value.FieldText("desc");
    f.package_desc_max_bytes = std::max(f.package_desc_max_bytes, static_cast<int>(desc.size()));
    f.package_descs_with_tab += desc.find('\t') != std::string::npos;
    f.package_descs_with_comma += desc.find(',') != std::string::npos;
    first = false;
  }
  for (const Entry& e : file.Get("MP_ACT_INFO").entries) {
    f.ids_in_packages_and_activities += packages.count(e.key) ? 1 : 0;
    f.activities_without_times += e.value.FieldText("begintime") == "0000-00-00 00:00:00" &&
                                  e.value.FieldText("endtime") == "0000-00-00 00:00:00";
    f.activities_game_1109 += e.value.FieldText("game") == "1109";
  }
  first = true;
  bool first_num = true;
  for (const Entry& e : file.Get("MP_GIFT_INFO").entries) {
    const Value* items = e.value.Field("itemsinfo");
    const int count = items ? static_cast<int>(items->items.size()) : 0;
    f.items_per_set_min = first ? count : std::min(f.items_per_set_min, count);
    f.items_per_set_max = std::max(f.items_per_set_max, count);
    f.sets_with_one_item += count == 1;
    first = false;
    if (!items) continue;
    for (const Value& item : items->items) {
      const std::string digits = item.FieldText("num");
      const int num = digits.size() > 9 ? 1000000000 : std::stoi(digits.empty() ? "0" : digits);
      f.num_min = first_num ? num : std::min(f.num_min, num);
      f.num_max = std::max(f.num_max, num);
      first_num = false;
    }
  }
  for (const Entry& e : file.Get("MP_ITEM_INFO").entries) f.items_game_empty += e.value.FieldText("game").empty();

  const std::string folded = Fold(bytes);
  const int64_t batches_end = batches.begin + batches.bytes;
  for (size_t at = folded.find("{mpid:"); at != std::string::npos; at = folded.find("{mpid:", at + 1)) {
    ++f.mpid_markers;
    f.mpid_markers_outside_batches += static_cast<int64_t>(at) < batches.begin || static_cast<int64_t>(at) >= batches_end;
  }
  return f;
}

std::string FormatFigures(const Figures& f) {
  std::string out;
  auto line = [&](std::string_view name, int64_t value) { out += std::string(name) + ": " + std::to_string(value) + "\n"; };
  for (size_t i = 0; i < 6; ++i) {
    line(std::string(kTableNames[i]) + " entries", f.entries[i]);
    line(std::string(kTableNames[i]) + " bytes", f.bytes[i]);
  }
  line("file bytes", f.file_bytes);
  line("lines", f.lines);
  line("CR LF pairs", f.crlf);
  line("double-byte characters", f.double_byte_chars);
  for (const auto& [shape, count] : f.key_shapes) line("batch keys shaped " + shape, count);
  line("batch keys ending in 0", f.keys_ending_in_0);
  line("batch keys ending in another digit", f.keys_ending_otherwise);
  line("  of them with a 0-sibling", f.others_with_0_sibling);
  line("servicecode DNFHZ", f.servicecode_dnfhz);
  line("servicecode CFCLUB", f.servicecode_cfclub);
  line("distinct mpid values", f.distinct_mpids);
  std::string unresolved;
  for (const auto& key : f.unresolved_batches) unresolved += " " + key;
  out += "batches whose mpid names no package:" + unresolved + "\n";
  line("ids keyed in MP_MPID_INFO and MP_ACT_INFO", f.ids_in_packages_and_activities);
  line("package ids MA+17", f.packages_ma17);
  line("package ids MP+12 with suffix", f.packages_mp12_suffixed);
  line("package ids MP+12", f.packages_mp12);
  line("goods sets per package min", f.goodssets_min);
  line("goods sets per package max", f.goodssets_max);
  line("packages with one goods set", f.packages_with_one_goodsset);
  line("package desc max bytes", f.package_desc_max_bytes);
  line("package descs with TAB", f.package_descs_with_tab);
  line("package descs with comma", f.package_descs_with_comma);
  line("activities without times", f.activities_without_times);
  line("activities with game 1109", f.activities_game_1109);
  line("items per set min", f.items_per_set_min);
  line("items per set max", f.items_per_set_max);
  line("sets with one item", f.sets_with_one_item);
  line("num min", f.num_min);
  line("num max", f.num_max);
  line("items with game \"\"", f.items_game_empty);
  line("\"{mpid:\" markers", f.mpid_markers);
  line("\"{mpid:\" markers outside MP_CDKEYID_INFO", f.mpid_markers_outside_batches);
  return out;
}

namespace {

// For every id in `ids` (folded), the offset where `<id><marker>` first
// occurs in `folded`: one pass over the marker's occurrences, trying the ids'
// lengths before each.
std::map<std::string, int64_t> FirstOccurrences(const std::string& folded, std::string_view marker,
                                                const std::set<std::string>& ids) {
  std::set<size_t> lengths;
  for (const std::string& id : ids) lengths.insert(id.size());
  std::map<std::string, int64_t> first;
  for (size_t at = folded.find(marker); at != std::string::npos; at = folded.find(marker, at + 1))
    for (size_t length : lengths) {
      if (length > at) break;
      std::string candidate = folded.substr(at - length, length);
      if (ids.count(candidate)) first.emplace(std::move(candidate), static_cast<int64_t>(at - length));
    }
  return first;
}

}  // namespace

std::vector<std::string> MisplacedFirstMatches(std::string_view bytes, const ParsedFile& file) {
  // The folded text keeps every offset; ASCII needles cannot start on a trail
  // byte of a GB2312 character, so a plain search finds what FindText finds.
  const std::string folded = Fold(bytes);
  std::vector<std::string> out;
  auto check = [&](const Table& table, std::string_view marker, auto needle_id, const char* what) {
    std::set<std::string> ids;
    for (const Entry& e : table.entries)
      if (!needle_id(e.key).empty()) ids.insert(Fold(needle_id(e.key)));
    const auto first = FirstOccurrences(folded, marker, ids);
    for (const Entry& e : table.entries) {
      if (needle_id(e.key).empty()) continue;
      const auto found = first.find(Fold(needle_id(e.key)));
      if (found == first.end() || found->second != e.offset + 1) out.push_back(std::string(what) + " " + e.key);
    }
  };
  // A batch is searched by its first five characters and "0":{mpid:"; keys
  // ending in another digit are never searched.
  check(file.Get("MP_CDKEYID_INFO"), "\":{mpid:\"",
        [](const std::string& key) { return EndsWith(key, "0") ? key : std::string(); }, "batch");
  check(file.Get("MP_MPID_INFO"), "\":{desc:\"", [](const std::string& key) { return key; }, "package");
  return out;
}

BatchLookups LookUpEveryBatch(std::string_view bytes, const ParsedFile& file) {
  std::map<std::string, std::string> descs;
  for (const Entry& e : file.Get("MP_MPID_INFO").entries) descs.emplace(e.key, e.value.FieldText("desc"));
  BatchLookups out;
  for (const Entry& e : file.Get("MP_CDKEYID_INFO").entries) {
    if (!EndsWith(e.key, "0")) continue;
    ++out.looked_up;
    const LookupResult r = LookupItemName(bytes, e.key.substr(0, 5));
    const std::string mpid = e.value.FieldText("mpid");
    const auto desc = descs.find(mpid);
    const std::string expected = desc == descs.end() ? std::string() : desc->second;
    out.own_package += r.package_id == mpid;
    out.with_item_name += !r.item_name.empty();
    out.without_item_name += r.item_name.empty();
    if ((r.package_id != mpid || r.item_name != expected) && out.problems.size() < 10)
      out.problems.push_back("batch " + e.key + ": package \"" + Shown(r.package_id) + "\", item name \"" +
                             Shown(r.item_name) + "\"");
  }
  return out;
}

}  // namespace cdk::datafile
