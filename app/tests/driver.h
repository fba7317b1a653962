// Drives the real program from a second Windows process, the way a user
// would: starts it, finds its window, types into the focused field, presses
// keys, reads the fields and the status bar back, and closes it with Esc.
//
// Everything here waits with a bound and then fails the test with a message;
// nothing asserts on how long a step took.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/tests/started_programs.h"

namespace cdk::driver {

using namespace std::chrono_literals;

// Control IDs: 100 + the component's place in the window's list.
enum ControlId : int {
  kPictureBox1 = 101,
  kStatusBar1 = 102,
  kCodeField = 112,       // 编辑框2, the typed code
  kFirstKeyField = 111,   // 编辑框3
  kPackageIdField = 109,  // 编辑框4
  kItemNameField = 108,   // 编辑框5
};

inline constexpr wchar_t kWindowClass[] = L"CdkToolMainWindow";
inline constexpr wchar_t kWindowTitle[] =
    L"【青杉】穿越火线CDK道具查询工具（Yy群：6047192）";
inline constexpr wchar_t kMessageBoxClass[] = L"#32770";
inline constexpr wchar_t kDataFilePath[] = L"C:\\WINDOWS\\重要查询文件";

// Settings handed over by the test registration (environment variables set
// by CMake and by scripts/wine-run.sh); Unix paths become Z: paths.
struct Settings {
  std::wstring tool_exe;       // the program under test
  std::wstring carried_file;   // the data file it carries
  std::wstring browser_log;    // where the stand-in browser records addresses
  std::wstring web_address;    // the address the program opens when it closes
  std::string kind;            // "product", "standin" or "seams"
};
const Settings& GetSettings();

// A Unix path ("/a/b") as Wine's Z: drive sees it; other paths unchanged.
std::wstring WindowsPath(const std::string& path);
std::wstring Widen(const std::string& bytes, UINT code_page = CP_UTF8);

// Polls `done` every few milliseconds until it holds or `limit` has passed.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

// Whole-file helpers for the data file and the browser log.
std::optional<std::string> ReadWholeFile(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);
std::vector<std::string> ReadLines(const std::wstring& path);

// One started program. The destructor ends a program that is still running,
// so a failed test never leaves a window behind.
class ToolRun {
 public:
  // Starts `exe` with `current_dir` (empty: the driver's own) and waits for
  // its visible main window (or an error box, or the process's end).
  // has_window() tells whether the main window came.
  explicit ToolRun(const std::wstring& exe, const std::wstring& current_dir = L"",
                   std::chrono::milliseconds limit = 60s);
  ~ToolRun();
  ToolRun(const ToolRun&) = delete;
  ToolRun& operator=(const ToolRun&) = delete;

  bool has_window() const { return window_ != nullptr; }
  HWND window() const { return window_; }
  HWND Control(int id) const { return GetDlgItem(window_, id); }
  HANDLE process() const { return process_.hProcess; }
  DWORD process_id() const { return process_.dwProcessId; }

  std::wstring Title() const;
  std::wstring FieldText(int id) const;
  HWND FocusedControl() const;

  // Typing: WM_CHAR for each character, posted to the focused field (or the
  // given one), as the keyboard driver delivers them.
  void Type(const std::wstring& text) const;
  void TypeInto(int id, const std::wstring& text) const;
  void PressBackspace(int times) const;
  // Tab and Shift+Tab through the system's keyboard input, so that the
  // program sees the Shift key down as it would with a real keyboard.
  void PressTab(bool shift) const;
  // Esc to the focused field.
  void PressEscape() const;

  // Status bar parts through memory inside the program's process.
  std::vector<int> StatusBarRightEdges() const;
  std::vector<std::wstring> StatusBarTexts() const;

  // The program's current directory, read from its process parameters.
  std::wstring CurrentDirectory() const;

  // The first visible top-level window of class `window_class` that belongs
  // to the program, or null.
  HWND FindOwnWindow(const wchar_t* window_class) const;

  // Waits for the process to end; its exit code, or nothing on timeout.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds limit = 30s);

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

// Polls the field until it equals `expected` (bounded); returns the last text.
std::wstring WaitForFieldText(const ToolRun& run, int id, const std::wstring& expected,
                              std::chrono::milliseconds limit = 10s);

}  // namespace cdk::driver
