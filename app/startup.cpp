#include "app/startup.h"

namespace cdk::app {

ModulePath SplitModulePath(TextView path, LeadBytePredicate is_lead_byte) {
  size_t separator = TextView::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    if (is_lead_byte(path[i])) {
      ++i;  // the second byte is never a separator
    } else if (path[i] == '\\') {
      separator = i;
    }
  }
  if (separator == TextView::npos) return {Text(), Text(path)};
  return {Text(path.substr(0, separator)), Text(path.substr(separator + 1))};
}

Text CurrentDirectoryFor(TextView executable_directory) {
  if (executable_directory.size() == 2 && executable_directory[1] == ':') {
    return ConcatText({executable_directory, "\\"});
  }
  return Text(executable_directory);
}

bool ShouldSignalDebugHost(TextView executable_file_name) {
  return CompareText(ToLowerCase(TextRight(executable_file_name, 4)), kTemporaryFileSuffix) == 0;
}

Text DebugHostMappingName() { return ToFullWidth(kDebugHostMappingBaseName); }

}  // namespace cdk::app
