#include "app/tests/expected.h"

#include <windows.h>

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
