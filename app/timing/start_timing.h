// Start-up of a whole Windows program: from CreateProcess until its main
// window is visible, seen from another process as a user would see it.
#pragma once

#include <windows.h>

#include <string>

namespace cdk::timing {

struct Program {
  std::string name;           // for the report
  std::wstring exe;           // Windows path of the program
  std::wstring window_class;  // class of the window that counts as shown
};

struct StartTime {
  bool ok = false;
  double milliseconds = 0;
  std::string error;  // why there is no time
};

// Starts `program`, waits for a visible top-level window of its class that
// belongs to the started process, and times that wait. Then closes the window
// with WM_CLOSE, waits for the process to end and for the machine to settle,
// so the next start does not share the machine with this one's exit.
StartTime TimeStartToShownWindow(const Program& program);

// A Unix path ("/a/b") as Wine's Z: drive sees it; other paths unchanged.
std::wstring WindowsPath(const std::string& utf8_path);

}  // namespace cdk::timing
