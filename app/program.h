// The program's life from start-up to exit code.
#pragma once

#include <windows.h>

namespace cdk::app {

// Start-up, the main window, the message loop and shut-down; returns the exit
// code: 0 after the window has been closed, -1 after an unrecoverable error.
int RunProgram(HINSTANCE instance);

}  // namespace cdk::app
