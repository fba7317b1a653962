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

__attribute__((target("sse2"), always_inline)) inline uint64_t HighMask16(const unsigned char* at) {
  return static_cast<uint32_t>(_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at))));
}

__attribute__((target("sse2"), always_inline)) inline uint64_t LaneMask(__m128i lanes) {
  return static_cast<uint32_t>(_mm_movemask_epi8(lanes));
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
    const unsigned char* block = text + i;
    __m128i hot[4];
    for (int q = 0; q < 4; ++q) {
      hot[q] = _mm_and_si128(ProbeLanes(block + 16 * q, probes[0]), ProbeLanes(block + 16 * q, probes[1]));
    }
    __m128i any = _mm_or_si128(_mm_or_si128(hot[0], hot[1]), _mm_or_si128(hot[2], hot[3]));
    if (_mm_movemask_epi8(any) == 0) continue;

    uint64_t candidates = 0;
    uint64_t high_bytes = 0;
    for (int q = 0; q < 4; ++q) {
      candidates |= LaneMask(_mm_and_si128(hot[q], ProbeLanes(block + 16 * q, probes[2]))) << (16 * q);
      high_bytes |= HighMask16(block + 16 * q) << (16 * q);
    }
    if (candidates == 0) continue;
    uint64_t second_bytes = SecondByteMask(high_bytes, IsSecondByteAt(text, i, known));
    for (candidates &= ~second_bytes; candidates != 0; candidates &= candidates - 1) {
      size_t p = i + static_cast<size_t>(__builtin_ctzll(candidates));
      if (NeedleMatchesAt(text + p, plan)) return static_cast<int32_t>(p + 1);
    }
    known = {i + kBlock, LastByteLeads(high_bytes, second_bytes)};
  }
  return ScanByCharacters(text, length, i + (IsSecondByteAt(text, i, known) ? 1 : 0), plan);
}

}  // namespace cdk::find_text

#endif  // CDK_FIND_TEXT_X86
