// Compiled only into the test build of the program (cdk_tool_seams).
#include "app/seams.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <cwchar>
#include <new>

namespace cdk::app {
namespace {
std::atomic<bool> allocation_fails{false};
}  // namespace

namespace {

ForcedFailure FailureNamed(const wchar_t* name) {
  if (std::wcscmp(name, L"window") == 0) return ForcedFailure::kWindow;
  if (std::wcscmp(name, L"binding") == 0) return ForcedFailure::kBinding;
  if (std::wcscmp(name, L"memory") == 0) return ForcedFailure::kMemory;
  if (std::wcscmp(name, L"memory-late") == 0) return ForcedFailure::kMemoryLate;
  return ForcedFailure::kNone;
}

}  // namespace

ForcedFailure ForcedFailureSwitch() {
  // The command line wins: --force-failure=<name> anywhere on it.
  const wchar_t* command_line = GetCommandLineW();
  constexpr wchar_t kOption[] = L"--force-failure=";
  if (const wchar_t* found = std::wcsstr(command_line, kOption)) {
    wchar_t name[32] = {};
    const wchar_t* from = found + (sizeof kOption / sizeof kOption[0]) - 1;
    for (size_t i = 0; i + 1 < 32 && from[i] && from[i] != L' ' && from[i] != L'"'; ++i) name[i] = from[i];
    return FailureNamed(name);
  }
  wchar_t value[32] = {};
  DWORD n = GetEnvironmentVariableW(L"CDK_TOOL_FORCE_FAILURE", value, 32);
  if (n == 0 || n >= 32) return ForcedFailure::kNone;
  return FailureNamed(value);
}

void ArmAllocationFailure() { allocation_fails = true; }

}  // namespace cdk::app

// The program's allocations, failing on demand.
void* operator new(std::size_t size) {
  if (cdk::app::allocation_fails) throw std::bad_alloc();
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
