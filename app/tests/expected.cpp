#include "app/tests/expected.h"

#include <windows.h>

#include <vector>

#include "app/tests/driver.h"
#include "lookup/lookup.h"

namespace cdk::driver {

const std::string& CarriedBytes() {
  static const std::string bytes = ReadWholeFile(GetSettings().carried_file).value_or("");
  return bytes;
}

Lookup ExpectedLookup(const std::wstring& code) {
  const LookupResult result = LookupItemName(BytesToText(CarriedBytes()), ToGbk(code));
  return {FromGbk(result.first_key), FromGbk(result.package_id), FromGbk(result.item_name)};
}

std::wstring CodeFromTheMiddleOfTheTables() {
  // Batch rows are lines "\t\"KKKKK0\":{mpid:..." between the first table's
  // braces; a row is found by its first five characters when its key ends in 0.
  const std::string& text = CarriedBytes();
  const size_t begin = text.find("{\r\n");
  const size_t end = text.find("\r\n}", begin);
  if (begin == std::string::npos || end == std::string::npos) return L"";
  std::vector<std::string> codes;
  for (size_t line = begin + 3; line < end; line = text.find("\r\n", line) + 2) {
    if (text.compare(line, 2, "\t\"") == 0 && text.compare(line + 7, 2, "0\"") == 0) {
      codes.push_back(text.substr(line + 2, 5));
    }
  }
  for (size_t offset = 0; offset < codes.size(); ++offset) {
    const std::string& code = codes[(codes.size() / 2 + offset) % codes.size()];
    if (!LookupItemName(BytesToText(text), code).item_name.empty()) return FromGbk(code);
  }
  return L"";
}

std::string ToGbk(const std::wstring& text) {
  if (text.empty()) return {};
  int length = WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
  return bytes;
}

std::wstring FromGbk(const std::string& bytes) { return Widen(bytes, 936); }

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
  return bytes;
}

}  // namespace cdk::driver
