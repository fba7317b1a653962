// The main window as data: the window itself, its thirteen components in list
// order and the six status-bar parts. The window code builds everything from
// these tables; nothing else repeats their numbers.
//
// Texts are GBK byte texts (this folder is compiled with -fexec-charset=GBK);
// the window converts them to UTF-16 where they meet the system.
//
// List order matters: children are created in it, so the first component is
// on top where rectangles overlap, and EnumChildWindows sees the same order.
// A component's control ID is 100 + its list number (1-based).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "text/byte_text.h"
#include "ui/web_address.h"

namespace cdk::ui {

enum class ComponentKind : uint8_t {
  kPictureBox,
  kStatusBar,
  kLabel,
  kEditField,
  kTimer,
  kHiddenTextField,  // an edit field that is never shown: its text lives in memory only
};

// Component flags.
inline constexpr uint32_t kShown = 1u << 0;
inline constexpr uint32_t kEnabled = 1u << 1;
inline constexpr uint32_t kTabStop = 1u << 2;

// 0xRRGGBB, or the system's 3D-face colour.
using Colour = uint32_t;
inline constexpr Colour kFaceColour = 0xFF000000u;

// An empty face is the system's default GUI font. char_height is the height of
// the characters without internal leading (a negative LOGFONT height).
struct FontSpec {
  TextView face;
  int32_t char_height = 0;
  int32_t weight = 0;
  constexpr bool is_default_gui_font() const { return face.empty(); }
};
inline constexpr FontSpec kDefaultGuiFont{};

enum class TextAlign : uint8_t { kLeft, kCentre };

struct ComponentSpec {
  ComponentKind kind;
  TextView name;
  int32_t x, y, width, height;  // client coordinates of the main window
  uint32_t flags;
  int32_t tab_order;
  TextView text;  // labels only; every edit field starts empty
  FontSpec font;
  Colour text_colour;
  Colour back_colour;
  TextAlign align;
};

struct WindowSpec {
  TextView title;
  int32_t outer_width, outer_height;  // frame and caption included
};

inline constexpr WindowSpec kMainWindow{
    "【青杉】穿越火线CDK道具查询工具（Yy群：6047192）", 470, 150};

namespace layout_detail {
using K = ComponentKind;
inline constexpr uint32_t kVisibleField = kShown | kEnabled | kTabStop;
inline constexpr uint32_t kDecoration = kShown | kEnabled;
inline constexpr FontSpec kSongTi12{"宋体", 12, 400};
inline constexpr FontSpec kSongTi14{"宋体", 14, 400};
inline constexpr FontSpec kKaiTi20Bold{"楷体_GB2312", 20, 700};
inline constexpr FontSpec kKaiTi19Bold{"楷体_GB2312", 19, 700};
}  // namespace layout_detail

// kind, name, x, y, width, height, flags, tab order, text, font, text colour,
// back colour, alignment.
inline constexpr std::array<ComponentSpec, 13> kLayout = [] {
  using namespace layout_detail;
  constexpr TextAlign L = TextAlign::kLeft, C = TextAlign::kCentre;
  return std::array<ComponentSpec, 13>{{
      {K::kPictureBox, "图片框1", 0, 97, 24, 24, kDecoration, 0, "", kDefaultGuiFont, 0, kFaceColour, L},
      {K::kStatusBar, "状态条1", 24, 95, 464, 22, kDecoration, 0, "", kDefaultGuiFont, 0, kFaceColour, L},
      {K::kLabel, "标签5", 72, 80, 336, 16, kDecoration, 0,
       "【青杉制作】  无后门，无木马，无任何副作用  请放心使用", kDefaultGuiFont, 0xFF5080, kFaceColour, L},
      {K::kLabel, "标签4", 16, 0, 448, 16, kDecoration, 0,
       "本软件仅适用于穿越火线CDK查询，对于喜欢再网上买CDK抽奖的玩家有很大的用处", kDefaultGuiFont, 0x000000,
       kFaceColour, L},
      {K::kLabel, "标签3", 336, 22, 128, 24, kDecoration, 0, "软件无需联网也可使用", kSongTi12, 0x000000,
       kFaceColour, L},
      {K::kLabel, "标签2", 5, 56, 104, 24, kDecoration, 0, "道具名称：", kKaiTi20Bold, 0xFFA8FF, kFaceColour, L},
      {K::kLabel, "标签1", 5, 24, 96, 16, kDecoration, 0, "输入 CDK：", kKaiTi19Bold, 0x000000, kFaceColour, L},
      {K::kEditField, "编辑框5", 108, 56, 336, 24, kVisibleField, 0, "", kDefaultGuiFont, 0x000000, 0xFFFFFF, C},
      {K::kEditField, "编辑框4", 8, 496, 288, 20, kVisibleField, 0, "", kDefaultGuiFont, 0x000000, 0xFFFFFF, L},
      {K::kTimer, "时钟1", 568, 432, 26, 26, kEnabled, 0, "", kDefaultGuiFont, 0, 0, L},
      {K::kEditField, "编辑框3", 8, 472, 288, 20, kVisibleField, 0, "", kDefaultGuiFont, 0x000000, 0xFFFFFF, L},
      {K::kEditField, "编辑框2", 108, 23, 224, 24, kVisibleField, 0, "", kSongTi14, 0x000000, 0xFFFFFF, C},
      {K::kHiddenTextField, "编辑框1", 368, 216, 192, 88, kEnabled | kTabStop, 0, "", kDefaultGuiFont, 0x000000,
       0xFFFFFF, L},
  }};
}();

struct StatusPartSpec {
  int32_t width;
  TextView text;
  TextView tip;
};

inline constexpr std::array<StatusPartSpec, 6> kStatusBarParts{{
    {55, "青杉辅助", ""},
    {55, "官方Yy群", ""},
    {90, "６０４７１９２", ""},
    {55, "官方网站", ""},
    {120, kWebAddress, ""},
    {65, "作者：青杉", ""},
}};

// --- Reaching components by name -------------------------------------------

consteval size_t ComponentIndex(TextView name) {
  for (size_t i = 0; i < kLayout.size(); ++i) {
    if (kLayout[i].name == name) return i;
  }
  throw "no component of that name";  // reached only at compile time
}

// A component that holds a text (an edit field, shown or hidden).
struct FieldId {
  size_t index;
};
// A timer component.
struct TimerId {
  size_t index;
};

consteval FieldId FieldNamed(TextView name) {
  size_t i = ComponentIndex(name);
  if (kLayout[i].kind != ComponentKind::kEditField && kLayout[i].kind != ComponentKind::kHiddenTextField) {
    throw "not a text field";
  }
  return {i};
}

consteval TimerId TimerNamed(TextView name) {
  size_t i = ComponentIndex(name);
  if (kLayout[i].kind != ComponentKind::kTimer) throw "not a timer";
  return {i};
}

inline constexpr FieldId 编辑框1 = FieldNamed("编辑框1");
inline constexpr FieldId 编辑框2 = FieldNamed("编辑框2");
inline constexpr FieldId 编辑框3 = FieldNamed("编辑框3");
inline constexpr FieldId 编辑框4 = FieldNamed("编辑框4");
inline constexpr FieldId 编辑框5 = FieldNamed("编辑框5");
inline constexpr TimerId 时钟1 = TimerNamed("时钟1");

// --- Decisions drawn from the tables ----------------------------------------

inline constexpr int kFirstControlId = 101;

constexpr int ControlId(size_t index) { return kFirstControlId + static_cast<int>(index); }

// The list index of a control ID, or kLayout.size() when it names none.
constexpr size_t IndexOfControlId(int control_id) {
  if (control_id < kFirstControlId || control_id >= kFirstControlId + static_cast<int>(kLayout.size())) {
    return kLayout.size();
  }
  return static_cast<size_t>(control_id - kFirstControlId);
}

struct Point {
  int32_t x, y;
  friend bool operator==(const Point&, const Point&) = default;
};

// Top-left corner of the outer window, centred on the whole primary screen;
// each division truncates toward zero.
constexpr Point CenteredPlacement(int32_t screen_width, int32_t screen_height) {
  return {(screen_width - kMainWindow.outer_width) / 2, (screen_height - kMainWindow.outer_height) / 2};
}

// Shown, enabled, tab stop, and a kind that takes the focus (edit fields).
bool TakesFocus(const ComponentSpec& component);

// The focus candidates in Tab order: ascending tab-order value, equal values
// in reverse list order.
std::vector<size_t> FocusOrder();

// The component that gets the focus at the first activation.
size_t InitialFocus();

// The candidate after (or before) `current`, cyclically; from a component
// that is no candidate, the initial focus.
size_t NextFocus(size_t current, bool backwards);

// Right edge of each status-bar part, measured from the bar's left edge.
std::array<int32_t, kStatusBarParts.size()> StatusBarRightEdges();

// What the window does with a key press before the focused field sees it.
enum class KeyAction { kPassOn, kClose, kFocusNext, kFocusPrevious, kIgnore };

inline constexpr unsigned kKeyTab = 0x09;     // VK_TAB
inline constexpr unsigned kKeyEnter = 0x0D;   // VK_RETURN
inline constexpr unsigned kKeyEscape = 0x1B;  // VK_ESCAPE
inline constexpr unsigned kKeyF1 = 0x70;      // VK_F1

KeyAction ClassifyKeyDown(unsigned virtual_key, bool shift, bool ctrl, bool alt);

}  // namespace cdk::ui
