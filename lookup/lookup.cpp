#include "lookup/lookup.h"

#include "text/extract.h"

namespace cdk {

Text FirstKey(TextView typed_code) {
  return ConcatText({TextLeft(typed_code, kCodePrefixLength), kFirstKeyTail});
}

Text FindPackageId(TextView database_text, TextView first_key) {
  return ExtractBetween(database_text, first_key, kPackageIdEnd);
}

Text FindItemName(TextView database_text, TextView package_id) {
  if (package_id.empty()) return {};
  return ExtractBetween(database_text, ConcatText({package_id, kSecondKeyTail}), kItemNameEnd);
}

LookupResult LookupItemName(TextView database_text, TextView typed_code) {
  LookupResult r;
  r.first_key = FirstKey(typed_code);
  r.package_id = FindPackageId(database_text, r.first_key);
  r.item_name = FindItemName(database_text, r.package_id);
  return r;
}

}  // namespace cdk
