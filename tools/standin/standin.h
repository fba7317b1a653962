// A full-size stand-in for the operator's gift-code data file, for tests and
// benchmarks: made-up rows around the rows we know, with the operator's file's
// counts and sizes to the byte.
#pragma once

#include "tools/standin/tables.h"

namespace cdk::standin {

// The counts that the stand-in matches exactly.
struct TableTarget {
  int entries;
  int64_t bytes;  // from the table's "var" to the next one
};
inline constexpr std::array<TableTarget, 6> kTableTargets = {{
    {4844, 295390}, {4733, 940326}, {789, 106739}, {4874, 446323}, {682, 40172}, {73, 1216}}};
inline constexpr int64_t kFileBytes = 1830166;
inline constexpr int kDoubleByteChars = 44169;

// Same rows on every run and machine (own generator, no locale, no floating
// point). The known rows stand at their places; everything else is made up.
Tables FullSizeStandIn();

}  // namespace cdk::standin
