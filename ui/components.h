// The kinds of component the main window is built from, each made from one
// row of the layout table. Child controls are destroyed with their parent
// window; the objects here only keep what the controls use (fonts, brushes,
// the picture) alive as long as the window.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <memory>
#include <string>

#include "text/byte_text.h"
#include "ui/gdi_guards.h"
#include "ui/layout.h"

namespace cdk::ui {

struct BuildContext {
  HWND parent;
  HINSTANCE instance;
};

class Component {
 public:
  virtual ~Component() = default;
  // WM_CTLCOLOR*: sets up `dc` and gives the background brush, or nullptr
  // when the component has no colours of its own.
  virtual HBRUSH Colour(HDC /*dc*/) const { return nullptr; }
  // WM_DRAWITEM for an owner-drawn control.
  virtual void Draw(const DRAWITEMSTRUCT& /*item*/) const {}
  // The native window, or nullptr for a component that has none.
  virtual HWND hwnd() const { return nullptr; }
};

// The text interface that every edit field offers, shown or hidden: setting
// replaces the whole text with exactly these bytes; reading gives a new copy.
class TextField : public Component {
 public:
  virtual Text GetText() const = 0;
  virtual void SetText(TextView text) = 0;
};

// Makes the component of one layout row (list index `index`). Null when its
// native control cannot be created.
std::unique_ptr<Component> BuildComponent(const ComponentSpec& layout_row, size_t index, const BuildContext& context);

// --- The kinds --------------------------------------------------------------

class Label final : public Component {
 public:
  Label(HWND hwnd, const ComponentSpec& layout_row, FontGuard font) : hwnd_(hwnd), layout_row_(layout_row), font_(std::move(font)) {}
  HBRUSH Colour(HDC dc) const override;
  HWND hwnd() const override { return hwnd_; }

 private:
  HWND hwnd_;
  const ComponentSpec& layout_row_;
  FontGuard font_;
};

// A native single-line edit control. The text crosses into UTF-16 and back;
// the bytes the program set last are kept, so a field gives back exactly the
// bytes it was given (also bytes that are not valid GBK) until the user
// changes it.
class EditField final : public TextField {
 public:
  EditField(HWND hwnd, const ComponentSpec& layout_row, FontGuard font);
  Text GetText() const override;
  void SetText(TextView text) override;  // EN_CHANGE reaches the parent once
  HBRUSH Colour(HDC dc) const override;
  HWND hwnd() const override { return hwnd_; }

 private:
  HWND hwnd_;
  const ComponentSpec& layout_row_;
  FontGuard font_;
  BrushGuard background_;
  Text set_bytes_;
  std::wstring set_wide_;
};

// An edit field that is never shown, drawn or focused: its text is kept in
// memory byte for byte (the 1.8 MB database text, CR LF pairs included), so
// reading it costs one copy and nothing passes through UTF-16.
class HiddenTextField final : public TextField {
 public:
  Text GetText() const override { return text_; }
  void SetText(TextView text) override { text_.assign(text); }

 private:
  Text text_;
};

// The picture at its natural size from the top-left corner, on the 3D face.
class PictureBox final : public Component {
 public:
  PictureBox(HWND hwnd, ComPtr<IPicture> picture) : hwnd_(hwnd), picture_(std::move(picture)) {}
  void Draw(const DRAWITEMSTRUCT& item) const override;
  HWND hwnd() const override { return hwnd_; }

 private:
  HWND hwnd_;
  ComPtr<IPicture> picture_;  // owns the decoded bitmap; empty if none could be loaded
};

class StatusBar final : public Component {
 public:
  explicit StatusBar(HWND hwnd) : hwnd_(hwnd) {}
  HWND hwnd() const override { return hwnd_; }

 private:
  HWND hwnd_;
};

// A SetTimer timer on the main window; its ID is its control ID.
// A negative period is 0, 0 is stopped, setting the period it already has does
// nothing, and any other setting starts it afresh. WM_TIMER never overlaps a
// running handler and never piles up.
class Timer final : public Component {
 public:
  Timer(HWND owner, UINT_PTR id) : owner_(owner), id_(id) {}
  ~Timer() override { Stop(); }
  void SetPeriod(int32_t milliseconds);
  int32_t period() const { return period_; }
  UINT_PTR id() const { return id_; }
  void Stop() { SetPeriod(0); }

 private:
  HWND owner_;
  UINT_PTR id_;
  int32_t period_ = 0;
};

}  // namespace cdk::ui
