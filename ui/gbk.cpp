#include "ui/gbk.h"

#include <windows.h>

#include <climits>

namespace cdk::ui {

std::wstring GbkToWide(TextView text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int length = static_cast<int>(text.size());
  int n = MultiByteToWideChar(kGbkCodePage, 0, text.data(), length, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(kGbkCodePage, 0, text.data(), length, wide.data(), n);
  return wide;
}

Text WideToGbk(std::wstring_view wide) {
  if (wide.empty() || wide.size() > INT_MAX) return {};
  const int length = static_cast<int>(wide.size());
  int n = WideCharToMultiByte(kGbkCodePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  Text text(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(kGbkCodePage, 0, wide.data(), length, text.data(), n, nullptr, nullptr);
  return text;
}

}  // namespace cdk::ui
