// A top-level window owned by a C++ object: the object is bound to its HWND
// on WM_NCCREATE (from lpCreateParams) and unbound on WM_NCDESTROY. Not
// copyable. A derived class calls Destroy() in its own destructor, so that
// the messages of the destruction still find its members alive; the base
// destructor only catches a window that is left.
//
// No exception crosses the system's frames: one thrown while a message is
// handled is kept, the window stops handling messages (everything goes to
// DefWindowProc from then on), and RethrowFailure() hands it to the caller
// that runs the message loop.
#pragma once

#include <windows.h>

#include <exception>

namespace cdk::ui {

class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }
  bool failed() const { return failure_ != nullptr; }
  void RethrowFailure() const {
    if (failure_) std::rethrow_exception(failure_);
  }

 protected:
  Window() = default;

  // Registers `class_info` once per process (its lpfnWndProc and
  // lpszClassName are set here) and creates the window bound to this object.
  // False when the window cannot be created.
  bool CreateBound(WNDCLASSEXW class_info, const wchar_t* class_name, DWORD ex_style, const wchar_t* title,
                   DWORD style, int x, int y, int width, int height, HINSTANCE instance);

  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) = 0;

  // Destroys the window if it still exists (WM_NCDESTROY unbinds it).
  void Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
  }

  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(hwnd_, message, wparam, lparam);
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  HWND hwnd_ = nullptr;
  std::exception_ptr failure_;
};

}  // namespace cdk::ui
