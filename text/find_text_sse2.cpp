// The 16-byte path: SSE2, on every x86-64 CPU and on x86 CPUs that have it.
#include "text/find_text_scan.h"

#if defined(CDK_FIND_TEXT_X86)
#include <emmintrin.h>

namespace cdk::find_text {
namespace {

struct VectorProbe {
  size_t offset;
  __m128i fold_or;
  __m128i value;
};

// 0xFF in each lane whose candidate passes the probe.
__attribute__((target("sse2"), always_inline)) inline __m128i ProbeLanes(
    const unsigned char* candidates, const VectorProbe& probe) {
  __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(candidates + probe.offset));
  return _mm_cmpeq_epi8(_mm_or_si128(bytes, probe.fold_or), probe.value);
}

__attribute__((target("sse2"), always_inline)) inline uint64_t LaneMask(__m128i lanes) {
  return static_cast<uint32_t>(_mm_movemask_epi8(lanes));
}

__attribute__((target("sse2"), always_inline)) inline uint64_t HighMask(const unsigned char* at) {
  return LaneMask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)));
}

// The two hot probes' lanes for the 64 candidates of the block at `block`.
struct HotLanes {
  __m128i quarter[4];
};

__attribute__((target("sse2"), always_inline)) inline HotLanes HotLanesAt(
    const unsigned char* block, const VectorProbe (&probes)[3]) {
  HotLanes hot;
  for (int q = 0; q < 4; ++q) {
    hot.quarter[q] = _mm_and_si128(ProbeLanes(block + 16 * q, probes[0]),
                                   ProbeLanes(block + 16 * q, probes[1]));
  }
  return hot;
}

__attribute__((target("sse2"), always_inline)) inline bool AnyLane(const HotLanes& hot) {
  __m128i any = _mm_or_si128(_mm_or_si128(hot.quarter[0], hot.quarter[1]),
                             _mm_or_si128(hot.quarter[2], hot.quarter[3]));
  return _mm_movemask_epi8(any) != 0;
}

// The first match among the block's candidates that pass all three probes
// and start a character, or -1. Moves `known` to the block's end when it
// works out the block's character starts.
__attribute__((target("sse2"), always_inline)) inline int32_t SearchBlock(
    const unsigned char* text, size_t i, const HotLanes& hot, const VectorProbe (&probes)[3],
    const NeedlePlan& plan, KnownBoundary& known) {
  const unsigned char* block = text + i;
  uint64_t candidates = 0;
  for (int q = 0; q < 4; ++q) {
    candidates |= LaneMask(_mm_and_si128(hot.quarter[q], ProbeLanes(block + 16 * q, probes[2])))
                  << (16 * q);
  }
  if (candidates == 0) return kNotFound;
  uint64_t high_bytes = HighMask(block) | HighMask(block + 16) << 16 | HighMask(block + 32) << 32 |
                        HighMask(block + 48) << 48;
  const bool first_is_second = IsSecondByteAt(text, i, known);
  for (candidates &= ~SecondByteMask(high_bytes, first_is_second); candidates != 0;
       candidates &= candidates - 1) {
    size_t p = i + static_cast<size_t>(__builtin_ctzll(candidates));
    if (NeedleMatchesAt(text + p, plan)) return static_cast<int32_t>(p + 1);
  }
  known = {i + 64, LastByteLeads(high_bytes, first_is_second)};
  return kNotFound;
}

}  // namespace

__attribute__((target("sse2"))) int32_t FindTextSse2(const unsigned char* text, size_t length,
                                                     const NeedlePlan& plan) {
  constexpr size_t kBlock = 64;
  VectorProbe probes[3];
  for (int k = 0; k < 3; ++k) {
    probes[k] = {plan.probes[k].offset, _mm_set1_epi8(static_cast<char>(plan.probes[k].fold_or)),
                 _mm_set1_epi8(static_cast<char>(plan.probes[k].value))};
  }
  // Candidates are positions 0 .. length - size; a block starting at i tries
  // i .. i + 63 and so reads no byte past the end of the text.
  const size_t candidate_count = length - plan.size + 1;
  const size_t blocks_end = candidate_count - candidate_count % kBlock;
  KnownBoundary known{0, false};
  size_t i = 0;
  for (; i < blocks_end; i += kBlock) {
    HotLanes hot = HotLanesAt(text + i, probes);
    if (!AnyLane(hot)) continue;
    int32_t found = SearchBlock(text, i, hot, probes, plan, known);
    if (found != kNotFound) return found;
  }
  return ScanByCharacters(text, length, i + (IsSecondByteAt(text, i, known) ? 1 : 0), length, plan);
}

}  // namespace cdk::find_text

#endif  // CDK_FIND_TEXT_X86
