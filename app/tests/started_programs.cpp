#include "app/tests/started_programs.h"

namespace cdk::driver {
namespace {

HANDLE StartedProgramsJob() {
  static const HANDLE job = [] {
    HANDLE created = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (created != nullptr) {
      SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    return created;
  }();
  return job;
}

struct WindowQuery {
  DWORD process_id;
  const wchar_t* window_class;
  HWND found;
};

BOOL CALLBACK MatchVisibleWindow(HWND hwnd, LPARAM lparam) {
  auto& query = *reinterpret_cast<WindowQuery*>(lparam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != query.process_id || !IsWindowVisible(hwnd)) return TRUE;
  wchar_t class_name[64] = {};
  GetClassNameW(hwnd, class_name, 64);
  if (lstrcmpW(class_name, query.window_class) != 0) return TRUE;
  query.found = hwnd;
  return FALSE;
}

}  // namespace

void JoinStartedPrograms(HANDLE process) {
  if (StartedProgramsJob() != nullptr) AssignProcessToJobObject(StartedProgramsJob(), process);
}

void EndStartedPrograms() {
  if (StartedProgramsJob() != nullptr) TerminateJobObject(StartedProgramsJob(), 98);
}

HWND VisibleWindowOf(DWORD process_id, const wchar_t* window_class) {
  WindowQuery query{process_id, window_class, nullptr};
  EnumWindows(MatchVisibleWindow, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

}  // namespace cdk::driver
