// LoadDatabaseText with any bytes standing at the data path. A file left
// there by another program is only searched when our write fails, so the
// write succeeds, fails, or stops midway as the input says.
//
// Input: one options byte, one count byte, then the bytes of the file that
// stands at the path before the load (zero bytes included).
//   bit 0  the write fails before writing anything
//   bit 1  the write stops after `count` bytes of the carried copy and fails
//   bit 2  the read-back fails
//   bit 3  the carried copy is empty
//   bit 4  the carried copy holds a zero byte
#include <cstdint>
#include <string>

#include "data/loader.h"
#include "fuzz/fuzz_support.h"
#include "lookup/lookup.h"

namespace {

using cdk::fuzz::Hex;

constexpr std::string_view kPath = "C:\\WINDOWS/data";
constexpr std::string_view kCarried =
    "var MP_CDKEYID_INFO=\r\n{\r\n\t\"AKGUD0\":{mpid:\"MA20130427115620141\",servicecode:\"DNFHZ\"}"
    "\r\n}\r\nvar MP_MPID_INFO=\r\n{\r\n\t\"MA20130427115620141\":{desc:\"\xB5\xC0\xBE\xDF\","
    "remark:\"\"}\r\n}";
constexpr std::string_view kCarriedWithZero = std::string_view("var A=\r\n{\0AKGUD0\"}", 18);

// One file in memory; the write behaves as the options say.
class MemoryFiles final : public cdk::FileBytes {
 public:
  MemoryFiles(std::string file, uint8_t options, size_t count)
      : file_(std::move(file)), options_(options), count_(count) {}

  bool WriteFileBytes(cdk::TextView path, cdk::ByteView bytes) override {
    CheckPath(path);
    if (options_ & 1) return false;
    if (options_ & 2) {
      file_.assign(bytes.data(), bytes.size() < count_ ? bytes.size() : count_);
      return false;
    }
    file_.assign(bytes.data(), bytes.size());
    return true;
  }
  cdk::ByteBuffer ReadFileBytes(cdk::TextView path) override {
    CheckPath(path);
    if (options_ & 4) return {};
    return cdk::ByteBuffer(file_.begin(), file_.end());
  }
  const std::string& file() const { return file_; }

 private:
  static void CheckPath(cdk::TextView path) {
    if (path != kPath) cdk::fuzz::Fail("the loader uses the path it is given", Hex(path));
  }
  std::string file_;
  uint8_t options_;
  size_t count_;
};

std::string BeforeFirstZero(std::string_view bytes) {
  return std::string(bytes.substr(0, bytes.find('\0')));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t options = data[0];
  const size_t count = data[1];
  const std::string earlier(reinterpret_cast<const char*>(data + 2), size - 2);
  const std::string_view carried_text =
      (options & 8) ? std::string_view() : (options & 16) ? kCarriedWithZero : kCarried;
  const cdk::fuzz::ExactText carried_block(carried_text);
  const cdk::ByteView carried(carried_block.view().data(), carried_block.view().size());

  MemoryFiles files(earlier, options, count);
  const std::string got = cdk::LoadDatabaseText(files, kPath, carried);

  // What stands at the path after the write, then what the read-back yields;
  // when that is empty the carried copy itself serves.
  const std::string after_write = (options & 1)   ? earlier
                                  : (options & 2) ? std::string(carried_text.substr(0, count))
                                                  : std::string(carried_text);
  if (files.file() != after_write) cdk::fuzz::Fail("the write puts the carried copy", Hex(files.file()));
  std::string want = (options & 4) ? std::string() : BeforeFirstZero(after_write);
  if (want.empty()) want = BeforeFirstZero(carried_text);
  if (got != want) {
    cdk::fuzz::Fail("LoadDatabaseText", "options " + std::to_string(options) + " count " +
                                            std::to_string(count) + "\nfile " + Hex(earlier) +
                                            "\ngot  " + Hex(got) + "\nwant " + Hex(want));
  }
  if (got.find('\0') != std::string::npos) cdk::fuzz::Fail("a database text holds no zero", Hex(got));

  // Whatever was loaded, a lookup answers without harm and keeps its rules.
  const cdk::LookupResult result = cdk::LookupItemName(got, "AKGUD");
  if (cdk::fuzz::HoldsCharacter(result.package_id, '"') ||
      (result.package_id.empty() && !result.item_name.empty())) {
    cdk::fuzz::Fail("a lookup on the loaded text", Hex(result.package_id) + " / " +
                                                      Hex(result.item_name));
  }
  return 0;
}
