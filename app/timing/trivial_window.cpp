// The least a Win32 program does to put a window on the screen: one class,
// one empty window, shown, and a message loop that ends when it is closed.
// window_timing starts it as the yardstick for the tool's start-up.
#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"CdkTimingTrivialWindow";

LRESULT CALLBACK TrivialWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  // WM_CLOSE goes to DefWindowProc, which destroys the window.
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = TrivialWindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /*IDC_ARROW*/);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  window_class.lpszClassName = kClassName;
  if (!RegisterClassExW(&window_class)) return 1;

  HWND window = CreateWindowExW(0, kClassName, L"trivial window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                400, 300, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);

  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : 1;
}
