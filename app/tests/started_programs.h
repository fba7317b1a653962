// What every program that starts the tool needs: its started programs bound
// to its own life, and a way to find a started program's visible window.
#pragma once

#include <windows.h>

namespace cdk::driver {

// Puts a started process in a job that ends it when this process ends, so a
// stopped test or timing run never leaves a window behind (a program left
// running would keep ctest's output pipe open).
void JoinStartedPrograms(HANDLE process);

// Ends every started program that still runs.
void EndStartedPrograms();

// The first visible top-level window of class `window_class` that belongs to
// `process_id`, or null.
HWND VisibleWindowOf(DWORD process_id, const wchar_t* window_class);

}  // namespace cdk::driver
