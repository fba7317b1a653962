// What every measurement of window_timing shares: a wall clock, medians and
// per-round ratios.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace cdk::timing {

// Wall-clock time in milliseconds from the performance counter. Wall time,
// not CPU time: start-up is spent in several processes and Wine's server.
inline double NowMilliseconds() {
  static const double ticks_per_millisecond = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticks_per_millisecond;
}

// The upper median of a non-empty set (the middle value for the odd round
// counts used here).
inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One contender's time in each round, in milliseconds.
struct Contender {
  std::string name;
  std::vector<double> milliseconds;
};

// The median of numerator/denominator taken round by round, so that a drift
// of the machine's speed during the run hits both sides of each ratio alike.
inline double MedianRatio(const Contender& numerator, const Contender& denominator) {
  std::vector<double> ratios;
  for (size_t round = 0; round < numerator.milliseconds.size(); ++round) {
    ratios.push_back(numerator.milliseconds[round] / denominator.milliseconds[round]);
  }
  return Median(ratios);
}

// Keeps the compiler from dropping work whose result is otherwise unused.
inline void KeepAlive(const void* pointer) { asm volatile("" : : "r"(pointer) : "memory"); }

}  // namespace cdk::timing
