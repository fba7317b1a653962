// The plain search loop, step for step: the oracle that any faster FindText
// must equal on every input.
#pragma once

#include <cstdint>
#include <string_view>

namespace cdk::testing {

inline unsigned char ReferenceFold(unsigned char c, bool ignore_case) {
  return (ignore_case && c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 0x20) : c;
}

// 1-based position of the first match starting on a character boundary, or -1.
inline int32_t ReferenceFindText(std::string_view text, std::string_view needle, bool ignore_case) {
  const int64_t length = static_cast<int64_t>(text.size());
  const int64_t n = static_cast<int64_t>(needle.size());
  if (n == 0) return length > 0 ? 1 : -1;
  int64_t p = 0;           // 0-based position of the current byte
  int64_t remaining = length;
  while (remaining >= n) {
    bool match = true;
    for (int64_t k = 0; k < n && match; ++k) {
      match = ReferenceFold(static_cast<unsigned char>(text[p + k]), ignore_case) ==
              ReferenceFold(static_cast<unsigned char>(needle[k]), ignore_case);
    }
    if (match) return static_cast<int32_t>(p + 1);
    if (static_cast<unsigned char>(text[p]) >= 0x80) {
      if (p + 1 == length) return -1;
      p += 2;
      remaining -= 2;
    } else {
      p += 1;
      remaining -= 1;
    }
  }
  return -1;
}

}  // namespace cdk::testing
