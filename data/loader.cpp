#include "data/loader.h"

namespace cdk {

Text LoadDatabaseText(FileBytes& files, TextView path, ByteView carried) {
  files.WriteFileBytes(path, carried);  // a file left by an earlier run serves too
  Text database_text = BytesToText(files.ReadFileBytes(path));
  if (database_text.empty()) database_text = BytesToText(carried);
  return database_text;
}

}  // namespace cdk
