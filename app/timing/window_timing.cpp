// Two figures for the window under Wine, measured so that anyone can repeat
// them (scripts/window-timing.sh):
//   1. start to shown window: CreateProcess until the main window is visible,
//      for the shipped program and for the one carrying the full-size
//      stand-in, against a trivial Win32 window;
//   2. the cost of one lookup tick on a window holding the full-size text,
//      against one copy of that text (what reading 编辑框1 costs at least).
// Contenders run in rounds, one after the other in rotating order; each ratio
// is the median of the per-round ratios. The raw medians (ms) and the ratios
// are the last lines. A timing program, not a test: it judges nothing.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <new>
#include <vector>

#include "app/timing/rounds.h"
#include "app/timing/start_timing.h"
#include "app/timing/tick_timing.h"
#include "ui/main_window.h"

namespace cdk::timing {
namespace {

constexpr int kStartRounds = 15;
constexpr int kTickRounds = 31;

constexpr wchar_t kTrivialWindowClass[] = L"CdkTimingTrivialWindow";

struct StartTiming {
  bool ok = false;
  std::string error;
  std::vector<Contender> contenders;  // the trivial window first
};

StartTiming TimeStarts(const std::vector<Program>& programs, int rounds) {
  StartTiming timing;
  for (const Program& program : programs) timing.contenders.push_back({program.name, {}});
  // One unmeasured start each: the files come into the page cache and Wine
  // loads its DLLs once.
  for (const Program& program : programs) {
    if (StartTime warm = TimeStartToShownWindow(program); !warm.ok) {
      timing.error = warm.error;
      return timing;
    }
  }
  for (int round = 0; round < rounds; ++round) {
    for (size_t i = 0; i < programs.size(); ++i) {
      const size_t which = (round + i) % programs.size();
      StartTime start = TimeStartToShownWindow(programs[which]);
      if (!start.ok) {
        timing.error = start.error;
        return timing;
      }
      timing.contenders[which].milliseconds.push_back(start.milliseconds);
    }
    std::printf("start round %2d:", round + 1);
    for (const Contender& contender : timing.contenders) std::printf(" %8.1f", contender.milliseconds.back());
    std::printf(" ms\n");
    std::fflush(stdout);
  }
  timing.ok = true;
  return timing;
}

void PrintMedian(const char* what, const Contender& contender) {
  std::printf("%-6s median %-44s %10.3f ms\n", what, contender.name.c_str(), Median(contender.milliseconds));
}

void PrintRatio(const char* what, const Contender& numerator, const Contender& denominator) {
  std::printf("%-6s ratio  %-30s / %-30s %8.2f\n", what, numerator.name.c_str(), denominator.name.c_str(),
              MedianRatio(numerator, denominator));
}

int Run() {
  const std::vector<Program> programs = {
      {"trivial-window.exe", WindowsPath(CDK_TIMING_TRIVIAL_EXE), kTrivialWindowClass},
      {"cdk-tool.exe", WindowsPath(CDK_TIMING_TOOL_EXE), ui::kMainWindowClassName},
      {"cdk-tool-standin.exe", WindowsPath(CDK_TIMING_STANDIN_EXE), ui::kMainWindowClassName},
  };
  std::printf("window_timing: start to shown window, %d rounds of 3 programs\n", kStartRounds);
  std::fflush(stdout);
  const StartTiming starts = TimeStarts(programs, kStartRounds);
  if (!starts.ok) {
    std::printf("window_timing: FAILED: %s\n", starts.error.c_str());
    return 1;
  }

  std::printf("window_timing: one tick on the full-size text, %d rounds\n", kTickRounds);
  std::fflush(stdout);
  const TickTiming ticks = TimeLookupTicks(kTickRounds);
  if (!ticks.ok) {
    std::printf("window_timing: FAILED: %s\n", ticks.error.c_str());
    return 1;
  }
  std::printf("%s\n\n", ticks.description.c_str());

  const Contender& trivial = starts.contenders[0];
  PrintMedian("start", trivial);
  PrintMedian("start", starts.contenders[1]);
  PrintMedian("start", starts.contenders[2]);
  PrintMedian("tick", ticks.copy);
  PrintMedian("tick", ticks.tick_found);
  PrintMedian("tick", ticks.tick_missed);
  PrintMedian("tick", ticks.lookup_found);
  PrintMedian("tick", ticks.lookup_missed);
  PrintRatio("start", starts.contenders[1], trivial);
  PrintRatio("start", starts.contenders[2], trivial);
  PrintRatio("tick", ticks.tick_found, ticks.copy);
  PrintRatio("tick", ticks.tick_missed, ticks.copy);
  std::fflush(stdout);
  return 0;
}

}  // namespace
}  // namespace cdk::timing

int main() {
  try {
    return cdk::timing::Run();
  } catch (const std::bad_alloc&) {
    std::printf("window_timing: FAILED: out of memory\n");
  } catch (const std::exception& error) {
    std::printf("window_timing: FAILED: %s\n", error.what());
  } catch (...) {
    std::printf("window_timing: FAILED: an unexpected exception\n");
  }
  return 1;
}
