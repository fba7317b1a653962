// The decisions of start-up, as pure functions over byte texts: where the
// executable lives, whether to signal a debug host, and the mapping's name.
#pragma once

#include <cstddef>
#include <cstdint>

#include "text/byte_text.h"

namespace cdk::app {

inline constexpr int kQuitCode = 0;
inline constexpr int kFatalExitCode = -1;

// A debug host starts the program from a temporary copy named *.tmp.
inline constexpr TextView kTemporaryFileSuffix = ".tmp";
inline constexpr TextView kDebugHostMappingBaseName = "Super-EC";
inline constexpr uint32_t kMappingAccess = 6;  // FILE_MAP_READ | FILE_MAP_WRITE
inline constexpr size_t kSignalByteCount = 3;  // zero bytes written at the view's start

struct ModulePath {
  Text directory;  // the bytes before the last backslash; empty when there is none
  Text file_name;  // the bytes after it; the whole path when there is none
};

// Whether a byte of the path begins a two-byte character (in the system's
// ANSI code page, from which the path comes).
using LeadBytePredicate = bool (*)(char byte);

// Splits at the last backslash that is a character of its own: in a
// double-byte code page the second byte of a character may be 0x5C.
ModulePath SplitModulePath(TextView path, LeadBytePredicate is_lead_byte);

// The directory to make current: a bare drive ("C:") names the drive's
// current directory, so its root is spelled "C:\".
Text CurrentDirectoryFor(TextView executable_directory);

// True when the lower-cased last four bytes of the name (the whole name when
// shorter) are ".tmp".
bool ShouldSignalDebugHost(TextView executable_file_name);

// The full-width GBK form of "Super-EC" (16 bytes).
Text DebugHostMappingName();

}  // namespace cdk::app
