#include "app/process.h"

#include <windows.h>

#include "app/startup.h"

namespace cdk::app {
namespace {

bool IsAnsiLeadByte(char byte) { return IsDBCSLeadByte(static_cast<BYTE>(byte)) != 0; }

}  // namespace

Text ModuleFileName() {
  Text path(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);  // truncated: try a larger buffer
  }
}

Text ExecutableFileName() { return SplitModulePath(ModuleFileName(), &IsAnsiLeadByte).file_name; }

void MakeExecutableDirectoryCurrent() {
  const Text directory = CurrentDirectoryFor(SplitModulePath(ModuleFileName(), &IsAnsiLeadByte).directory);
  if (!directory.empty()) SetCurrentDirectoryA(directory.c_str());
}

}  // namespace cdk::app
