// The 32-byte path: AVX2, chosen at run time where the CPU and the OS allow
// it. Only functions marked for AVX2 use it, so nothing else in the program
// can pick up AVX2 code from here.
#include "text/find_text_scan.h"

#if defined(CDK_FIND_TEXT_X86)
#include <immintrin.h>

namespace cdk::find_text {
namespace {

struct VectorProbe {
  size_t offset;
  __m256i fold_or;
  __m256i value;
};

// 0xFF in each lane whose candidate passes the probe.
__attribute__((target("avx2"), always_inline)) inline __m256i ProbeLanes(
    const unsigned char* candidates, const VectorProbe& probe) {
  __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(candidates + probe.offset));
  return _mm256_cmpeq_epi8(_mm256_or_si256(bytes, probe.fold_or), probe.value);
}

__attribute__((target("avx2"), always_inline)) inline uint64_t LaneMask(__m256i lanes) {
  return static_cast<uint32_t>(_mm256_movemask_epi8(lanes));
}

__attribute__((target("avx2"), always_inline)) inline uint64_t HighMask(const unsigned char* at) {
  return LaneMask(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at)));
}

}  // namespace

__attribute__((target("avx2"))) int32_t FindTextAvx2(const unsigned char* text, size_t length,
                                                     const NeedlePlan& plan) {
  constexpr size_t kBlock = 64;
  VectorProbe probes[3];
  for (int k = 0; k < 3; ++k) {
    probes[k] = {plan.probes[k].offset,
                 _mm256_set1_epi8(static_cast<char>(plan.probes[k].fold_or)),
                 _mm256_set1_epi8(static_cast<char>(plan.probes[k].value))};
  }
  // Candidates are positions 0 .. length - size; a block starting at i tries
  // i .. i + 63 and so reads no byte past the end of the text.
  const size_t candidate_count = length - plan.size + 1;
  const size_t blocks_end = candidate_count - candidate_count % kBlock;
  KnownBoundary known{0, false};
  size_t i = 0;
  for (; i < blocks_end; i += kBlock) {
    const unsigned char* block = text + i;
    __m256i low = _mm256_and_si256(ProbeLanes(block, probes[0]), ProbeLanes(block, probes[1]));
    __m256i high = _mm256_and_si256(ProbeLanes(block + 32, probes[0]), ProbeLanes(block + 32, probes[1]));
    if (_mm256_movemask_epi8(_mm256_or_si256(low, high)) == 0) continue;

    uint64_t candidates = LaneMask(_mm256_and_si256(low, ProbeLanes(block, probes[2]))) |
                          LaneMask(_mm256_and_si256(high, ProbeLanes(block + 32, probes[2]))) << 32;
    if (candidates == 0) continue;
    uint64_t high_bytes = HighMask(block) | HighMask(block + 32) << 32;
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
