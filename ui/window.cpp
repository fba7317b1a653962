#include "ui/window.h"

namespace cdk::ui {

Window::~Window() {
  // The derived part is gone: unbind first so no message reaches it.
  if (!hwnd_) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

bool Window::CreateBound(WNDCLASSEXW class_info, const wchar_t* class_name, DWORD ex_style, const wchar_t* title,
                         DWORD style, int x, int y, int width, int height, HINSTANCE instance) {
  class_info.cbSize = sizeof class_info;
  class_info.lpfnWndProc = &Window::WindowProc;
  class_info.hInstance = instance;
  class_info.lpszClassName = class_name;
  WNDCLASSEXW existing;
  if (!GetClassInfoExW(instance, class_name, &existing) && !RegisterClassExW(&class_info)) return false;
  HWND hwnd = CreateWindowExW(ex_style, class_name, title, style, x, y, width, height, nullptr, nullptr, instance,
                              this);
  return hwnd != nullptr;
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);

  LRESULT result = 0;
  if (self->failed()) {
    result = DefWindowProcW(hwnd, message, wparam, lparam);
  } else {
    try {
      result = self->HandleMessage(message, wparam, lparam);
    } catch (...) {
      self->failure_ = std::current_exception();
      // A failure while the window is being built makes the creation fail.
      result = message == WM_CREATE ? -1 : message == WM_NCCREATE ? FALSE
                                                                    : DefWindowProcW(hwnd, message, wparam, lparam);
    }
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

}  // namespace cdk::ui
