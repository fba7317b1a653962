// The tool's one window: built from the layout table, it carries the four
// events that do all of the tool's work.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "ui/components.h"
#include "ui/layout.h"
#include "ui/window.h"

namespace cdk::ui {

inline constexpr wchar_t kMainWindowClassName[] = L"CdkToolMainWindow";

class MainWindow final : public Window {
 public:
  // Builds the window and its components in list order, then runs the created
  // event; the window is not shown yet. Null when the window or one of its
  // components cannot be created. A failure inside a handler (std::bad_alloc)
  // is rethrown.
  static std::unique_ptr<MainWindow> Create(HINSTANCE instance);
  ~MainWindow() override;

  void Show();

  // The keys the window handles before the focused field sees them: Esc
  // closes, Tab and Shift+Tab move along the focus order, Enter and F1 do
  // nothing. True when `message` was taken.
  bool TranslateKey(const MSG& message);

  // From now on no event reaches a handler and the timer is stopped; used on
  // the way out after an unrecoverable error.
  void Silence();

 private:
  explicit MainWindow(HINSTANCE instance) : instance_(instance) {}

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  // The four events.
  void OnWindowCreated();
  void OnCodeChanged();
  void OnLookupTick();
  void OnWindowWillBeDestroyed();

  // Window plumbing.
  bool OnCreate();
  HBRUSH OnControlColour(HWND control, HDC dc);
  void OnActivate(bool active);
  void RestoreFocus();
  void MoveFocus(bool backwards);
  void KeepOuterSize(Point place);

  TextField& Field(FieldId id) const { return static_cast<TextField&>(*components_[id.index]); }
  Timer& Clock(TimerId id) const { return static_cast<Timer&>(*components_[id.index]); }
  Component* ComponentOf(HWND control) const;
  std::optional<size_t> FocusedComponent() const;

  HINSTANCE instance_;
  std::vector<std::unique_ptr<Component>> components_;  // in list order
  bool handlers_live_ = false;  // events reach the handlers (after the created event)
  std::optional<size_t> last_focus_;
};

}  // namespace cdk::ui
