#include "app/debug_host.h"

#include <bit>
#include <string>

#include "app/fatal_error.h"
#include "app/startup.h"

namespace cdk::app {
namespace {

template <class Function>
void Bind(BoundLibrary& library, const char* export_name, Function& function) {
  FARPROC found = library.Find(export_name);
  if (!found) {
    std::wstring message = L"无法绑定函数 ";
    for (const char* c = export_name; *c; ++c) message += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    message += L"（";
    for (const char* c = library.file_name(); *c; ++c) message += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    message += L"）。";
    throw FatalError(message);
  }
  function = std::bit_cast<Function>(found);
}

}  // namespace

BoundLibrary::~BoundLibrary() {
  if (module_) FreeLibrary(module_);
}

FARPROC BoundLibrary::Find(const char* export_name) {
  if (!module_) module_ = LoadLibraryA(file_name_);
  return module_ ? GetProcAddress(module_, export_name) : nullptr;
}

DebugHostFunctions BindDebugHostFunctions(BoundLibrary& kernel32, const DebugHostExports& exports) {
  DebugHostFunctions functions{};
  Bind(kernel32, exports.open_file_mapping, functions.open_file_mapping);
  Bind(kernel32, exports.map_view_of_file, functions.map_view_of_file);
  Bind(kernel32, exports.move_memory, functions.move_memory);
  Bind(kernel32, exports.close_handle, functions.close_handle);
  return functions;
}

void SendDebugHostSignal(const DebugHostFunctions& functions, TextView mapping_name) {
  const Text name(mapping_name);
  HANDLE mapping = functions.open_file_mapping(kMappingAccess, FALSE, name.c_str());
  if (!mapping) return;
  void* view = functions.map_view_of_file(mapping, kMappingAccess, 0, 0, 0);
  if (view) {
    const char zeros[kSignalByteCount] = {};
    functions.move_memory(view, zeros, kSignalByteCount);
  }
  functions.close_handle(mapping);  // the view is left mapped until the process ends
}

}  // namespace cdk::app
