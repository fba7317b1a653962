// What another process holds: memory, kernel handles, GDI and USER objects.
//
// Each figure comes from the system's own call where the system implements
// it. Wine 8 leaves some of them out (GetGuiResources fails with
// ERROR_CALL_NOT_IMPLEMENTED, GetProcessHandleCount gives 0, PrivateUsage of
// another process is 0); those figures are then counted another way, and
// `source` says which way was used.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace cdk::soak {

// A figure and how it was obtained; `value` is -1 when it could not be had.
struct Figure {
  int64_t value = -1;
  std::string source;
  bool known() const { return value >= 0; }
};

struct ProcessFigures {
  Figure memory;        // private bytes: PrivateUsage, else PagefileUsage
  Figure working_set;   // resident bytes, for the record only
  Figure handles;       // kernel handles
  Figure gdi_objects;
  Figure user_objects;  // windows where GetGuiResources is missing
};

// One sample of `process` (opened with query and VM-read rights) with id `pid`.
ProcessFigures SampleProcess(HANDLE process, DWORD pid);

// The smallest of each figure over `samples` samples taken `gap` apart: a
// tick that is halfway through copying the database text must not count as
// growth.
ProcessFigures SteadyFigures(HANDLE process, DWORD pid, int samples, DWORD gap_ms);

}  // namespace cdk::soak
