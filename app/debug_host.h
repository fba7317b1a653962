// The debug-host signal: when the program runs from a *.tmp copy, a debug
// host waits for the first three bytes of its named file mapping to become 0.
// The four Kernel32 functions are bound by name; a missing one is fatal.
#pragma once

#include <windows.h>

#include "text/byte_text.h"

namespace cdk::app {

// The exports the signal binds.
struct DebugHostExports {
  const char* open_file_mapping = "OpenFileMappingA";
  const char* map_view_of_file = "MapViewOfFile";
  const char* move_memory = "RtlMoveMemory";
  const char* close_handle = "CloseHandle";
};

struct DebugHostFunctions {
  HANDLE(WINAPI* open_file_mapping)(DWORD access, BOOL inherit, LPCSTR name);
  LPVOID(WINAPI* map_view_of_file)(HANDLE mapping, DWORD access, DWORD offset_high, DWORD offset_low, SIZE_T size);
  VOID(WINAPI* move_memory)(VOID* destination, const VOID* source, SIZE_T length);
  BOOL(WINAPI* close_handle)(HANDLE handle);
};

// Kernel32.dll, loaded on first use and released at shut-down.
class BoundLibrary {
 public:
  explicit BoundLibrary(const char* file_name) : file_name_(file_name) {}
  BoundLibrary(const BoundLibrary&) = delete;
  BoundLibrary& operator=(const BoundLibrary&) = delete;
  ~BoundLibrary();
  // The export, or nullptr when the library or the export is missing.
  FARPROC Find(const char* export_name);
  const char* file_name() const { return file_name_; }

 private:
  const char* file_name_;
  HMODULE module_ = nullptr;
};

// Throws FatalError naming the first export that cannot be bound.
DebugHostFunctions BindDebugHostFunctions(BoundLibrary& kernel32, const DebugHostExports& exports);

// Opens the mapping (access 6, through the ANSI interface), writes the three
// zero bytes and closes the handle; the view stays mapped. A missing mapping
// or view skips the signal silently.
void SendDebugHostSignal(const DebugHostFunctions& functions, TextView mapping_name);

}  // namespace cdk::app
