// The main window as a user meets it: layout, keyboard, lookups, closing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "app/tests/driver.h"
#include "app/tests/expected.h"

namespace cdk::driver {
namespace {

ToolRun StartTool() { return ToolRun(GetSettings().tool_exe); }

#define ASSERT_WINDOW(run) \
  ASSERT_TRUE((run).has_window()) << "no visible main window of " << Narrow(GetSettings().tool_exe)

TEST(MainWindow, OpensCentredWithItsTitleStatusBarAndTheCaretInTheCodeField) {
  ToolRun run = StartTool();
  ASSERT_WINDOW(run);

  EXPECT_EQ(run.Title(), kWindowTitle);

  RECT rect{};
  GetWindowRect(run.window(), &rect);
  const int screen_width = GetSystemMetrics(SM_CXSCREEN), screen_height = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(rect.left, (screen_width - 470) / 2);
  EXPECT_EQ(rect.top, (screen_height - 150) / 2);
  EXPECT_EQ(rect.right - rect.left, 470);
  EXPECT_EQ(rect.bottom - rect.top, 150);

  EXPECT_EQ(run.StatusBarRightEdges(), (std::vector<int>{55, 110, 200, 255, 375, 440}));
  EXPECT_EQ(run.StatusBarTexts(), (std::vector<std::wstring>{L"青杉辅助", L"官方Yy群", L"６０４７１９２",
                                                             L"官方网站", GetSettings().web_address,
                                                             L"作者：青杉"}));

  EXPECT_EQ(run.FocusedControl(), run.Control(kCodeField));
}

TEST(MainWindow, TabAndShiftTabCycleThroughTheFourFields) {
  struct Row {
    bool shift;
    int expected_focus;
  };
  const Row rows[] = {
      {false, kFirstKeyField}, {false, kPackageIdField}, {false, kItemNameField},
      {false, kCodeField},     {true, kItemNameField},   {true, kPackageIdField},
  };
  ToolRun run = StartTool();
  ASSERT_WINDOW(run);
  ASSERT_EQ(run.FocusedControl(), run.Control(kCodeField));
  int step = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "key " << ++step << (row.shift ? ": Shift+Tab" : ": Tab"));
    run.PressTab(row.shift);
    HWND wanted = run.Control(row.expected_focus);
    EXPECT_TRUE(WaitUntil([&] { return run.FocusedControl() == wanted; }, 5s))
        << "focus on control " << GetDlgCtrlID(run.FocusedControl()) << ", expected " << row.expected_focus;
  }
}

TEST(MainWindow, LooksNothingUpBeforeTheCodeFirstChangesThenOverwritesTheItemName) {
  ToolRun run = StartTool();
  ASSERT_WINDOW(run);
  run.TypeInto(kItemNameField, L"我写的");
  ASSERT_EQ(WaitForFieldText(run, kItemNameField, L"我写的"), L"我写的");

  // Thirty ticks' worth of waiting: with the timer stopped nothing changes.
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(run.FieldText(kFirstKeyField), L"");
  EXPECT_EQ(run.FieldText(kPackageIdField), L"");
  EXPECT_EQ(run.FieldText(kItemNameField), L"我写的");

  const Lookup akgud = ExpectedLookup(L"AKGUD");
  run.Type(L"AKGUD");
  EXPECT_EQ(WaitForFieldText(run, kItemNameField, akgud.item_name), akgud.item_name);

  // Once the lookups run, what the user types there is replaced at the next tick.
  run.TypeInto(kItemNameField, L"再写");
  EXPECT_EQ(WaitForFieldText(run, kItemNameField, akgud.item_name), akgud.item_name);
}

TEST(MainWindow, ShowsTheItemNameOfTheTypedCodeAndOfTheEmptyCode) {
  if (GetSettings().kind == "product") {
    // The carried tables themselves: the rows every user checks first.
    const Lookup akgud = ExpectedLookup(L"AKGUD");
    EXPECT_EQ(akgud.first_key, L"AKGUD0\":{mpid:\"");
    EXPECT_EQ(akgud.package_id, L"MA20130427115620141");
    EXPECT_EQ(akgud.item_name, L"【QT】5月资源 _稳定强化剂*5(运营活动)");
    EXPECT_EQ(ExpectedLookup(L"").item_name, L"内部合作CDKEY(兑换仅RPK机关枪)");
  }
  const std::wstring deep_code = CodeFromTheMiddleOfTheTables();
  ASSERT_EQ(deep_code.size(), 5u) << "no batch with an item name in the carried tables";
  struct Row {
    const wchar_t* action;
    std::function<void(const ToolRun&)> act;
    std::wstring code;
  };
  const Row rows[] = {
      {L"type AKGUD", [](const ToolRun& run) { run.Type(L"AKGUD"); }, L"AKGUD"},
      {L"type more, only five bytes count", [](const ToolRun& run) { run.Type(L"2X9"); }, L"AKGUD2X9"},
      {L"delete everything", [](const ToolRun& run) { run.PressBackspace(8); }, L""},
      {L"a code of no batch", [](const ToolRun& run) { run.Type(L"ZZZZZ"); }, L"ZZZZZ"},
      {L"a batch from the middle of the tables",
       [&](const ToolRun& run) {
         run.PressBackspace(5);
         run.Type(deep_code);
       },
       deep_code},
  };
  ToolRun run = StartTool();
  ASSERT_WINDOW(run);
  for (const Row& row : rows) {
    SCOPED_TRACE(Narrow(row.action));
    row.act(run);
    const Lookup expected = ExpectedLookup(row.code);
    EXPECT_EQ(WaitForFieldText(run, kCodeField, row.code), row.code);
    EXPECT_EQ(WaitForFieldText(run, kItemNameField, expected.item_name), expected.item_name);
    EXPECT_EQ(WaitForFieldText(run, kFirstKeyField, expected.first_key), expected.first_key);
    EXPECT_EQ(WaitForFieldText(run, kPackageIdField, expected.package_id), expected.package_id);
  }
}

TEST(MainWindow, EscInTheCodeFieldClosesOpensTheAddressOnceAndExitsWithZero) {
  const std::wstring& log = GetSettings().browser_log;
  ASSERT_FALSE(log.empty()) << "CDK_BROWSER_LOG is not set: run under scripts/wine-run.sh";
  const size_t opened_before = ReadLines(log).size();

  ToolRun run = StartTool();
  ASSERT_WINDOW(run);
  run.Type(L"AKG");
  ASSERT_EQ(WaitForFieldText(run, kCodeField, L"AKG"), L"AKG");
  run.PressEscape();
  EXPECT_EQ(run.WaitForExit(), std::optional<DWORD>(0));

  // The stand-in browser records each address shortly after it was asked.
  EXPECT_TRUE(WaitUntil([&] { return ReadLines(log).size() > opened_before; }, 10s));
  std::this_thread::sleep_for(500ms);
  const std::vector<std::string> opened = ReadLines(log);
  ASSERT_EQ(opened.size(), opened_before + 1) << "the address must be opened exactly once";
  EXPECT_EQ(Widen(opened.back()), GetSettings().web_address);
}

// Run by the screenshot test only: holds the window after a lookup until the
// picture of the screen has been taken.
TEST(MainWindow, HoldsForAScreenshot) {
  const char* ready = std::getenv("CDK_SCREENSHOT_READY");
  const char* taken = std::getenv("CDK_SCREENSHOT_TAKEN");
  if (ready == nullptr || taken == nullptr) GTEST_SKIP() << "only for the screenshot test";
  ToolRun run = StartTool();
  ASSERT_WINDOW(run);
  const Lookup akgud = ExpectedLookup(L"AKGUD");
  run.Type(L"AKGUD");
  ASSERT_EQ(WaitForFieldText(run, kItemNameField, akgud.item_name), akgud.item_name);
  std::this_thread::sleep_for(200ms);  // let the last paint reach the screen
  // The window's place on the screen, as ImageMagick's crop geometry.
  RECT rect{};
  GetWindowRect(run.window(), &rect);
  const std::string geometry = std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top) +
                               "+" + std::to_string(rect.left) + "+" + std::to_string(rect.top);
  ASSERT_TRUE(WriteWholeFile(WindowsPath(ready), geometry + "\n"));
  EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(WindowsPath(taken)).has_value(); }, 30s));
  run.PressEscape();
  EXPECT_EQ(run.WaitForExit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace cdk::driver
