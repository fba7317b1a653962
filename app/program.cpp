#include "app/program.h"

#include <ole2.h>

#include <memory>
#include <new>
#include <string>

#include "app/debug_host.h"
#include "app/fatal_error.h"
#include "app/process.h"
#include "app/seams.h"
#include "app/startup.h"
#include "ui/main_window.h"

namespace cdk::app {
namespace {

constexpr wchar_t kErrorBoxTitle[] = L"穿越火线CDK道具查询工具";
constexpr wchar_t kOutOfMemoryMessage[] = L"内存不足：无法分配文本或缓冲区。";
constexpr wchar_t kWindowNotCreatedMessage[] = L"无法创建主窗口。";
constexpr wchar_t kUnexpectedMessage[] = L"程序内部错误。";

// OLE for the window thread, a single-threaded apartment for the whole run.
class OleSession {
 public:
  OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  ~OleSession() {
    if (initialised_) OleUninitialize();
  }

 private:
  bool initialised_;
};

// Dispatches until WM_QUIT; the window takes its keys first.
int RunMessageLoop(ui::MainWindow& window) {
  if (!IsWindow(window.hwnd())) return kQuitCode;  // nothing left to run for
  MSG message{};
  for (;;) {
    BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) break;  // WM_QUIT
    if (got == -1) return kQuitCode;
    if (!window.TranslateKey(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (window.failed()) break;
  }
  window.RethrowFailure();
  return static_cast<int>(message.wParam);
}

// A modal box with no owner and one OK button. A quit message still queued
// would end the box at once, so it goes first.
void ShowFatalError(const wchar_t* message) {
  MSG quit;
  while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  MessageBoxW(nullptr, message, kErrorBoxTitle, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace

int RunProgram(HINSTANCE instance) {
  const ForcedFailure forced = ForcedFailureSwitch();
  // Released in reverse order at shut-down: the window, the bound library,
  // then OLE.
  OleSession ole;
  BoundLibrary kernel32("Kernel32.dll");
  std::unique_ptr<ui::MainWindow> window;
  const wchar_t* failure = nullptr;
  std::wstring fatal_message;  // holds the text of a FatalError
  try {
    MakeExecutableDirectoryCurrent();

    if (ShouldSignalDebugHost(ExecutableFileName()) || forced == ForcedFailure::kBinding) {
      DebugHostExports exports;
      if (forced == ForcedFailure::kBinding) exports.move_memory = "CdkToolMissingExport";
      SendDebugHostSignal(BindDebugHostFunctions(kernel32, exports), DebugHostMappingName());
    }

    if (forced == ForcedFailure::kMemory) ArmAllocationFailure();
    if (forced != ForcedFailure::kWindow) window = ui::MainWindow::Create(instance);
    if (!window) throw FatalError(kWindowNotCreatedMessage);
    window->Show();
    if (forced == ForcedFailure::kMemoryLate) ArmAllocationFailure();

    return RunMessageLoop(*window);
  } catch (const std::bad_alloc&) {
    failure = kOutOfMemoryMessage;
  } catch (FatalError& error) {
    fatal_message = error.TakeMessage();
    failure = fatal_message.c_str();
  } catch (...) {
    failure = kUnexpectedMessage;
  }
  if (window) window->Silence();  // no handler runs from here on
  ShowFatalError(failure);
  return kFatalExitCode;
}

}  // namespace cdk::app
