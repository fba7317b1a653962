// The two whole-file operations the loader needs, behind a small interface so
// that each platform supplies its own and tests can point them anywhere.
#pragma once

#include "text/byte_text.h"

namespace cdk {

class FileBytes {
 public:
  virtual ~FileBytes() = default;

  // Creates or truncates `path` (no other opener meanwhile) and writes all of
  // `bytes`. False when the file cannot be opened, or writing or closing
  // fails; what was written stays.
  virtual bool WriteFileBytes(TextView path, ByteView bytes) = 0;

  // The whole existing regular file (others may read meanwhile, not write).
  // Empty when it cannot be opened or read, and when it is longer than the
  // largest 32-bit count; a short read gives the bytes that came.
  virtual ByteBuffer ReadFileBytes(TextView path) = 0;
};

// The implementation for the system the program is built for.
FileBytes& SystemFiles();

}  // namespace cdk
