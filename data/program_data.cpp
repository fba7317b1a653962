// Kept apart from the loader so that only programs that load their own data
// need a carried copy linked in.
#include "data/carried_copy.h"
#include "data/loader.h"

namespace cdk {

Text LoadDatabaseText() { return LoadDatabaseText(SystemFiles(), kDataFilePath, CarriedCopy()); }

}  // namespace cdk
