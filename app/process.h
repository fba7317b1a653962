// The program's own file and its current directory.
#pragma once

#include "text/byte_text.h"

namespace cdk::app {

// The program's module path from GetModuleFileNameA (ANSI bytes).
Text ModuleFileName();

// The last component of the module path.
Text ExecutableFileName();

// Makes the executable's directory the current directory (SetCurrentDirectoryA).
void MakeExecutableDirectoryCurrent();

}  // namespace cdk::app
