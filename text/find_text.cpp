#include "text/find_text.h"

namespace cdk {
namespace {

inline unsigned char FoldAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

bool MatchesAt(const unsigned char* at, TextView needle, bool ignore_case) {
  for (size_t k = 0; k < needle.size(); ++k) {
    unsigned char a = at[k];
    unsigned char b = static_cast<unsigned char>(needle[k]);
    if (ignore_case ? FoldAscii(a) != FoldAscii(b) : a != b) return false;
  }
  return true;
}

}  // namespace

int32_t FindTextInPlace(TextView text, TextView needle, bool ignore_case) {
  const size_t length = text.size();
  const size_t n = needle.size();
  if (n == 0) return length > 0 ? 1 : kNotFound;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  size_t p = 0;
  while (length - p >= n) {
    if (MatchesAt(bytes + p, needle, ignore_case)) return static_cast<int32_t>(p + 1);
    if (bytes[p] >= 0x80) {
      if (p + 1 == length) return kNotFound;  // lone lead byte ends the text
      p += 2;
    } else {
      p += 1;
    }
  }
  return kNotFound;
}

}  // namespace cdk
