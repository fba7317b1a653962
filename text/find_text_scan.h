// Pieces shared by the search paths of find_text*.cpp. Private to text/.
//
// Everything here is plain scalar code, so the vector paths can inline it
// whatever instruction set they are compiled for.
//
// Where characters start. Scanning from byte 0, a byte >= 0x80 pairs with
// the next byte whatever it is. A byte < 0x80 is always the last byte of a
// character (alone, or as a second byte), so the byte after it always starts
// one. Hence: position p starts a character iff the run of bytes >= 0x80 that
// ends just before p (back to a byte < 0x80 or to byte 0) has even length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "text/byte_text.h"

namespace cdk::find_text {

inline unsigned char FoldAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// The prefilter tests a text byte b as (b | fold_or) == value: with fold_or
// 0x20 and a lower-case letter as value this accepts exactly that letter in
// either case; with fold_or 0 it accepts exactly `value`.
struct Probe {
  size_t offset;  // from the candidate's first byte
  unsigned char fold_or;
  unsigned char value;
};

// A non-empty needle, ready to search for. The probes test its first byte,
// its last byte and the rarest-looking byte in between (the same byte again
// for needles of one or two bytes), the rarest-looking first.
struct NeedlePlan {
  const unsigned char* needle;
  size_t size;
  bool ignore_case;
  Probe probes[3];
};

NeedlePlan MakeNeedlePlan(const unsigned char* needle, size_t size, bool ignore_case);

inline bool ProbeMatches(const unsigned char* candidate, const Probe& probe) {
  return static_cast<unsigned char>(candidate[probe.offset] | probe.fold_or) == probe.value;
}

// The full comparison at a candidate, stopping at the first difference.
inline bool NeedleMatchesAt(const unsigned char* candidate, const NeedlePlan& plan) {
  if (plan.ignore_case) {
    for (size_t k = 0; k < plan.size; ++k) {
      if (FoldAscii(candidate[k]) != FoldAscii(plan.needle[k])) return false;
    }
    return true;
  }
  return std::memcmp(candidate, plan.needle, plan.size) == 0;
}

// A position whose character status is already established. Only ever moves
// forward, so that no byte is walked back over twice.
struct KnownBoundary {
  size_t position;
  bool is_second_byte;
};

// Whether byte `position` of `text` is the second byte of a double-byte
// character. Walks back over the run of high bytes before it, but never past
// `known` (position <= the one asked about).
inline bool IsSecondByteAt(const unsigned char* text, size_t position, KnownBoundary known) {
  if (position == known.position) return known.is_second_byte;
  constexpr uint64_t kAllHigh = 0x8080808080808080u;
  size_t k = position;
  while (k > known.position) {
    if (k - known.position >= 8) {
      uint64_t word;
      std::memcpy(&word, text + k - 8, 8);
      if ((word & kAllHigh) == kAllHigh) {
        k -= 8;
        continue;
      }
    }
    if (text[k - 1] < 0x80) return (position - k) % 2 == 1;  // k starts a character
    --k;
  }
  // Every byte from the known position on is high.
  size_t first_start = known.position + (known.is_second_byte ? 1 : 0);
  return (position - first_start) % 2 == 1;
}

// For a block of 64 bytes: bit j of `high` says byte j is >= 0x80; the result
// has bit j set where byte j is a second byte. `first_is_second` says byte 0
// is (its lead is the last byte of the block before).
//
// A run of high bytes that starts at a character start r covers bits
// r..r+k-1; its second bytes are r+1, r+3, ... up to r+k. So within the span
// r+1..r+k (the run shifted by one) the second bytes are the odd bits for an
// even r and the even bits for an odd r. Adding a run's first bit to the run
// carries through it to r+k: that marks r..r+k for the runs that start on an
// odd bit, where the parity flips (bit r itself is outside every span).
inline uint64_t SecondByteMask(uint64_t high, bool first_is_second) {
  constexpr uint64_t kOddBits = 0xAAAAAAAAAAAAAAAAu;
  const uint64_t first = first_is_second ? 1u : 0u;
  const uint64_t runs = high & ~first;  // a high second byte leads nothing
  const uint64_t odd_run_starts = runs & ~(runs << 1) & kOddBits;
  const uint64_t odd_runs_reach = (runs + odd_run_starts) ^ runs;
  return ((runs << 1) & (kOddBits ^ odd_runs_reach)) | first;
}

// Whether the block's last byte leads a character whose second byte is the
// first byte of the next block. After a byte < 0x80 that no longer depends on
// how the block began, and 64 high bytes pass the parity on unchanged; so the
// answer is ready without waiting for the block's own start, which keeps the
// walk from block to block short where every block has candidates.
inline bool LastByteLeads(uint64_t high, bool first_is_second) {
  if (high == ~uint64_t{0}) return first_is_second;
  return ((high & ~SecondByteMask(high, false)) >> 63) != 0;
}

// The plain stepping loop over the candidates start .. end - 1 (those that
// leave room for the needle), where `start` begins a character or lies past
// the last candidate: 1-based position or -1.
int32_t ScanByCharacters(const unsigned char* text, size_t length, size_t start, size_t end,
                         const NeedlePlan& plan);

#if defined(__x86_64__) || defined(_M_X64) || defined(__i386__) || defined(_M_IX86)
#define CDK_FIND_TEXT_X86 1
// The vector paths; text length >= needle size >= 1.
int32_t FindTextSse2(const unsigned char* text, size_t length, const NeedlePlan& plan);
int32_t FindTextAvx2(const unsigned char* text, size_t length, const NeedlePlan& plan);
#endif

}  // namespace cdk::find_text
