// The 32-byte path: AVX2, chosen at run time where the CPU and the OS allow
// it. Only functions marked for AVX2 use it, so nothing else in the program
// can pick up AVX2 code from here.
#include "text/find_text_scan.h"

#if defined(CDK_FIND_TEXT_X86)
#include <immintrin.h>

#include <algorithm>

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

// The two hot probes' lanes for the 64 candidates of the block at `block`.
struct HotLanes {
  __m256i low, high;
};

__attribute__((target("avx2"), always_inline)) inline HotLanes HotLanesAt(
    const unsigned char* block, const VectorProbe (&probes)[3]) {
  return {_mm256_and_si256(ProbeLanes(block, probes[0]), ProbeLanes(block, probes[1])),
          _mm256_and_si256(ProbeLanes(block + 32, probes[0]), ProbeLanes(block + 32, probes[1]))};
}

__attribute__((target("avx2"), always_inline)) inline bool AnyLane(HotLanes lanes) {
  return _mm256_movemask_epi8(_mm256_or_si256(lanes.low, lanes.high)) != 0;
}

// The first match among the block's candidates that pass all three probes
// and start a character, or -1. Moves `known` to the block's end when it
// works out the block's character starts.
__attribute__((target("avx2"), always_inline)) inline int32_t SearchBlock(
    const unsigned char* text, size_t i, HotLanes hot, const VectorProbe (&probes)[3],
    const NeedlePlan& plan, KnownBoundary& known) {
  const unsigned char* block = text + i;
  uint64_t candidates = LaneMask(_mm256_and_si256(hot.low, ProbeLanes(block, probes[2]))) |
                        LaneMask(_mm256_and_si256(hot.high, ProbeLanes(block + 32, probes[2]))) << 32;
  if (candidates == 0) return kNotFound;
  uint64_t high_bytes = HighMask(block) | HighMask(block + 32) << 32;
  const bool first_is_second = IsSecondByteAt(text, i, known);
  for (candidates &= ~SecondByteMask(high_bytes, first_is_second); candidates != 0;
       candidates &= candidates - 1) {
    size_t p = i + static_cast<size_t>(__builtin_ctzll(candidates));
    if (NeedleMatchesAt(text + p, plan)) return static_cast<int32_t>(p + 1);
  }
  known = {i + 64, LastByteLeads(high_bytes, first_is_second)};
  return kNotFound;
}

// Two blocks, 128 candidates, under one test of the two hot probes.
__attribute__((target("avx2"), always_inline)) inline int32_t SearchStep(
    const unsigned char* text, size_t i, const VectorProbe (&probes)[3], const NeedlePlan& plan,
    KnownBoundary& known) {
  HotLanes first = HotLanesAt(text + i, probes);
  HotLanes second = HotLanesAt(text + i + 64, probes);
  if (!AnyLane({_mm256_or_si256(first.low, first.high), _mm256_or_si256(second.low, second.high)})) {
    return kNotFound;
  }
  int32_t found = AnyLane(first) ? SearchBlock(text, i, first, probes, plan, known) : kNotFound;
  if (found == kNotFound && AnyLane(second)) {
    found = SearchBlock(text, i + 64, second, probes, plan, known);
  }
  return found;
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
  // i .. i + 63 and so reads no byte past the end of the text. The blocks begin where the rarest probe's loads are aligned to 32 bytes;
  // the few candidates before that are tried one by one.
  const size_t candidate_count = length - plan.size + 1;
  const size_t misalignment = reinterpret_cast<uintptr_t>(text + probes[0].offset) % 32;
  const size_t head = std::min((32 - misalignment) % 32, candidate_count);
  if (int32_t found = ScanByCharacters(text, length, 0, head, plan); found != kNotFound) return found;
  KnownBoundary known{head, IsSecondByteAt(text, head, {0, false})};
  size_t i = head;
  const size_t blocks_end = head + (candidate_count - head) / kBlock * kBlock;
  // Two blocks per step while there are two, in windows of up to 32 steps.
  // A window tests the rarest probe alone on each step, and two probes only
  // where it hits. When it hits in more than one step in eight, the next
  // windows test two probes on every step, 1, 2, 4, then 8 windows in a row
  // before the rare probe gets another try. So a stretch dense with the rare
  // byte costs little more than testing two probes throughout, and the rest
  // of the text runs on one.
  constexpr size_t kStep = 2 * kBlock;
  constexpr size_t kWindowSteps = 32;
  constexpr size_t kMaxPairWindows = 8;
  size_t pair_windows_left = 0;
  size_t pair_windows_next = 1;
  while (blocks_end - i >= kStep) {
    const size_t window_end = i + std::min((blocks_end - i) / kStep, kWindowSteps) * kStep;
    if (pair_windows_left > 0) {
      --pair_windows_left;
      for (; i < window_end; i += kStep) {
        int32_t found = SearchStep(text, i, probes, plan, known);
        if (found != kNotFound) return found;
      }
      continue;
    }
    size_t hits = 0;
    for (; i < window_end; i += kStep) {
      const unsigned char* step = text + i;
      __m256i rare = _mm256_or_si256(
          _mm256_or_si256(ProbeLanes(step, probes[0]), ProbeLanes(step + 32, probes[0])),
          _mm256_or_si256(ProbeLanes(step + 64, probes[0]), ProbeLanes(step + 96, probes[0])));
      if (_mm256_movemask_epi8(rare) == 0) continue;
      ++hits;
      int32_t found = SearchStep(text, i, probes, plan, known);
      if (found != kNotFound) return found;
    }
    if (hits > kWindowSteps / 8) {
      pair_windows_left = pair_windows_next;
      pair_windows_next = std::min(2 * pair_windows_next, kMaxPairWindows);
    } else {
      pair_windows_next = 1;
    }
  }
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
