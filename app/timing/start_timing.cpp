#include "app/timing/start_timing.h"

#include "app/tests/started_programs.h"
#include "app/timing/rounds.h"

namespace cdk::timing {
namespace {

// A program that shows nothing within this time has failed.
constexpr double kShowLimitMilliseconds = 60000;
constexpr DWORD kExitLimitMilliseconds = 30000;
// After an exit: the tool's closing hands a web address to the shell, whose
// browser process may still be running.
constexpr DWORD kSettleMilliseconds = 300;

constexpr wchar_t kMessageBoxClass[] = L"#32770";

// The started process; ended by force if it is still running when dropped.
class StartedProcess {
 public:
  explicit StartedProcess(const PROCESS_INFORMATION& info) : info_(info) {
    driver::JoinStartedPrograms(info_.hProcess);
  }
  ~StartedProcess() {
    if (!HasEnded(0)) {
      TerminateProcess(info_.hProcess, 99);
      WaitForSingleObject(info_.hProcess, kExitLimitMilliseconds);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  StartedProcess(const StartedProcess&) = delete;
  StartedProcess& operator=(const StartedProcess&) = delete;

  DWORD id() const { return info_.dwProcessId; }
  bool HasEnded(DWORD wait_milliseconds) const {
    return WaitForSingleObject(info_.hProcess, wait_milliseconds) == WAIT_OBJECT_0;
  }
  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION info_;
};

StartTime Failure(const Program& program, const std::string& what) {
  return StartTime{false, 0, program.name + ": " + what};
}

}  // namespace

std::wstring WindowsPath(const std::string& utf8_path) {
  if (utf8_path.empty()) return {};
  int length = MultiByteToWideChar(CP_UTF8, 0, utf8_path.data(), static_cast<int>(utf8_path.size()), nullptr, 0);
  std::wstring path(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8_path.data(), static_cast<int>(utf8_path.size()), path.data(), length);
  if (path[0] != L'/') return path;
  for (wchar_t& ch : path) {
    if (ch == L'/') ch = L'\\';
  }
  return L"Z:" + path;
}

StartTime TimeStartToShownWindow(const Program& program) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring command_line = L"\"" + program.exe + L"\"";

  const double start = NowMilliseconds();
  if (!CreateProcessW(program.exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return Failure(program, "CreateProcess failed, error " + std::to_string(GetLastError()));
  }
  StartedProcess process(info);
  HWND window = nullptr;
  // Polled every millisecond: finer than any start-up, coarse enough to
  // leave the two cores to the program being started.
  while ((window = driver::VisibleWindowOf(process.id(), program.window_class.c_str())) == nullptr) {
    if (driver::VisibleWindowOf(process.id(), kMessageBoxClass) != nullptr) return Failure(program, "showed an error box");
    if (process.HasEnded(0)) {
      return Failure(program, "ended without a window, exit code " + std::to_string(process.ExitCode()));
    }
    if (NowMilliseconds() - start > kShowLimitMilliseconds) return Failure(program, "showed no window in 60 s");
    Sleep(1);
  }
  const double shown = NowMilliseconds();

  PostMessageW(window, WM_CLOSE, 0, 0);
  if (!process.HasEnded(kExitLimitMilliseconds)) return Failure(program, "did not end after WM_CLOSE");
  if (process.ExitCode() != 0) {
    return Failure(program, "ended with exit code " + std::to_string(process.ExitCode()) + " after WM_CLOSE");
  }
  Sleep(kSettleMilliseconds);
  return StartTime{true, shown - start, {}};
}

}  // namespace cdk::timing
