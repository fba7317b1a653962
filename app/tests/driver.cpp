#include "app/tests/driver.h"

#include <commctrl.h>
#include <winternl.h>

#include <cstdlib>
#include <thread>

namespace cdk::driver {
namespace {

std::string EnvOr(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : fallback;
}

// Cross-process messages never hang the driver: a program that stops
// answering fails the test instead.
LRESULT SendBounded(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, message, wparam, lparam, SMTO_ABORTIFHUNG, 5000, &result)) return 0;
  return static_cast<LRESULT>(result);
}

// A block of memory inside another process, for messages whose answer is
// written through a pointer.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, size_t size)
      : process_(process),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
        size_(size) {}
  ~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }
  std::vector<char> Read() const {
    std::vector<char> bytes(size_);
    SIZE_T got = 0;
    if (address_ == nullptr || !ReadProcessMemory(process_, address_, bytes.data(), size_, &got)) return {};
    bytes.resize(got);
    return bytes;
  }

 private:
  HANDLE process_;
  void* address_;
  size_t size_;
};

void PostChar(HWND target, wchar_t ch) { PostMessageW(target, WM_CHAR, ch, 1); }

}  // namespace

const Settings& GetSettings() {
  static const Settings settings{
      WindowsPath(EnvOr("CDK_TOOL_EXE", "")),
      WindowsPath(EnvOr("CDK_CARRIED_FILE", "")),
      WindowsPath(EnvOr("CDK_BROWSER_LOG", "")),
      Widen(EnvOr("CDK_WEB_ADDRESS", "https://example.com/")),
      EnvOr("CDK_TOOL_KIND", "product"),
  };
  return settings;
}

std::wstring Widen(const std::string& bytes, UINT code_page) {
  if (bytes.empty()) return {};
  int length = MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
  return wide;
}

std::wstring WindowsPath(const std::string& path) {
  std::wstring wide = Widen(path);
  if (wide.empty() || wide[0] != L'/') return wide;
  for (auto& ch : wide) {
    if (ch == L'/') ch = L'\\';
  }
  return L"Z:" + wide;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  return CloseHandle(file) && ok;
}

std::vector<std::string> ReadLines(const std::wstring& path) {
  std::vector<std::string> lines;
  std::string text = ReadWholeFile(path).value_or("");
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

ToolRun::ToolRun(const std::wstring& exe, const std::wstring& current_dir, std::chrono::milliseconds limit) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring command_line = L"\"" + exe + L"\"";
  if (!CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      current_dir.empty() ? nullptr : current_dir.c_str(), &startup, &process_)) {
    process_ = {};
    return;
  }
  JoinStartedPrograms(process_.hProcess);
  WaitUntil(
      [&] {
        window_ = FindOwnWindow(kWindowClass);
        return window_ != nullptr || FindOwnWindow(kMessageBoxClass) != nullptr ||
               WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
      },
      limit);
  // A user starts typing once the caret shows: the window is shown before it
  // is activated and a field gets the focus.
  if (window_ != nullptr) WaitUntil([&] { return FocusedControl() != nullptr; }, 5s);
}

ToolRun::~ToolRun() {
  if (process_.hProcess == nullptr) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND ToolRun::FindOwnWindow(const wchar_t* window_class) const {
  if (process_.hProcess == nullptr) return nullptr;
  return VisibleWindowOf(process_.dwProcessId, window_class);
}

std::wstring ToolRun::Title() const {
  wchar_t title[256] = {};
  GetWindowTextW(window_, title, 256);
  return title;
}

std::wstring ToolRun::FieldText(int id) const {
  HWND field = Control(id);
  if (field == nullptr) return L"<no control " + std::to_wstring(id) + L">";
  auto length = static_cast<size_t>(SendBounded(field, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length + 1, L'\0');
  auto got = static_cast<size_t>(SendBounded(field, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
  text.resize(got);
  return text;
}

HWND ToolRun::FocusedControl() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(process_.dwThreadId, &info)) return nullptr;
  return info.hwndFocus;
}

void ToolRun::Type(const std::wstring& text) const {
  HWND target = FocusedControl();
  for (wchar_t ch : text) PostChar(target, ch);
}

void ToolRun::TypeInto(int id, const std::wstring& text) const {
  for (wchar_t ch : text) PostChar(Control(id), ch);
}

void ToolRun::PressBackspace(int times) const {
  HWND target = FocusedControl();
  // The character alone: a posted key-down would come back translated, after
  // characters posted later.
  for (int i = 0; i < times; ++i) PostChar(target, L'\b');
}

void ToolRun::PressTab(bool shift) const {
  if (GetForegroundWindow() != window_) SetForegroundWindow(window_);
  std::vector<INPUT> keys;
  auto key = [&](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    keys.push_back(input);
  };
  if (shift) key(VK_SHIFT, false);
  key(VK_TAB, false);
  key(VK_TAB, true);
  if (shift) key(VK_SHIFT, true);
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

void ToolRun::PressEscape() const {
  HWND target = FocusedControl();
  if (target == nullptr) target = window_;
  PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageW(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

std::vector<int> ToolRun::StatusBarRightEdges() const {
  constexpr int kMaxParts = 32;
  RemoteBuffer buffer(process_.hProcess, kMaxParts * sizeof(int));
  auto count = static_cast<int>(SendBounded(Control(kStatusBar1), SB_GETPARTS, kMaxParts, buffer.address()));
  std::vector<char> bytes = buffer.Read();
  if (count <= 0 || bytes.size() < count * sizeof(int)) return {};
  std::vector<int> edges(static_cast<size_t>(count));
  memcpy(edges.data(), bytes.data(), count * sizeof(int));
  return edges;
}

std::vector<std::wstring> ToolRun::StatusBarTexts() const {
  HWND bar = Control(kStatusBar1);
  std::vector<std::wstring> texts;
  auto count = static_cast<int>(SendBounded(bar, SB_GETPARTS, 0, 0));
  for (int part = 0; part < count; ++part) {
    size_t length = LOWORD(SendBounded(bar, SB_GETTEXTLENGTHW, part, 0));
    RemoteBuffer buffer(process_.hProcess, (length + 1) * sizeof(wchar_t));
    SendBounded(bar, SB_GETTEXTW, part, buffer.address());
    std::vector<char> bytes = buffer.Read();
    std::wstring text(length, L'\0');
    if (bytes.size() >= length * sizeof(wchar_t)) memcpy(text.data(), bytes.data(), length * sizeof(wchar_t));
    texts.push_back(text);
  }
  return texts;
}

std::wstring ToolRun::CurrentDirectory() const {
  // The start of RTL_USER_PROCESS_PARAMETERS up to the current directory;
  // natural alignment gives the system's layout on 32- and 64-bit Windows.
  struct ProcessParametersHead {
    ULONG maximum_length, length, flags, debug_flags;
    HANDLE console_handle;
    ULONG console_flags;
    HANDLE std_input, std_output, std_error;
    UNICODE_STRING current_directory;
  };
  using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<QueryProcess>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  if (query == nullptr ||
      query(process_.hProcess, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
    return L"<cannot query the process>";
  }
  auto read = [&](const void* address, void* into, size_t size) {
    SIZE_T got = 0;
    return ReadProcessMemory(process_.hProcess, address, into, size, &got) && got == size;
  };
  PRTL_USER_PROCESS_PARAMETERS parameters = nullptr;
  ProcessParametersHead head{};
  const auto* peb = reinterpret_cast<const char*>(basic.PebBaseAddress);
  if (!read(peb + offsetof(PEB, ProcessParameters), &parameters, sizeof parameters) ||
      !read(parameters, &head, sizeof head)) {
    return L"<cannot read the process parameters>";
  }
  std::wstring directory(head.current_directory.Length / sizeof(wchar_t), L'\0');
  if (!read(head.current_directory.Buffer, directory.data(), head.current_directory.Length)) {
    return L"<cannot read the current directory>";
  }
  return directory;
}

std::optional<DWORD> ToolRun::WaitForExit(std::chrono::milliseconds limit) {
  if (process_.hProcess == nullptr ||
      WaitForSingleObject(process_.hProcess, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::wstring WaitForFieldText(const ToolRun& run, int id, const std::wstring& expected,
                              std::chrono::milliseconds limit) {
  std::wstring text;
  WaitUntil([&] { return (text = run.FieldText(id)) == expected; }, limit);
  return text;
}

}  // namespace cdk::driver
