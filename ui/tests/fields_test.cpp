// The text fields and the timer of the component layer, on real controls.
// Needs a display under Wine (the test script runs Xvfb).
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ui/components.h"
#include "ui/gbk.h"
#include "ui/layout.h"

namespace cdk::ui {
namespace {

// A hidden parent window that counts the EN_CHANGE notices it receives.
class FieldHost : public ::testing::Test {
 protected:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND && HIWORD(wparam) == EN_CHANGE) ++changes;
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  void SetUp() override {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = &Proc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"CdkFieldHost";
    RegisterClassW(&window_class);
    parent_ = CreateWindowExW(0, L"CdkFieldHost", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
    changes = 0;
  }
  void TearDown() override { DestroyWindow(parent_); }

  std::unique_ptr<Component> Build(FieldId id) {
    return BuildComponent(kLayout[id.index], id.index, BuildContext{parent_, GetModuleHandleW(nullptr)});
  }

  static inline int changes = 0;
  HWND parent_ = nullptr;
};

TEST(GbkTest, ConvertsBothWays) {
  EXPECT_EQ(GbkToWide("\xB5\xC0\xBE\xDF AKGUD"), L"\u9053\u5177 AKGUD");  // 道具
  EXPECT_EQ(WideToGbk(L"\u9053\u5177 AKGUD"), "\xB5\xC0\xBE\xDF AKGUD");
  EXPECT_EQ(WideToGbk(L"a\u0E01b"), "a?b");  // Thai lies outside GBK
  EXPECT_EQ(GbkToWide(""), L"");
  EXPECT_EQ(WideToGbk(L""), "");
}

// 1.8 MB with CR LF pairs and every non-zero byte value comes back whole.
TEST(HiddenTextFieldTest, HoldsTheDatabaseTextByteForByte) {
  Text text;
  text.reserve(1830166);
  for (size_t i = 0; text.size() < 1830166; ++i) {
    text += static_cast<char>(1 + i % 255);
    if (i % 97 == 0) text += "\r\n";
  }
  text.resize(1830166);
  HiddenTextField field;
  EXPECT_EQ(field.GetText(), "");
  field.SetText(text);
  const Text back = field.GetText();
  EXPECT_EQ(back.size(), text.size());
  EXPECT_TRUE(back == text);
  field.SetText("");
  EXPECT_EQ(field.GetText(), "");
}

TEST_F(FieldHost, EditFieldGivesBackExactlyWhatItWasGiven) {
  auto component = Build(编辑框3);
  ASSERT_NE(component, nullptr);
  auto& field = static_cast<TextField&>(*component);
  const TextView rows[] = {
      "AKGUD0\":{mpid:\"",
      "\xB5\xC0\xBE\xDF\xC3\xFB\xB3\xC6",  // 道具名称
      "AKG\xB5" "0\":{mpid:\"",             // a code cut inside a character: not valid GBK
      "",
  };
  for (TextView row : rows) {
    changes = 0;
    field.SetText(row);
    EXPECT_EQ(field.GetText(), row);
    EXPECT_EQ(changes, 1) << "one text-changed notice per setting";
  }
  // The same text again still notifies once.
  field.SetText("x");
  changes = 0;
  field.SetText("x");
  EXPECT_EQ(changes, 1);
}

TEST_F(FieldHost, EditFieldReadsWhatTheUserTyped) {
  auto component = Build(编辑框2);
  ASSERT_NE(component, nullptr);
  auto& field = static_cast<TextField&>(*component);
  field.SetText("AKG\xB5");
  SetWindowTextW(component->hwnd(), L"\u9053\u5177");  // as if typed: 道具
  EXPECT_EQ(field.GetText(), "\xB5\xC0\xBE\xDF");
  // No length limit below the system's maximum.
  EXPECT_GE(SendMessageW(component->hwnd(), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
  EXPECT_TRUE(GetWindowLongW(component->hwnd(), GWL_STYLE) & ES_CENTER);
  EXPECT_TRUE(GetWindowLongW(component->hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(FieldHost, TimerPeriodRules) {
  Timer timer(parent_, 110);
  struct Row {
    int32_t set, expected;
  };
  const Row rows[] = {{1, 1}, {1, 1}, {-5, 0}, {0, 0}, {25, 25}, {1, 1}};
  for (const Row& row : rows) {
    timer.SetPeriod(row.set);
    EXPECT_EQ(timer.period(), row.expected) << "set " << row.set;
  }
  // Running: the first tick arrives.
  MSG message;
  const DWORD deadline = GetTickCount() + 2000;
  bool ticked = false;
  while (!ticked && GetTickCount() < deadline) {
    if (PeekMessageW(&message, parent_, WM_TIMER, WM_TIMER, PM_REMOVE)) ticked = message.wParam == 110;
    else Sleep(1);
  }
  EXPECT_TRUE(ticked);
  timer.Stop();
  EXPECT_EQ(timer.period(), 0);
}

}  // namespace
}  // namespace cdk::ui
