#include "text/extract.h"

namespace cdk {

Text ExtractBetween(TextView text, TextView left, TextView right) {
  if (left.empty() || right.empty()) return {};
  int32_t p = FindText(text, left);
  if (p == kNotFound) return {};
  // Searched in place: a view of everything after the left marker.
  TextView remainder = text.substr(static_cast<size_t>(p - 1) + left.size());
  int32_t q = FindText(remainder, right);
  if (q == kNotFound) return {};
  return TextLeft(remainder, q - 1);
}

}  // namespace cdk
