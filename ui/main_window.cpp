#include "ui/main_window.h"

#include <commctrl.h>

#include <string>

#include "data/loader.h"
#include "lookup/lookup.h"
#include "ui/gbk.h"
#include "ui/resource_ids.h"
#include "ui/web_page.h"

namespace cdk::ui {
namespace {

// Fixed single frame and caption, system menu, minimize but no maximize box.
constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// What OnCodeChanged asks of 时钟1; the system raises it to its minimum.
constexpr int32_t kLookupPeriodMilliseconds = 1;

HICON LoadWindowIcon(HINSTANCE instance, int size_metric_x, int size_metric_y) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(CDK_IDI_MAIN_ICON), IMAGE_ICON,
                                       GetSystemMetrics(size_metric_x), GetSystemMetrics(size_metric_y), LR_SHARED));
}

}  // namespace

// --- The four events ----------------------------------------------------------

void MainWindow::OnWindowCreated() {
  const Text database_text = LoadDatabaseText();
  Field(编辑框1).SetText(database_text);
}

void MainWindow::OnCodeChanged() { Clock(时钟1).SetPeriod(kLookupPeriodMilliseconds); }

// One lookup, passing the first key and the package id through their fields.
void MainWindow::OnLookupTick() {
  const Text typed_code = Field(编辑框2).GetText();
  Field(编辑框3).SetText(FirstKey(typed_code));
  {
    const Text database_text = Field(编辑框1).GetText();
    const Text first_key = Field(编辑框3).GetText();
    Field(编辑框4).SetText(FindPackageId(database_text, first_key));
  }
  const Text package_id = Field(编辑框4).GetText();
  Text item_name;
  if (!package_id.empty()) item_name = FindItemName(Field(编辑框1).GetText(), package_id);
  Field(编辑框5).SetText(item_name);
}

void MainWindow::OnWindowWillBeDestroyed() { OpenWebPage(kWebAddress); }

// --- Building, showing, closing ---------------------------------------------

std::unique_ptr<MainWindow> MainWindow::Create(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSEXW window_class{};
  window_class.hIcon = LoadWindowIcon(instance, SM_CXICON, SM_CYICON);
  window_class.hIconSm = LoadWindowIcon(instance, SM_CXSMICON, SM_CYSMICON);
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /*IDC_ARROW*/);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));

  std::unique_ptr<MainWindow> window(new MainWindow(instance));
  const Point place = CenteredPlacement(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  const std::wstring title = GbkToWide(kMainWindow.title);
  const bool created = window->CreateBound(window_class, kMainWindowClassName, 0, title.c_str(), kMainWindowStyle,
                                           place.x, place.y, kMainWindow.outer_width, kMainWindow.outer_height,
                                           instance);
  window->RethrowFailure();
  if (!created) return nullptr;
  window->KeepOuterSize(place);
  window->OnWindowCreated();
  window->handlers_live_ = true;
  return window;
}

MainWindow::~MainWindow() {
  Silence();
  Destroy();
}

void MainWindow::Show() {
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  UpdateWindow(hwnd());
}

void MainWindow::Silence() {
  handlers_live_ = false;
  if (components_.size() == kLayout.size()) Clock(时钟1).Stop();
}

bool MainWindow::OnCreate() {
  const BuildContext context{hwnd(), instance_};
  components_.reserve(kLayout.size());
  size_t index = 0;
  for (const ComponentSpec& layout_row : kLayout) {
    std::unique_ptr<Component> component = BuildComponent(layout_row, index++, context);
    if (!component) return false;
    components_.push_back(std::move(component));
  }
  return true;
}

void MainWindow::KeepOuterSize(Point place) {
  RECT rect;
  if (!GetWindowRect(hwnd(), &rect)) return;
  if (rect.right - rect.left == kMainWindow.outer_width && rect.bottom - rect.top == kMainWindow.outer_height) return;
  SetWindowPos(hwnd(), nullptr, place.x, place.y, kMainWindow.outer_width, kMainWindow.outer_height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate() ? 0 : -1;
    case WM_COMMAND:
      if (handlers_live_ && HIWORD(wparam) == EN_CHANGE && LOWORD(wparam) == ControlId(编辑框2.index)) {
        OnCodeChanged();
      }
      return 0;
    case WM_TIMER:
      if (handlers_live_ && wparam == Clock(时钟1).id()) OnLookupTick();
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      if (HBRUSH brush = OnControlColour(reinterpret_cast<HWND>(lparam), reinterpret_cast<HDC>(wparam))) {
        return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_DRAWITEM:
      if (Component* component = ComponentOf(reinterpret_cast<DRAWITEMSTRUCT*>(lparam)->hwndItem)) {
        component->Draw(*reinterpret_cast<DRAWITEMSTRUCT*>(lparam));
        return TRUE;
      }
      break;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wparam) != WA_INACTIVE && !HIWORD(wparam));
      return 0;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_DESTROY: {
      // The components still exist here; the timer stops before they go.
      // A silenced window (built but never run, or failed) ends no loop.
      const bool was_live = handlers_live_;
      if (was_live) OnWindowWillBeDestroyed();
      Silence();
      if (was_live) PostQuitMessage(0);
      return 0;
    }
  }
  return Default(message, wparam, lparam);
}

HBRUSH MainWindow::OnControlColour(HWND control, HDC dc) {
  Component* component = ComponentOf(control);
  return component ? component->Colour(dc) : nullptr;
}

Component* MainWindow::ComponentOf(HWND control) const {
  if (!control) return nullptr;
  const size_t index = IndexOfControlId(GetDlgCtrlID(control));
  if (index >= components_.size() || components_[index]->hwnd() != control) return nullptr;
  return components_[index].get();
}

// --- Focus and keys ---------------------------------------------------------------

std::optional<size_t> MainWindow::FocusedComponent() const {
  HWND focus = GetFocus();
  if (!focus || !IsChild(hwnd(), focus)) return std::nullopt;
  const size_t index = IndexOfControlId(GetDlgCtrlID(focus));
  if (index >= components_.size()) return std::nullopt;
  return index;
}

void MainWindow::OnActivate(bool active) {
  if (!active) {
    if (auto focused = FocusedComponent()) last_focus_ = focused;
    return;
  }
  RestoreFocus();
}

// The field that held the focus last, or the initial focus the first time.
void MainWindow::RestoreFocus() {
  if (components_.size() != kLayout.size()) return;
  const size_t index = last_focus_.value_or(InitialFocus());
  if (HWND control = components_[index]->hwnd()) SetFocus(control);
}

void MainWindow::MoveFocus(bool backwards) {
  const size_t next = NextFocus(FocusedComponent().value_or(kLayout.size()), backwards);
  if (HWND control = components_[next]->hwnd()) SetFocus(control);
}

bool MainWindow::TranslateKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || !handlers_live_) return false;
  if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd)) return false;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool alt = GetKeyState(VK_MENU) < 0;
  switch (ClassifyKeyDown(static_cast<unsigned>(message.wParam), shift, ctrl, alt)) {
    case KeyAction::kPassOn:
      return false;
    case KeyAction::kClose:  // exactly what the close button does
      SendMessageW(hwnd(), WM_CLOSE, 0, 0);
      return true;
    case KeyAction::kFocusNext:
      MoveFocus(false);
      return true;
    case KeyAction::kFocusPrevious:
      MoveFocus(true);
      return true;
    case KeyAction::kIgnore:
      return true;
  }
  return false;
}

}  // namespace cdk::ui
