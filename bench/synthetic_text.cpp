#include "bench/synthetic_text.h"

#include <random>

namespace cdk::bench {
namespace {

class RowMaker {
 public:
  explicit RowMaker(uint64_t seed) : rng_(seed) {}

  size_t Below(size_t n) { return static_cast<size_t>(rng_() % n); }

  std::string Digits(size_t n) {
    std::string s;
    for (size_t k = 0; k < n; ++k) s += static_cast<char>('0' + Below(10));
    return s;
  }
  std::string BatchKey() {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNPQRSTUVWXYZ";  // no O
    std::string s;
    for (int k = 0; k < 5; ++k) s += kLetters[Below(sizeof kLetters - 1)];
    return s + static_cast<char>(Below(10) < 9 ? '0' : '1' + Below(9));
  }
  std::string PackageId() { return Below(20) == 0 ? "MP" + Digits(12) + "_vip" : "MA" + Digits(17); }
  // GB2312-range characters with ASCII runs between them, as in the tables'
  // descriptions; some hold a TAB or a comma.
  std::string Description() {
    std::string s;
    size_t chars = 4 + Below(16);
    for (size_t k = 0; k < chars; ++k) {
      switch (Below(8)) {
        case 0: s += Digits(1 + Below(2)); break;
        case 1: s += static_cast<char>("()*-_ \t,"[Below(8)]); break;
        case 2: s += static_cast<char>('A' + Below(26)); break;
        default:
          s += static_cast<char>(0xB0 + Below(0x48));
          s += static_cast<char>(0xA1 + Below(0x5E));
      }
    }
    return s;
  }
  std::string Date() { return "20" + Digits(2) + "-0" + Digits(1) + "-1" + Digits(1) + " 00:00:00"; }

 private:
  std::mt19937_64 rng_;
};

// One table of about `bytes` bytes; `planted`, when given, is the row at
// `planted_at` (a fraction of the table).
void Table(std::string& out, const char* name, size_t bytes, RowMaker& rows,
           std::string (*row)(RowMaker&), const std::string& planted = {}, double planted_at = 0) {
  out += "var ";
  out += name;
  out += "=\r\n{\r\n";
  const size_t begin = out.size();
  bool planted_done = planted.empty();
  while (out.size() < begin + bytes) {
    if (!planted_done && out.size() >= begin + static_cast<size_t>(planted_at * bytes)) {
      out += "\t" + planted + ",\r\n";
      planted_done = true;
    }
    out += "\t" + row(rows) + ",\r\n";
  }
  out.resize(out.size() - 3);  // the last row has no comma
  out += "\r\n}";
}

std::string BatchRow(RowMaker& r) {
  return "\"" + r.BatchKey() + "\":{mpid:\"" + r.PackageId() + "\",servicecode:\"DNFHZ\"}";
}
std::string PackageRow(RowMaker& r) {
  std::string id = r.PackageId();
  return "\"" + id + "\":{desc:\"" + r.Description() + "\",mainmpid:\"" + id + "\",begintime:\"" +
         r.Date() + "\",endtime:\"" + r.Date() + "\",goodssets:[\"PID" + r.Digits(19) +
         "\"],remark:\"\"}";
}
std::string ActivityRow(RowMaker& r) {
  return "\"" + r.PackageId() + "\":{desc:\"" + r.Description() + "\",game:\"1109\",begintime:\"" +
         r.Date() + "\",endtime:\"" + r.Date() + "\"}";
}
std::string GiftRow(RowMaker& r) {
  std::string items;
  for (size_t k = 1 + (r.Below(8) == 0 ? r.Below(5) : 0); k > 0; --k) {
    items += "{id:\"" + r.Digits(17) + "\",num:" + std::to_string(1 + r.Below(100)) + "}" + (k > 1 ? "," : "");
  }
  return "\"PID" + r.Digits(19) + "\":{desc:\"\",itemsinfo:[" + items + "]}";
}
std::string ItemRow(RowMaker& r) {
  return "\"" + r.Digits(17) + "\":{desc:\"" + r.Description() + "\",game:\"\"}";
}
std::string GameRow(RowMaker& r) { return "\"" + r.Digits(4) + "\":\"cf\""; }

}  // namespace

std::string SyntheticGiftCodeText(size_t size) {
  RowMaker rows(1830166);
  const double scale = static_cast<double>(size) / 1830166.0;
  auto share = [&](double bytes) { return static_cast<size_t>(bytes * scale); };
  std::string out;
  out.reserve(size + 4096);
  Table(out, "MP_CDKEYID_INFO", share(295000), rows, BatchRow,
        "\"AKGUD0\":{mpid:\"MA20130427115620141\",servicecode:\"DNFHZ\"}", 0.97);
  out += "\r\n";
  Table(out, "MP_MPID_INFO", share(940000), rows, PackageRow,
        "\"MA20130427115620141\":{desc:\"\xA1\xBEQT\xA1\xBF" "5\xD4\xC2\xD7\xCA\xD4\xB4 _"
        "\xCE\xC8\xB6\xA8\xC7\xBF\xBB\xAF\xBC\xC1*5(\xD4\xCB\xD3\xAA\xBB\xEE\xB6\xAF)\","
        "mainmpid:\"MA20130427115620141\",begintime:\"2013-04-27 00:00:00\","
        "endtime:\"2013-05-27 23:59:59\",goodssets:[\"PID4998100426144954544\"],remark:\"\"}",
        0.9);
  out += "\r\n";
  Table(out, "MP_ACT_INFO", share(106000), rows, ActivityRow);
  out += "\r\n";
  Table(out, "MP_GIFT_INFO", share(446000), rows, GiftRow);
  out += "\r\n";
  Table(out, "MP_ITEM_INFO", share(40000), rows, ItemRow);
  out += "\r\n";
  Table(out, "MP_GMAE_INFO", size > out.size() ? size - out.size() : 0, rows, GameRow);
  out.resize(size - 1);
  out += "}";
  return out;
}

}  // namespace cdk::bench
