#include "text/byte_text.h"

#include <algorithm>
#include <cstring>

#include "text/find_text.h"

namespace cdk {

int32_t TextLength(TextView text) { return static_cast<int32_t>(text.size()); }

Text TextLeft(TextView text, int32_t count) {
  if (count <= 0) return {};
  return Text(text.substr(0, static_cast<size_t>(count)));
}

Text TextRight(TextView text, int32_t count) {
  if (count <= 0) return {};
  size_t n = std::min(static_cast<size_t>(count), text.size());
  return Text(text.substr(text.size() - n));
}

int32_t FindText(TextView text, TextView needle, bool ignore_case) {
  return FindTextInPlace(text, needle, ignore_case);
}

int32_t FindText(TextView text, TextView needle, int32_t start, bool ignore_case) {
  size_t skip = start > 1 ? static_cast<size_t>(start) - 1 : 0;
  if (skip >= text.size()) return kNotFound;  // nothing left to scan
  if (needle.empty()) return 1;  // an empty needle is found at 1, wherever the scan starts
  int32_t found = FindTextInPlace(text.substr(skip), needle, ignore_case);
  return found == kNotFound ? kNotFound : found + static_cast<int32_t>(skip);
}

Text ToLowerCase(TextView text) {
  Text out(text);
  for (size_t i = 0; i < out.size(); ++i) {
    if (IsLeadByte(out[i])) {
      ++i;  // the second byte is never a letter
    } else if (out[i] >= 'A' && out[i] <= 'Z') {
      out[i] = static_cast<char>(out[i] + ('a' - 'A'));
    }
  }
  return out;
}

Text ToFullWidth(TextView text) {
  Text out;
  out.reserve(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      if (i + 1 == text.size()) break;  // a lone lead byte at the end is dropped
      out += text[i];
      out += text[++i];
    } else if (c == 0x20) {
      out += "\xA1\xA1";
    } else if (c == 0x7E) {
      out += "\xA1\xAB";
    } else if (c >= 0x21 && c <= 0x7D) {
      out += '\xA3';
      out += static_cast<char>(c + 0x80);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

Text BytesToText(ByteView bytes) {
  auto end = std::find(bytes.begin(), bytes.end(), '\0');
  return Text(bytes.begin(), end);
}

Text ConcatText(std::initializer_list<TextView> parts) {
  size_t total = 0;
  for (TextView part : parts) total += part.size();
  Text out;
  out.reserve(total);
  for (TextView part : parts) out += part;
  return out;
}

int32_t CompareText(TextView a, TextView b) {
  // string_view compares as unsigned bytes (char_traits<char> uses memcmp).
  int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace cdk
