// The open window over thousands of ticks: typing, pasting and deleting codes
// (Chinese text, characters that GBK cannot hold, a code of a megabyte) while
// the lookups run, then checking that the program still answers and holds no
// more memory, handles or GDI/USER objects than after a warm-up.
//
// Pasting puts the text on the clipboard from this process and posts
// WM_PASTE to the focused field, as Ctrl+V would: the edit control itself
// reads the clipboard, and the message keeps its place among the typed
// characters.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/soak/process_figures.h"
#include "app/soak/tick_counter.h"
#include "app/tests/driver.h"
#include "app/tests/expected.h"

namespace cdk::soak {
namespace {

using namespace driver;

// Ticks to run after the warm-up: Wine's timer ticks every ~10 ms.
constexpr int64_t kSoakTicks = 4000;
// Ticks left to run on each code before the next step.
constexpr int64_t kTicksPerStep = 30;
// Cycles stop here whatever the tick count, so the test always ends.
constexpr int kMaxCycles = 40;
// Growth from the warm-up to the end that is still allocator noise.
constexpr int64_t kMemoryGrowthBound = 4 << 20;
constexpr int64_t kHandleGrowthBound = 8;
constexpr int64_t kGdiGrowthBound = 8;
constexpr int64_t kUserGrowthBound = 4;

constexpr size_t kMegabyte = 1 << 20;  // UTF-16 units of the longest code

constexpr wchar_t kAkgudItemName[] = L"【QT】5月资源 _稳定强化剂*5(运营活动)";

#define ASSERT_WINDOW(run) \
  ASSERT_TRUE((run).has_window()) << "no visible main window of " << Narrow(GetSettings().tool_exe)

// A code of kMegabyte units that begins with a code that has an answer, so
// the lookups stay checkable while it is in the field; then Chinese, Korean
// and emoji, padded with ASCII to the exact size.
const std::wstring& MegabyteCode() {
  static const std::wstring code = [] {
    const std::wstring filler = L"中文礼包码ABC한국어😀🎁xyz 0123456789";
    std::wstring text = L"AKGUD";
    while (text.size() + filler.size() < kMegabyte) text += filler;
    text.resize(kMegabyte, L'x');
    return text;
  }();
  return code;
}

// A short account of a text for messages: the megabyte code is not printed.
std::string Describe(const std::wstring& text) {
  if (text.size() <= 40) return "\"" + Narrow(text) + "\"";
  return std::to_string(text.size()) + " units starting \"" + Narrow(text.substr(0, 20)) + "\"";
}

bool PutOnClipboard(const std::wstring& text) {
  // Another process (the program pasting, Wine's clipboard bridge) may hold
  // the clipboard for a moment.
  if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5s)) return false;
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  void* target = block ? GlobalLock(block) : nullptr;
  if (target != nullptr) {
    memcpy(target, text.c_str(), bytes);
    GlobalUnlock(block);
  }
  const bool placed = target != nullptr && SetClipboardData(CF_UNICODETEXT, block) != nullptr;
  if (!placed && block) GlobalFree(block);
  CloseClipboard();
  return placed;
}

void SelectAll(const ToolRun& run) { PostMessageW(run.FocusedControl(), EM_SETSEL, 0, -1); }

void Paste(const ToolRun& run, const std::wstring& text) {
  ASSERT_TRUE(PutOnClipboard(text)) << "cannot put " << Describe(text) << " on the clipboard";
  PostMessageW(run.FocusedControl(), WM_PASTE, 0, 0);
}

// Waits for the code field to hold `code`; the length first, so that a
// megabyte crosses between the processes once rather than at every look.
std::wstring WaitForCode(const ToolRun& run, const std::wstring& code) {
  HWND field = run.Control(kCodeField);
  WaitUntil(
      [&] {
        DWORD_PTR length = 0;
        return SendMessageTimeoutW(field, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length) &&
               length == code.size();
      },
      10s);
  return WaitForFieldText(run, kCodeField, code);
}

// After the code field shows `code`, two more ticks mean that at least one
// whole lookup ran on it; then the three result fields must hold its answer.
void ExpectAnswerTo(const ToolRun& run, const TickCounter& ticks, const std::wstring& code) {
  const std::wstring shown = WaitForCode(run, code);
  ASSERT_TRUE(shown == code) << "code field holds " << Describe(shown) << ", expected " << Describe(code);
  ASSERT_TRUE(ticks.WaitForTicks(2, 10'000)) << "the timer stopped ticking with " << Describe(code);
  const Lookup expected = ExpectedLookup(code);
  EXPECT_EQ(run.FieldText(kFirstKeyField), expected.first_key);
  EXPECT_EQ(run.FieldText(kPackageIdField), expected.package_id);
  EXPECT_EQ(run.FieldText(kItemNameField), expected.item_name);
}

struct Step {
  const char* action;
  std::function<void(const ToolRun&)> act;
  std::wstring code;  // what the code field holds afterwards
};

// Selecting everything and typing replaces the whole code; the first time it
// is the change that starts the timer.
std::function<void(const ToolRun&)> TypeOverEverything(std::wstring code) {
  return [code](const ToolRun& run) {
    SelectAll(run);
    run.Type(code);
  };
}

// One round of typing, pasting and deleting; it starts from any code and
// ends with a code from the middle of the tables in the field.
std::vector<Step> Cycle() {
  const std::wstring& big = MegabyteCode();
  const std::wstring middle = CodeFromTheMiddleOfTheTables();
  const std::wstring lone_surrogate_code = std::wstring(1, wchar_t{0xDC00}) + L"AKGUD";
  auto select_all_and_delete = [](const ToolRun& run) {
    SelectAll(run);
    run.PressBackspace(1);
  };
  return {
      {"select all and type AKGUD", TypeOverEverything(L"AKGUD"), L"AKGUD"},
      {"type Chinese after it", [](const ToolRun& run) { run.Type(L"穿越火线"); }, L"AKGUD穿越火线"},
      {"paste emoji and Korean at the caret", [](const ToolRun& run) { Paste(run, L"😀한국어🎁"); },
       L"AKGUD穿越火线😀한국어🎁"},
      {"select all and delete", select_all_and_delete, L""},
      {"type Korean and an emoji", [](const ToolRun& run) { run.Type(L"한국어😀"); }, L"한국어😀"},
      {"paste Chinese text over it",
       [](const ToolRun& run) {
         SelectAll(run);
         Paste(run, L"中文礼包兑换码");
       },
       L"中文礼包兑换码"},
      {"paste a lone surrogate before a code",
       [=](const ToolRun& run) {
         SelectAll(run);
         Paste(run, lone_surrogate_code);
       },
       lone_surrogate_code},
      {"paste the megabyte code over it",
       [](const ToolRun& run) {
         SelectAll(run);
         Paste(run, MegabyteCode());
       },
       big},
      {"type at the end of the megabyte code", [](const ToolRun& run) { run.Type(L"X"); }, big + L"X"},
      {"delete it again", [](const ToolRun& run) { run.PressBackspace(1); }, big},
      {"select all and delete the megabyte code", select_all_and_delete, L""},
      {"type a code from the middle of the tables", [=](const ToolRun& run) { run.Type(middle); }, middle},
  };
}

// Runs the steps; false once a check has failed, so a broken program is
// reported once rather than in every cycle.
bool RunCycle(const ToolRun& run, const TickCounter& ticks, const std::vector<Step>& steps, int cycle) {
  for (const Step& step : steps) {
    SCOPED_TRACE(testing::Message() << "cycle " << cycle << ": " << step.action);
    step.act(run);
    ExpectAnswerTo(run, ticks, step.code);
    if (testing::Test::HasFailure()) return false;
    if (!ticks.WaitForTicks(kTicksPerStep, 10'000)) {
      ADD_FAILURE() << "the timer stopped ticking";
      return false;
    }
  }
  return true;
}

std::string Megabytes(int64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f MB", static_cast<double>(bytes) / (1 << 20));
  return text;
}

void PrintFigure(const char* name, const Figure& start, const Figure& end, bool bytes) {
  auto show = [&](const Figure& figure) {
    return !figure.known() ? std::string("unavailable") : bytes ? Megabytes(figure.value) : std::to_string(figure.value);
  };
  std::printf("soak: %-12s start %-10s end %-10s (%s)\n", name, show(start).c_str(), show(end).c_str(),
              end.source.c_str());
}

// Checks that a figure grew by no more than `bound`; a figure the system
// cannot give is reported, not failed.
void ExpectNoGrowth(const char* name, const Figure& start, const Figure& end, int64_t bound) {
  if (!start.known() || !end.known()) {
    std::printf("soak: %s not checked: %s\n", name, end.source.c_str());
    return;
  }
  EXPECT_LE(end.value - start.value, bound)
      << name << " grew from " << start.value << " to " << end.value << " (" << end.source << ")";
}

TEST(Soak, TypingPastingAndDeletingForThousandsOfTicksLeaksNothingAndTheWindowStillAnswers) {
  ToolRun run(GetSettings().tool_exe);
  ASSERT_WINDOW(run);
  ASSERT_EQ(run.FocusedControl(), run.Control(kCodeField));
  TickCounter ticks(run.Control(kFirstKeyField));
  const std::vector<Step> steps = Cycle();
  const auto started = std::chrono::steady_clock::now();

  // Warm-up: every step once, so the allocator and the controls have met
  // every size of text before the first sample.
  ASSERT_TRUE(RunCycle(run, ticks, steps, 0));
  const ProcessFigures start = SteadyFigures(run.process(), run.process_id(), 5, 30);
  const int64_t ticks_at_start = ticks.ticks();
  const auto soak_started = std::chrono::steady_clock::now();

  int cycles = 0;
  while (ticks.ticks() - ticks_at_start < kSoakTicks && cycles < kMaxCycles) {
    if (!RunCycle(run, ticks, steps, ++cycles)) break;
    std::printf("soak: cycle %d done, %lld ticks seen\n", cycles, static_cast<long long>(ticks.ticks() - ticks_at_start));
    std::fflush(stdout);
  }
  ASSERT_FALSE(HasFailure());
  // In the same state as the first sample: the end of a cycle.
  const ProcessFigures end = SteadyFigures(run.process(), run.process_id(), 5, 30);

  // After all that, the answer every user checks first, in full.
  TypeOverEverything(L"AKGUD")(run);
  ExpectAnswerTo(run, ticks, L"AKGUD");
  if (GetSettings().kind == "product") {
    EXPECT_EQ(run.FieldText(kItemNameField), kAkgudItemName);
  }

  const double soak_seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - soak_started).count();
  const int64_t soak_ticks = ticks.ticks() - ticks_at_start;
  std::printf("soak: %d cycles of %zu steps in %.1f s after a warm-up cycle (%.1f s in all)\n", cycles, steps.size(),
              soak_seconds,
              std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  std::printf("soak: ticks seen %lld (from the first-key field being rewritten; a lower bound), "
              "%lld estimated from the time at one per 10 ms\n",
              static_cast<long long>(soak_ticks), static_cast<long long>(soak_seconds * 100));
  PrintFigure("memory", start.memory, end.memory, true);
  PrintFigure("working set", start.working_set, end.working_set, true);
  PrintFigure("handles", start.handles, end.handles, false);
  PrintFigure("GDI objects", start.gdi_objects, end.gdi_objects, false);
  PrintFigure("USER objects", start.user_objects, end.user_objects, false);
  std::fflush(stdout);

  EXPECT_GE(soak_ticks, kSoakTicks) << "stopped after " << kMaxCycles << " cycles";
  ExpectNoGrowth("memory", start.memory, end.memory, kMemoryGrowthBound);
  ExpectNoGrowth("handles", start.handles, end.handles, kHandleGrowthBound);
  ExpectNoGrowth("GDI objects", start.gdi_objects, end.gdi_objects, kGdiGrowthBound);
  ExpectNoGrowth("USER objects", start.user_objects, end.user_objects, kUserGrowthBound);

  run.PressEscape();
  EXPECT_EQ(run.WaitForExit(), std::optional<DWORD>(0));
}

TEST(Soak, EscWithAMegabyteCodeInTheFieldWhileTicksRunExitsWithZero) {
  ToolRun run(GetSettings().tool_exe);
  ASSERT_WINDOW(run);
  TickCounter ticks(run.Control(kFirstKeyField));
  run.Type(L"AKGUD");
  ASSERT_NO_FATAL_FAILURE(ExpectAnswerTo(run, ticks, L"AKGUD"));
  SelectAll(run);
  Paste(run, MegabyteCode());
  ASSERT_NO_FATAL_FAILURE(ExpectAnswerTo(run, ticks, MegabyteCode()));
  ASSERT_TRUE(ticks.WaitForTicks(5, 10'000)) << "no ticks with the megabyte code in the field";

  run.PressEscape();
  EXPECT_EQ(run.WaitForExit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace cdk::soak
