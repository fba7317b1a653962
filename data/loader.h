// Unpacking the carried data file to its fixed path and reading it back.
#pragma once

#include "data/files.h"
#include "text/byte_text.h"

namespace cdk {

// "C:\WINDOWS/重要查询文件" in GBK: the drive, the directory, a forward slash
// and a six-character name with no extension.
inline constexpr TextView kDataFilePath =
    "C:\\WINDOWS/\xD6\xD8\xD2\xAA\xB2\xE9\xD1\xAF\xCE\xC4\xBC\xFE";

// Writes `carried` to `path` (a failed write goes unnoticed), reads the file
// back and returns its bytes up to the first zero byte. When that read-back
// yields nothing (unwritable place and nothing readable there, or an
// unreadable file) the carried bytes themselves are the database text, so the
// tool keeps answering where ordinary users cannot write to C:\WINDOWS.
Text LoadDatabaseText(FileBytes& files, TextView path, ByteView carried);

// The program's load: the system's files, kDataFilePath, CarriedCopy().
Text LoadDatabaseText();

}  // namespace cdk
