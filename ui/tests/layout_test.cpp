// The layout tables and the decisions drawn from them. This file is compiled
// with -fexec-charset=GBK like the layout itself.
#include "ui/layout.h"

#include <gtest/gtest.h>

#include <string>

namespace cdk::ui {
namespace {

TEST(LayoutTest, TextsAreGbkBytes) {
  EXPECT_EQ(TextView("道具名称："), TextView("\xB5\xC0\xBE\xDF\xC3\xFB\xB3\xC6\xA3\xBA"));
  EXPECT_EQ(kMainWindow.title.substr(0, 2), "\xA1\xBE");  // 【
  EXPECT_EQ(kMainWindow.title.size(), 48u);
  EXPECT_EQ(kLayout[ComponentIndex("标签5")].text.substr(12, 2), "  ");  // two ASCII spaces after 】
}

// The end-to-end driver finds the children by these IDs, in this order.
TEST(LayoutTest, ComponentsInListOrderWithTheirControlIds) {
  struct Row {
    TextView name;
    ComponentKind kind;
    int control_id;
  };
  using K = ComponentKind;
  const Row rows[] = {
      {"图片框1", K::kPictureBox, 101}, {"状态条1", K::kStatusBar, 102}, {"标签5", K::kLabel, 103},
      {"标签4", K::kLabel, 104},        {"标签3", K::kLabel, 105},       {"标签2", K::kLabel, 106},
      {"标签1", K::kLabel, 107},        {"编辑框5", K::kEditField, 108}, {"编辑框4", K::kEditField, 109},
      {"时钟1", K::kTimer, 110},        {"编辑框3", K::kEditField, 111}, {"编辑框2", K::kEditField, 112},
      {"编辑框1", K::kHiddenTextField, 113},
  };
  ASSERT_EQ(std::size(rows), kLayout.size());
  for (size_t i = 0; i < kLayout.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(kLayout[i].name, rows[i].name);
    EXPECT_EQ(kLayout[i].kind, rows[i].kind);
    EXPECT_EQ(ControlId(i), rows[i].control_id);
    EXPECT_EQ(IndexOfControlId(rows[i].control_id), i);
  }
  EXPECT_EQ(IndexOfControlId(100), kLayout.size());
  EXPECT_EQ(IndexOfControlId(114), kLayout.size());
  EXPECT_EQ(IndexOfControlId(0), kLayout.size());
  EXPECT_EQ(编辑框2.index, ComponentIndex("编辑框2"));
  EXPECT_EQ(时钟1.index, 9u);
}

TEST(LayoutTest, PlacementCentresOnTheScreenTruncatingTowardZero) {
  struct Row {
    int32_t width, height;
    Point expected;
  };
  const Row rows[] = {
      {800, 600, {165, 225}},   {801, 600, {165, 225}},   {801, 601, {165, 225}},
      {1024, 768, {277, 309}},  {1920, 1080, {725, 465}}, {470, 150, {0, 0}},
      {469, 149, {0, 0}},  // -1 / 2 truncates to 0, not -1
      {300, 100, {-85, -25}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(CenteredPlacement(row.width, row.height), row.expected) << row.width << " x " << row.height;
  }
}

TEST(LayoutTest, FocusGoesToTheShownEditFieldsLastListedFirst) {
  const std::vector<size_t> expected = {编辑框2.index, 编辑框3.index, 编辑框4.index, 编辑框5.index};
  EXPECT_EQ(FocusOrder(), expected);
  EXPECT_EQ(InitialFocus(), 编辑框2.index);
  EXPECT_FALSE(TakesFocus(kLayout[编辑框1.index]));  // hidden
  EXPECT_FALSE(TakesFocus(kLayout[ComponentIndex("标签1")]));

  // Tab walks the cycle, Shift+Tab walks it back.
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(NextFocus(expected[i], false), expected[(i + 1) % expected.size()]);
    EXPECT_EQ(NextFocus(expected[(i + 1) % expected.size()], true), expected[i]);
  }
  EXPECT_EQ(NextFocus(ComponentIndex("标签1"), false), 编辑框2.index);
  EXPECT_EQ(NextFocus(kLayout.size(), true), 编辑框2.index);
}

TEST(LayoutTest, StatusBarPartsEndWhereTheClientAreaEnds) {
  const std::array<int32_t, 6> expected = {55, 110, 200, 255, 375, 440};
  EXPECT_EQ(StatusBarRightEdges(), expected);
  const ComponentSpec& bar = kLayout[ComponentIndex("状态条1")];
  EXPECT_EQ(bar.x + StatusBarRightEdges().back(), 464);
  EXPECT_EQ(kStatusBarParts[4].text, kWebAddress);
  EXPECT_EQ(kStatusBarParts[2].text, "６０４７１９２");
  for (const StatusPartSpec& part : kStatusBarParts) EXPECT_TRUE(part.tip.empty());
}

TEST(LayoutTest, KeysTheWindowTakesBeforeTheField) {
  struct Row {
    unsigned key;
    bool shift, ctrl, alt;
    KeyAction expected;
  };
  const Row rows[] = {
      {kKeyEscape, false, false, false, KeyAction::kClose},
      {kKeyEscape, true, false, false, KeyAction::kClose},
      {kKeyEscape, false, true, false, KeyAction::kPassOn},  // Ctrl+Esc is the system's
      {kKeyTab, false, false, false, KeyAction::kFocusNext},
      {kKeyTab, true, false, false, KeyAction::kFocusPrevious},
      {kKeyTab, false, true, false, KeyAction::kPassOn},
      {kKeyEnter, false, false, false, KeyAction::kIgnore},
      {kKeyEnter, true, false, false, KeyAction::kIgnore},
      {kKeyF1, false, false, false, KeyAction::kIgnore},
      {kKeyF1, true, false, false, KeyAction::kIgnore},
      {'A', false, false, false, KeyAction::kPassOn},
      {0x73 /*F4*/, false, false, true, KeyAction::kPassOn},  // Alt+F4 closes through the system
      {0x2E /*Delete*/, false, false, false, KeyAction::kPassOn},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ClassifyKeyDown(row.key, row.shift, row.ctrl, row.alt), row.expected)
        << "key " << row.key << " shift " << row.shift << " ctrl " << row.ctrl << " alt " << row.alt;
  }
}

}  // namespace
}  // namespace cdk::ui
