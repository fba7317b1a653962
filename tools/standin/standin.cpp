#include "tools/standin/standin.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "tools/standin/known_rows.h"

namespace cdk::standin {
namespace {

// splitmix64: a fixed, portable sequence (std::random distributions differ
// between standard libraries).
//
// Every statement draws from it at most once or in a fixed order: the order in
// which C++ evaluates the operands of + or the arguments of a call differs
// between compilers, and the file must not.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
  bool Percent(int p) { return Below(100) < p; }
  template <typename T>
  const T& Pick(const std::vector<T>& v) { return v[static_cast<size_t>(Below(static_cast<int>(v.size())))]; }

 private:
  uint64_t state_;
};

// Fisher-Yates with our own generator (std::shuffle may differ between
// standard libraries).
template <typename It>
void Shuffle(It begin, It end, Rng& rng) {
  for (auto i = end - begin; i > 1; --i) std::swap(begin[i - 1], begin[rng.Below(static_cast<int>(i))]);
}
template <typename T>
void Shuffle(std::vector<T>& v, Rng& rng) { Shuffle(v.begin(), v.end(), rng); }

void Require(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(what);
}

Bytes Lower(Bytes text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

Bytes Pad(int value, int width) {
  Bytes s = std::to_string(value);
  return Bytes(static_cast<size_t>(std::max(0, width - static_cast<int>(s.size()))), '0') + s;
}

Bytes Digits(Rng& rng, int count) {
  Bytes s;
  for (int i = 0; i < count; ++i) s += static_cast<char>('0' + rng.Below(10));
  return s;
}

// Double-byte characters by the GBK rule: a byte of 0x80 or more pairs with
// the next one.
int DoubleByteChars(std::string_view text) {
  int count = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (static_cast<unsigned char>(text[i]) >= 0x80) ++count, ++i;
  return count;
}

// ---- Dates and ids -------------------------------------------------------

struct Stamp {
  int year, month, day, hour, minute, second, milli;
};

Stamp RandomStamp(Rng& rng) {
  return {rng.Between(2009, 2013), rng.Between(1, 12), rng.Between(1, 28), rng.Between(0, 23),
          rng.Between(0, 59),      rng.Between(0, 59), rng.Between(0, 999)};
}

Stamp MonthsLater(Stamp s, int months) {
  const int m = s.month - 1 + months;
  s.year += m / 12;
  s.month = m % 12 + 1;
  return s;
}

// yyyyMMddHHmmssSSS (17 digits), or yyMMddHHmmssSSS (15) with short years.
Bytes StampDigits(const Stamp& s, bool short_year) {
  return Pad(short_year ? s.year % 100 : s.year, short_year ? 2 : 4) + Pad(s.month, 2) + Pad(s.day, 2) +
         Pad(s.hour, 2) + Pad(s.minute, 2) + Pad(s.second, 2) + Pad(s.milli, 3);
}

Bytes DateTime(const Stamp& s, std::string_view time) {
  return Pad(s.year, 4) + "-" + Pad(s.month, 2) + "-" + Pad(s.day, 2) + " " + Bytes(time);
}

constexpr std::string_view kKeyLetters = "ABCDEFGHIJKLMNPQRSTUVWXYZ";  // no O
constexpr std::string_view kSuffixChars = "abcdefghijklmnopqrstuvwxyz0123456789";

Bytes MaId(const Stamp& s) { return "MA" + StampDigits(s, false); }
Bytes Mp17Id(const Stamp& s) { return "MP" + StampDigits(s, false); }
Bytes Mp12Id(const Stamp& s, Rng& rng) {
  return "MP" + Pad(s.year, 4) + Pad(s.month, 2) + Pad(s.day, 2) + Pad(rng.Between(1, 40), 4);
}
Bytes Suffix(Rng& rng) {
  Bytes s = "_";
  s += kSuffixChars[static_cast<size_t>(rng.Below(26))];
  const int more = rng.Below(6);
  for (int i = 0; i < more; ++i) s += kSuffixChars[static_cast<size_t>(rng.Below(36))];
  return s;
}
Bytes GoodsSetId(const Stamp& s, Rng& rng) {
  if (rng.Percent(15)) return "goodsset" + StampDigits(s, true);
  const int prefix = rng.Between(4, 6);  // PID and 19 to 21 digits
  const Bytes lead = Pad(rng.Between(1, 9), 1);  // one draw per statement: C++ leaves the order
  const Bytes rest = Digits(rng, prefix - 1);      // of operands unspecified
  return "PID" + lead + rest + StampDigits(s, true);
}
Bytes ItemId(const Stamp& s, Rng& rng) {
  const int kind = rng.Below(100);
  if (kind < 88) return StampDigits(s, false);                                        // 17 digits
  if (kind < 96) return Pad(rng.Between(10000, 99999), 5) + StampDigits(s, false);   // 22
  return Pad(rng.Between(1000, 9999), 4) + StampDigits(s, false);                    // 21
}

// Ids must stay unique across the tables, ignoring case, except where a
// package and an activity share one on purpose.
class IdRegistry {
 public:
  bool Claim(const Bytes& id) { return used_.insert(Lower(id)).second; }

 private:
  std::set<Bytes> used_;
};

// A new id from `make(stamp)`, and the stamp it was made from.
template <typename Make>
std::pair<Bytes, Stamp> NewId(IdRegistry& ids, Rng& rng, Make make) {
  for (;;) {
    const Stamp s = RandomStamp(rng);
    Bytes id = make(s);
    if (ids.Claim(id)) return {id, s};
  }
}

// ---- Lengths and texts ---------------------------------------------------

// Moves `diff` units onto (or off) `values`, one at a time at random places,
// keeping each within [lo, hi].
void Spread(std::vector<int>& values, const std::vector<int>& lo, const std::vector<int>& hi, int64_t diff,
            Rng& rng) {
  int64_t room = 0;
  for (size_t i = 0; i < values.size(); ++i) room += diff > 0 ? hi[i] - values[i] : values[i] - lo[i];
  Require(room >= (diff > 0 ? diff : -diff), "not enough room to reach an exact count");
  while (diff != 0) {
    const auto i = static_cast<size_t>(rng.Below(static_cast<int>(values.size())));
    if (diff > 0 && values[i] < hi[i]) ++values[i], --diff;
    if (diff < 0 && values[i] > lo[i]) --values[i], ++diff;
  }
}

// Common words (GBK) and a few ASCII pieces that make descriptions look like
// the operator's.
const std::vector<Bytes> kWords = {
    "\xC0\xF1\xB0\xFC", "\xB6\xD2\xBB\xBB", "\xBB\xEE\xB6\xAF", "\xD3\xC0\xBE\xC3", "\xB5\xC0\xBE\xDF",
    "\xBD\xB1\xC0\xF8", "\xC7\xBF\xBB\xAF", "\xCC\xE5\xD1\xE9", "\xBB\xE1\xD4\xB1", "\xD0\xC2\xB4\xBA",
    "\xBB\xFD\xB7\xD6", "\xC8\xFC\xCA\xC2", "\xC0\xF1\xC6\xB7", "\xBE\xAD\xD1\xE9\xBF\xA8",
    "\xCB\xAB\xB1\xB6", "\xBD\xC7\xC9\xAB\xBF\xA8", "\xC5\xE7\xC6\xE1", "\xCA\xD6\xC0\xD7",
    "\xD5\xBD\xB6\xD3", "\xB3\xE4\xD6\xB5", "\xBB\xD8\xC0\xA1", "\xD6\xDC\xC4\xEA", "\xC7\xEC\xB5\xE4",
    "\xCF\xDE\xC1\xBF", "\xD7\xA8\xCA\xF4", "\xB2\xB9\xB3\xA5", "\xB3\xE9\xBD\xB1", "\xD0\xD2\xD4\xCB",
    "\xCD\xF8\xB0\xC9", "\xCC\xD8\xC8\xA8", "\xBE\xFC\xCF\xCE", "\xCC\xF4\xD5\xBD", "\xB6\xE1\xB1\xA6",
    "\xBE\xD1\xBB\xF7", "\xB2\xBD\xC7\xB9", "\xCA\xD6\xC7\xB9", "\xCC\xEC", "\xB8\xF6", "\xB4\xCE"};
// 礼包 兑换 活动 永久 道具 奖励 强化 体验 会员 新春 积分 赛事 礼品 经验卡 双倍 角色卡 喷漆 手雷
// 战队 充值 回馈 周年 庆典 限量 专属 补偿 抽奖 幸运 网吧 特权 军衔 挑战 夺宝 狙击 步枪 手枪 天 个 次
const std::vector<Bytes> kAsciiPieces = {"AK47", "M4A1", "-S", "-B", "(", ")", "*5", "VIP", "QT", "30",
                                         "7",    "1",    "-",  " ", "_", "+", "X",  "2",   "A"};

struct DescPlan {
  int length = 0;
  int double_bytes = 0;
  bool tab = false;
  bool comma = false;
};

int AsciiFloor(const DescPlan& p) { return (p.tab ? 1 : 0) + (p.comma ? 1 : 0); }

Bytes Chinese(int chars, Rng& rng) {
  Bytes out;
  while (chars > 0) {
    const Bytes& word = rng.Pick(kWords);
    const int n = static_cast<int>(word.size()) / 2;
    if (n <= chars) {
      out += word;
      chars -= n;
    } else {  // one GB2312 level-1 character
      out += static_cast<char>(rng.Between(0xB0, 0xD6));
      out += static_cast<char>(rng.Between(0xA1, 0xFE));
      --chars;
    }
  }
  return out;
}

Bytes Ascii(int bytes, bool tab, bool comma, Rng& rng) {
  Bytes out;
  const int fixed = (tab ? 1 : 0) + (comma ? 1 : 0);
  while (static_cast<int>(out.size()) < bytes - fixed) {
    const Bytes& piece = rng.Pick(kAsciiPieces);
    if (static_cast<int>(out.size() + piece.size()) <= bytes - fixed) out += piece;
  }
  if (tab) out.insert(static_cast<size_t>(rng.Below(static_cast<int>(out.size()) + 1)), 1, '\t');
  if (comma) out.insert(static_cast<size_t>(rng.Below(static_cast<int>(out.size()) + 1)), 1, ',');
  return out;
}

// Chinese words around an ASCII part, exactly as long as planned.
Bytes DescText(const DescPlan& p, Rng& rng) {
  const int before = p.double_bytes == 0 ? 0 : rng.Between(p.double_bytes / 2, p.double_bytes);
  const Bytes head = Chinese(before, rng);
  const Bytes ascii = Ascii(p.length - 2 * p.double_bytes, p.tab, p.comma, rng);
  return head + ascii + Chinese(p.double_bytes - before, rng);
}

int RandomNum(Rng& rng) {
  const int kind = rng.Below(100);
  if (kind < 70) return 1;
  if (kind < 80) return rng.Between(2, 9);
  if (kind < 92) return rng.Between(10, 99);
  return rng.Between(100, 999);
}

int NumDigits(int n) { return static_cast<int>(std::to_string(n).size()); }

int NumWithDigits(int digits, Rng& rng) {
  if (digits == 1) return rng.Between(1, 9);
  if (digits == 2) return rng.Between(10, 99);
  return rng.Between(100, 999);
}

// ---- Batch keys -----------------------------------------------------------

// Shapes of the first five characters (L letter, D digit); the sixth is a digit.
struct KeyShape {
  std::string_view pattern;
  int count;     // keys of this shape
  int not_zero;  // of them, keys whose last digit is not 0
};
constexpr std::array<KeyShape, 6> kKeyShapes = {{{"LLLLL", 3758, 230},
                                                 {"DDDLL", 433, 30},
                                                 {"DDDDD", 260, 20},
                                                 {"DDDDL", 203, 15},
                                                 {"DDDLD", 189, 12},
                                                 {"DDLLL", 1, 0}}};

Bytes ShapeOf(std::string_view key) {
  Bytes shape;
  for (char c : key.substr(0, 5)) shape += (c >= '0' && c <= '9') ? 'D' : 'L';
  return shape;
}

Bytes RandomBase(std::string_view pattern, Rng& rng) {
  Bytes base;
  for (char c : pattern)
    base += c == 'D' ? static_cast<char>('0' + rng.Below(10))
                     : kKeyLetters[static_cast<size_t>(rng.Below(static_cast<int>(kKeyLetters.size())))];
  return base;
}

// Codes that the known answers expect to find nothing or one known row must
// stay that way: no other key may end in "KGUD0" or "AKG0", nor be "ZZZZZ0".
bool ReservedBase(std::string_view base) {
  return base.substr(1, 4) == "KGUD" || base.substr(2, 3) == "AKG" || base == "ZZZZZ";
}

// ---- The tables ------------------------------------------------------------

struct Builder {
  Rng rng{0x4344'4B5F'5354'414Eull};
  Tables known = KnownRows();
  Tables t;
  IdRegistry ids;
  std::vector<Stamp> package_stamps;  // per filler package
  std::vector<DescPlan> package_descs, activity_descs, item_descs;  // per filler row
  std::vector<Bytes> own_activities;  // made-up activities that are no package

  void ClaimKnown() {
    for (const auto& r : known.packages) ids.Claim(r.id);
    for (const auto& r : known.activities) ids.Claim(r.id);
    for (const auto& r : known.goods_sets) ids.Claim(r.id);
    for (const auto& r : known.items) ids.Claim(r.id);
    for (const auto& r : known.batches) ids.Claim(r.mpid);
  }

  int64_t BytesOff(size_t table) const { return kTableTargets[table].bytes - TableBytes(t)[table]; }
  int FillerCount(size_t table, size_t known_rows) const {
    return kTableTargets[table].entries - static_cast<int>(known_rows);
  }

  void MakeGames() {
    t.games = known.games;
    std::set<Bytes> keys;
    for (const auto& g : t.games) keys.insert(g.id);
    const int fillers = FillerCount(5, known.games.size());
    for (int i = 0; i < fillers; ++i) {
      Bytes id;
      do id = Pad(rng.Between(1000, 9999), 4);
      while (!keys.insert(id).second);
      Bytes name(1, kSuffixChars[static_cast<size_t>(rng.Below(26))]);
      const int more = rng.Below(5);
      for (int k = 0; k < more; ++k) name += kSuffixChars[static_cast<size_t>(rng.Below(36))];
      t.games.push_back({id, name});
    }
    std::vector<int> lengths, lo, hi;
    for (size_t i = known.games.size(); i < t.games.size(); ++i) {
      lengths.push_back(static_cast<int>(t.games[i].name.size()));
      lo.push_back(1);
      hi.push_back(9);
    }
    Spread(lengths, lo, hi, BytesOff(5), rng);
    for (size_t i = 0; i < lengths.size(); ++i) {
      Bytes& name = t.games[known.games.size() + i].name;
      while (static_cast<int>(name.size()) < lengths[i]) name += kSuffixChars[static_cast<size_t>(rng.Below(36))];
      name.resize(static_cast<size_t>(lengths[i]));
    }
  }

  void MakeItems() {
    t.items = known.items;
    int with_game = 0;
    for (const auto& r : known.items) with_game += r.game.empty() ? 0 : 1;
    const int fillers = FillerCount(4, known.items.size());
    for (int i = 0; i < fillers; ++i) {
      const Bytes id = NewId(ids, rng, [&](const Stamp& st) { return ItemId(st, rng); }).first;
      const bool game = i < 2 - with_game;
      t.items.push_back({id, "", game ? "1109" : ""});
      item_descs.push_back({rng.Between(4, 30), 0, false, false});
    }
  }

  void MakeGoodsSets() {
    t.goods_sets = known.goods_sets;
    int known_singles = 0;
    for (const auto& r : known.goods_sets) known_singles += r.items.size() == 1 ? 1 : 0;
    const int fillers = FillerCount(3, known.goods_sets.size());
    const int singles = 4347 - known_singles;
    // Every item is used at least once: take them from a shuffled round.
    std::vector<Bytes> round;
    size_t next = 0;
    auto next_item = [&] {
      if (next == round.size()) {
        round.clear();
        for (const auto& item : t.items) round.push_back(item.id);
        Shuffle(round, rng);
        next = 0;
      }
      return round[next++];
    };
    for (int i = 0; i < fillers; ++i) {
      GoodsSetRow row{NewId(ids, rng, [&](const Stamp& st) { return GoodsSetId(st, rng); }).first, {}};
      const int count = i < singles ? 1 : (i == singles ? 22 : 2 + rng.Below(rng.Below(10) + 1));
      while (static_cast<int>(row.items.size()) < count) {
        Bytes id = next_item();
        const bool repeated = std::any_of(row.items.begin(), row.items.end(),
                                          [&](const ItemCount& it) { return it.id == id; });
        if (!repeated) row.items.push_back({id, RandomNum(rng)});
      }
      if (i == 0) row.items[0].num = 1000;  // the largest count in the tables
      t.goods_sets.push_back(row);
    }
    FitGoodsSetBytes(known.goods_sets.size());
    Shuffle(t.goods_sets.begin() + static_cast<std::ptrdiff_t>(known.goods_sets.size()), t.goods_sets.end(), rng);
  }

  // Items are added to or taken from the made-up sets of 2 to 21 items until
  // the table is within a few bytes, then counts gain or lose digits.
  void FitGoodsSetBytes(size_t first_filler) {
    const size_t n = t.goods_sets.size() - first_filler;
    auto filler = [&]() -> GoodsSetRow& {
      return t.goods_sets[first_filler + static_cast<size_t>(rng.Below(static_cast<int>(n)))];
    };
    // An item adds its object and a comma.
    auto item_bytes = [](const ItemCount& it) {
      return static_cast<int64_t>(1 + std::string_view("{id:\"\",num:}").size() + it.id.size() +
                                  std::to_string(it.num).size());
    };
    for (int64_t off = BytesOff(3); off > 40 || off < 0;) {
      GoodsSetRow& row = filler();
      const size_t size = row.items.size();
      if (off > 40 && size >= 2 && size < 21) {
        const ItemCount added{rng.Pick(t.items).id, 1};
        const bool repeated = std::any_of(row.items.begin(), row.items.end(),
                                          [&](const ItemCount& it) { return it.id == added.id; });
        if (!repeated) row.items.push_back(added), off -= item_bytes(added);
      } else if (off < 0 && size >= 3 && size <= 21 && row.items.back().num != 1000) {
        off += item_bytes(row.items.back());
        row.items.pop_back();
      }
    }
    for (int64_t off = BytesOff(3); off != 0;) {
      std::vector<ItemCount>& items = filler().items;
      ItemCount& item = items[static_cast<size_t>(rng.Below(static_cast<int>(items.size())))];
      const int digits = NumDigits(item.num);
      if (item.num == 1000) continue;
      if (off > 0 && digits < 3) item.num = NumWithDigits(digits + 1, rng), --off;
      if (off < 0 && digits > 1) item.num = NumWithDigits(digits - 1, rng), ++off;
    }
  }

  void MakePackageIds() {
    int ma = 0, suffixed = 0, bare = 0;
    for (const auto& r : known.packages) {
      if (r.id.rfind("MA", 0) == 0) ++ma;
      else if (r.id.find('_') != Bytes::npos) ++suffixed;
      else ++bare;
    }
    struct Plan { int count; int kind; };
    const std::array<Plan, 3> plans = {{{4540 - ma, 0}, {176 - suffixed, 1}, {17 - bare, 2}}};
    std::vector<PackageRow> rows;
    for (const Plan& plan : plans) {
      for (int i = 0; i < plan.count; ++i) {
        const auto [id, s] = NewId(ids, rng, [&](const Stamp& st) {
          if (plan.kind == 0) return MaId(st);
          if (plan.kind == 1) {
            const Bytes id = Mp12Id(st, rng);
            return id + Suffix(rng);
          }
          return Mp12Id(st, rng);
        });
        PackageRow row;
        row.id = id;
        row.begintime = DateTime(s, "00:00:00");
        row.endtime = DateTime(MonthsLater(s, rng.Between(1, 12)), "23:59:59");
        rows.push_back(row);
        package_stamps.push_back(s);
      }
    }
    // Shuffle rows and stamps together.
    std::vector<size_t> order(rows.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    Shuffle(order, rng);
    t.packages = known.packages;
    std::vector<Stamp> stamps;
    for (size_t i : order) {
      t.packages.push_back(rows[i]);
      stamps.push_back(package_stamps[i]);
    }
    package_stamps = stamps;
  }

  void MakeActivities() {
    const size_t first_filler_package = known.packages.size();
    int known_shared = 0, known_zero = 0;
    for (const auto& a : known.activities) {
      for (const auto& p : known.packages) known_shared += a.id == p.id ? 1 : 0;
      known_zero += a.begintime.rfind("0000", 0) == 0 ? 1 : 0;
    }
    t.activities = known.activities;
    // Made-up packages that are activities too name themselves as their
    // activity.
    std::vector<size_t> candidates;
    for (size_t i = first_filler_package; i < t.packages.size(); ++i)
      if (t.packages[i].id.find('_') == Bytes::npos) candidates.push_back(i);
    Shuffle(candidates, rng);
    std::vector<ActivityRow> fillers;
    const int shared = 143 - known_shared;
    for (int i = 0; i < shared; ++i) {
      PackageRow& p = t.packages[candidates[static_cast<size_t>(i)]];
      p.mainmpid = p.id;
      const Stamp s = package_stamps[candidates[static_cast<size_t>(i)] - first_filler_package];
      fillers.push_back({p.id, "", "1109", DateTime(s, "00:00:00"),
                         DateTime(MonthsLater(s, rng.Between(1, 12)), "00:00:00")});
    }
    const int others = FillerCount(2, known.activities.size()) - shared;
    for (int i = 0; i < others; ++i) {
      const int kind = rng.Below(10);
      const auto [id, s] = NewId(ids, rng, [&](const Stamp& st) {
        return kind < 6 ? MaId(st) : kind < 8 ? Mp17Id(st) : Mp12Id(st, rng);
      });
      own_activities.push_back(id);
      fillers.push_back({id, "", "1109", DateTime(s, "00:00:00"),
                         DateTime(MonthsLater(s, rng.Between(1, 12)), "00:00:00")});
    }
    Shuffle(fillers, rng);
    const int zero = 601 - known_zero;
    for (int i = 0; i < zero; ++i) {
      fillers[static_cast<size_t>(i)].begintime = "0000-00-00 00:00:00";
      fillers[static_cast<size_t>(i)].endtime = "0000-00-00 00:00:00";
    }
    Shuffle(fillers, rng);
    for (const auto& a : fillers) {
      t.activities.push_back(a);
      activity_descs.push_back({rng.Between(6, 40), 0, false, false});
    }
  }

  void FinishPackages() {
    const size_t first = known.packages.size();
    // Activities: each made-up one is some package's main activity.
    size_t next_own = 0;
    for (size_t i = first; i < t.packages.size(); ++i) {
      PackageRow& p = t.packages[i];
      if (!p.mainmpid.empty()) continue;
      p.mainmpid = next_own < own_activities.size() ? own_activities[next_own++] : rng.Pick(t.activities).id;
    }
    // Goods sets: every made-up set belongs to exactly one made-up package;
    // 13 packages in all have several, one of them 26.
    std::vector<Bytes> sets;
    for (size_t i = known.goods_sets.size(); i < t.goods_sets.size(); ++i) sets.push_back(t.goods_sets[i].id);
    Shuffle(sets, rng);
    int known_multi = 0;
    for (const auto& p : known.packages) known_multi += p.goodssets.size() > 1 ? 1 : 0;
    const int fillers = static_cast<int>(t.packages.size() - first);
    const int multi = 13 - known_multi;
    const int multi_total = static_cast<int>(sets.size()) - (fillers - multi);
    std::vector<int> sizes(static_cast<size_t>(multi), 2), lo(sizes.size(), 2), hi(sizes.size(), 25);
    sizes[0] = lo[0] = hi[0] = 26;
    Spread(sizes, lo, hi, multi_total - (26 + 2 * (multi - 1)), rng);
    std::vector<size_t> multi_rows;
    for (int i = 0; i < multi; ++i) multi_rows.push_back(first + static_cast<size_t>(rng.Below(fillers)));
    std::sort(multi_rows.begin(), multi_rows.end());
    Require(std::adjacent_find(multi_rows.begin(), multi_rows.end()) == multi_rows.end(), "multi-set rows collide");
    size_t next_set = 0;
    for (size_t i = first; i < t.packages.size(); ++i) {
      int count = 1;
      for (size_t m = 0; m < multi_rows.size(); ++m) count = multi_rows[m] == i ? sizes[m] : count;
      for (int k = 0; k < count; ++k) t.packages[i].goodssets.push_back(sets[next_set++]);
    }
    Require(next_set == sets.size(), "goods sets left over");
    // Descriptions: lengths now, texts once the byte budget is known.
    int known_tab = 0, known_comma = 0;
    for (const auto& p : known.packages) {
      known_tab += p.desc.find('\t') != Bytes::npos ? 1 : 0;
      known_comma += p.desc.find(',') != Bytes::npos ? 1 : 0;
    }
    for (int i = 0; i < fillers; ++i) package_descs.push_back({rng.Between(8, 44), 0, false, false});
    for (size_t i = 0, n = 0; n < static_cast<size_t>(1191 - known_tab); ++i)
      if (!package_descs[i % package_descs.size()].tab && rng.Percent(25)) package_descs[i % package_descs.size()].tab = true, ++n;
    for (size_t i = 0, n = 0; n < static_cast<size_t>(67 - known_comma); ++i)
      if (!package_descs[i % package_descs.size()].comma && rng.Percent(2)) package_descs[i % package_descs.size()].comma = true, ++n;
  }

  void MakeBatches() {
    std::set<Bytes> bases;
    std::array<int, 6> known_zero{}, known_other{};
    for (const auto& b : known.batches) {
      bases.insert(b.key.substr(0, 5));
      for (size_t s = 0; s < kKeyShapes.size(); ++s)
        if (ShapeOf(b.key) == kKeyShapes[s].pattern) (b.key.back() == '0' ? known_zero : known_other)[s]++;
    }
    struct Group {
      BatchRow zero;
      std::vector<BatchRow> others;
    };
    std::vector<Group> groups;
    for (size_t s = 0; s < kKeyShapes.size(); ++s) {
      const KeyShape& shape = kKeyShapes[s];
      const int zero = shape.count - shape.not_zero - known_zero[s];
      const int other = shape.not_zero - known_other[s];
      Require(zero >= other && other >= 0, "key shape counts");
      for (int i = 0; i < zero; ++i) {
        Bytes base;
        do base = RandomBase(shape.pattern, rng);
        while (ReservedBase(base) || !bases.insert(base).second);
        Group g{{base + "0", "", "DNFHZ"}, {}};
        if (i < other) g.others.push_back({base + static_cast<char>('0' + rng.Between(1, 9)), "", "DNFHZ"});
        groups.push_back(g);
      }
    }
    Shuffle(groups, rng);
    // Package ids: the made-up packages, all but 201 used; a batch ending in
    // another digit shares its 0-sibling's package; two more batches repeat one.
    std::vector<Bytes> used;
    for (size_t i = known.packages.size(); i < t.packages.size(); ++i) used.push_back(t.packages[i].id);
    Shuffle(used, rng);
    int known_distinct = 0;
    {
      std::set<Bytes> d;
      for (const auto& b : known.batches) d.insert(b.mpid);
      known_distinct = static_cast<int>(d.size());
    }
    used.resize(static_cast<size_t>(4536 - known_distinct));
    Require(used.size() + 2 == groups.size(), "batch and package counts");
    const size_t repeat_a = static_cast<size_t>(rng.Below(static_cast<int>(groups.size())));
    const size_t repeat_b = (repeat_a + 1 + static_cast<size_t>(rng.Below(static_cast<int>(groups.size()) - 1))) % groups.size();
    size_t next = 0;
    for (size_t g = 0; g < groups.size(); ++g) {
      groups[g].zero.mpid = (g == repeat_a || g == repeat_b) ? rng.Pick(used) : used[next++];
      for (auto& o : groups[g].others) o.mpid = groups[g].zero.mpid;
    }
    // Rows in file order: known rows first, "AKGUD0" last.
    t.batches.assign(known.batches.begin(), known.batches.end() - 1);
    std::vector<size_t> repeats;  // rows whose package an earlier row already names
    for (size_t g = 0; g < groups.size(); ++g) {
      if (g == repeat_a || g == repeat_b) repeats.push_back(t.batches.size());
      t.batches.push_back(groups[g].zero);
      for (const auto& o : groups[g].others) {
        repeats.push_back(t.batches.size());
        t.batches.push_back(o);
      }
    }
    t.batches.push_back(known.batches.back());
    int known_club = 0;
    for (const auto& b : known.batches) known_club += b.servicecode == "CFCLUB" ? 1 : 0;
    const int fillers = static_cast<int>(t.batches.size() - known.batches.size());
    for (int n = 0; n < 124 - known_club;) {
      BatchRow& b = t.batches[known.batches.size() - 1 + static_cast<size_t>(rng.Below(fillers))];
      if (b.servicecode == "DNFHZ") b.servicecode = "CFCLUB", ++n;
    }
    FitBatchBytes(used, repeats);
  }

  // The table's size depends only on the package ids it names: repeated
  // package ids move to used ids of other lengths until it fits.
  void FitBatchBytes(const std::vector<Bytes>& used, const std::vector<size_t>& repeats) {
    std::array<std::vector<Bytes>, 32> by_length;
    for (const Bytes& id : used) by_length[id.size()].push_back(id);
    int64_t off = BytesOff(0);
    for (int guard = 0; off != 0; ++guard) {
      Require(guard < 1000000, "batch table size out of reach");
      BatchRow& row = t.batches[repeats[static_cast<size_t>(rng.Below(static_cast<int>(repeats.size())))]];
      const int64_t current = static_cast<int64_t>(row.mpid.size());
      const int64_t want = current + std::clamp<int64_t>(off, -6, 6);
      int64_t best = current;
      for (int64_t len = 0; len < 32; ++len)
        if (!by_length[static_cast<size_t>(len)].empty() && std::abs(len - want) < std::abs(best - want)) best = len;
      if (best == current) continue;
      row.mpid = rng.Pick(by_length[static_cast<size_t>(best)]);
      off -= best - current;
    }
  }

  // Descriptions fill what is left of each table's size; their Chinese
  // characters make up the file's double-byte count.
  void WriteDescriptions() {
    struct Target {
      size_t table;
      std::vector<DescPlan>* plans;
      int lo, hi;
    };
    const std::array<Target, 3> targets = {{{1, &package_descs, 4, 56}, {2, &activity_descs, 4, 56}, {4, &item_descs, 4, 40}}};
    const size_t known_rows[6] = {0, known.packages.size(), known.activities.size(), 0, known.items.size(), 0};
    int longest = -1;  // one package description is the longest allowed
    for (size_t i = 0; i < package_descs.size() && longest < 0; ++i)
      if (!package_descs[i].tab && !package_descs[i].comma) longest = static_cast<int>(i), package_descs[i].length = 56;
    std::vector<DescPlan*> all;
    for (const Target& target : targets) {
      std::vector<int> lengths, lo, hi;
      int64_t planned = 0;
      for (size_t i = 0; i < target.plans->size(); ++i) {
        const DescPlan& p = (*target.plans)[i];
        const bool fixed = target.table == 1 && static_cast<int>(i) == longest;
        lengths.push_back(p.length);
        lo.push_back(fixed ? 56 : std::max(target.lo, AsciiFloor(p) + 2));
        hi.push_back(fixed ? 56 : target.hi);
        planned += p.length;
        all.push_back(&(*target.plans)[i]);
      }
      // Placeholders show how many bytes the descriptions must take.
      SetDescs(target.table, known_rows[target.table], std::vector<Bytes>(target.plans->size(), Bytes()));
      Spread(lengths, lo, hi, BytesOff(target.table) - planned, rng);
      for (size_t i = 0; i < lengths.size(); ++i) (*target.plans)[i].length = lengths[i];
    }
    const int known_double = DoubleByteChars(WriteDataFile(known)) ;
    std::vector<int> chars, lo, hi;
    int64_t planned = 0;
    for (DescPlan* p : all) {
      const int room = (p->length - AsciiFloor(*p)) / 2;
      chars.push_back(room * rng.Between(3, 10) / 10);
      lo.push_back(0);
      hi.push_back(room);
      planned += chars.back();
    }
    Spread(chars, lo, hi, kDoubleByteChars - known_double - planned, rng);
    for (size_t i = 0; i < all.size(); ++i) all[i]->double_bytes = chars[i];
    for (const Target& target : targets) {
      std::vector<Bytes> texts;
      for (const DescPlan& p : *target.plans) texts.push_back(DescText(p, rng));
      SetDescs(target.table, known_rows[target.table], texts);
    }
  }

  void SetDescs(size_t table, size_t first, const std::vector<Bytes>& texts) {
    for (size_t i = 0; i < texts.size(); ++i) {
      if (table == 1) t.packages[first + i].desc = texts[i];
      if (table == 2) t.activities[first + i].desc = texts[i];
      if (table == 4) t.items[first + i].desc = texts[i];
    }
  }
};

}  // namespace

Tables FullSizeStandIn() {
  Builder b;
  b.ClaimKnown();
  b.MakeGames();
  b.MakeItems();
  b.MakeGoodsSets();
  b.MakePackageIds();
  b.MakeActivities();
  b.FinishPackages();
  b.MakeBatches();
  b.WriteDescriptions();
  const auto bytes = TableBytes(b.t);
  for (size_t i = 0; i < bytes.size(); ++i) Require(bytes[i] == kTableTargets[i].bytes, "table size missed");
  Require(DoubleByteChars(WriteDataFile(b.t)) == kDoubleByteChars, "double-byte count missed");
  return b.t;
}

}  // namespace cdk::standin
