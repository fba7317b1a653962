#include "text/find_text.h"

#include <algorithm>

#include "text/find_text_scan.h"

namespace cdk {
namespace find_text {
namespace {

// How often a (folded) byte turns up in text of the gift-code file's format,
// in seven steps: 0 for bytes that the format never uses, 7 for its quotes,
// colons and the digits 0 to 2, which fill its ids and dates. Letters rank by
// the field names and service codes that repeat on every row; each GBK byte
// value is rare on its own. Only the order matters.
int Commonness(unsigned char c) {
  if (c >= 0x80) return 1;
  switch (c) {
    case 'j': case 'l': case 'q': case 'w': case 'x': case 'y':
    case '(': case ')': case '*': case '_':
      return 1;
    case 'b': case 'f': case 'h': case 'k': case 'u': case 'v': case 'z': case '[': case ']':
      return 2;
    case 'g': case 'r': case ' ': case '\t': case '\r': case '\n':
      return 3;
    case 'a': case 'c': case 'o': case 'p': case 't': case '{': case '}': case '-':
      return 4;
    case 'n': case 's': case '6': case '7': case '8':
      return 5;
    case 'd': case 'e': case 'i': case 'm': case ',': case '3': case '4': case '5': case '9':
      return 6;
    case '"': case ':': case '0': case '1': case '2':
      return 7;
    default:
      return 0;
  }
}

Probe MakeProbe(const unsigned char* needle, size_t offset, bool ignore_case) {
  unsigned char c = ignore_case ? FoldAscii(needle[offset]) : needle[offset];
  bool letter = ignore_case && c >= 'a' && c <= 'z';
  return Probe{offset, static_cast<unsigned char>(letter ? 0x20 : 0), c};
}

}  // namespace

NeedlePlan MakeNeedlePlan(const unsigned char* needle, size_t size, bool ignore_case) {
  auto commonness = [needle](size_t offset) { return Commonness(FoldAscii(needle[offset])); };
  const size_t last = size - 1;
  // The rarest inner byte; among equals the one furthest from the first byte,
  // which is the least likely to come along with it.
  size_t inner = size > 2 ? 1 : last;
  for (size_t k = 2; k < last; ++k) {
    if (commonness(k) <= commonness(inner)) inner = k;
  }
  // Rarest first: the vector loops test probes[0] alone while it seldom hits,
  // probes[0] and [1] on every block otherwise, and probes[2] only where those hit.
  size_t order[3] = {inner, 0, last};
  std::stable_sort(order, order + 3,
                   [&commonness](size_t a, size_t b) { return commonness(a) < commonness(b); });
  const size_t hot_a = order[0], hot_b = order[1], cold = order[2];
  return NeedlePlan{needle,
                    size,
                    ignore_case,
                    {MakeProbe(needle, hot_a, ignore_case), MakeProbe(needle, hot_b, ignore_case),
                     MakeProbe(needle, cold, ignore_case)}};
}

int32_t ScanByCharacters(const unsigned char* text, size_t length, size_t start, size_t end,
                         const NeedlePlan& plan) {
  const size_t stop = std::min(end, length - plan.size + 1);
  for (size_t p = start; p < stop; p += text[p] >= 0x80 ? 2 : 1) {
    const unsigned char* candidate = text + p;
    if (ProbeMatches(candidate, plan.probes[0]) && ProbeMatches(candidate, plan.probes[1]) &&
        NeedleMatchesAt(candidate, plan)) {
      return static_cast<int32_t>(p + 1);
    }
  }
  return kNotFound;
}

}  // namespace find_text

bool FindTextPathAvailable(FindTextPath path) {
  switch (path) {
    case FindTextPath::kScalar:
      return true;
#if defined(CDK_FIND_TEXT_X86)
    case FindTextPath::kSse2:
#if defined(__x86_64__) || defined(_M_X64)
      return true;  // part of the x86-64 baseline
#else
      __builtin_cpu_init();
      return __builtin_cpu_supports("sse2");
#endif
    case FindTextPath::kAvx2:
      // Also false when the OS does not save the YMM registers.
      __builtin_cpu_init();
      return __builtin_cpu_supports("avx2");
#endif
    default:
      return false;
  }
}

FindTextPath ChosenFindTextPath() {
  // The CPU does not change while the program runs: ask it once, not on
  // every search of every timer tick.
  static const FindTextPath chosen = [] {
    for (FindTextPath path : {FindTextPath::kAvx2, FindTextPath::kSse2}) {
      if (FindTextPathAvailable(path)) return path;
    }
    return FindTextPath::kScalar;
  }();
  return chosen;
}

std::string_view FindTextPathName(FindTextPath path) {
  switch (path) {
    case FindTextPath::kScalar: return "scalar";
    case FindTextPath::kSse2: return "sse2";
    case FindTextPath::kAvx2: return "avx2";
  }
  return "unknown";
}

std::string_view FindTextPathName() { return FindTextPathName(ChosenFindTextPath()); }

namespace {

// The search on `path`, which this CPU can run.
int32_t FindOnPath(TextView text, TextView needle, bool ignore_case, FindTextPath path) {
  const size_t length = text.size();
  const size_t n = needle.size();
  if (n == 0) return length > 0 ? 1 : kNotFound;
  if (n > length) return kNotFound;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const find_text::NeedlePlan plan = find_text::MakeNeedlePlan(
      reinterpret_cast<const unsigned char*>(needle.data()), n, ignore_case);
  switch (path) {
#if defined(CDK_FIND_TEXT_X86)
    case FindTextPath::kAvx2: return find_text::FindTextAvx2(bytes, length, plan);
    case FindTextPath::kSse2: return find_text::FindTextSse2(bytes, length, plan);
#endif
    default: return find_text::ScanByCharacters(bytes, length, 0, length, plan);
  }
}

}  // namespace

int32_t FindTextInPlace(TextView text, TextView needle, bool ignore_case, FindTextPath path) {
  return FindOnPath(text, needle, ignore_case, FindTextPathAvailable(path) ? path : FindTextPath::kScalar);
}

int32_t FindTextInPlace(TextView text, TextView needle, bool ignore_case) {
  return FindOnPath(text, needle, ignore_case, ChosenFindTextPath());
}

}  // namespace cdk
