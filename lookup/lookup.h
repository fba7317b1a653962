// From a typed gift code (CDK) to the name of what its batch grants.
//
// Two marker searches over the database text: the code's first five bytes
// with "0" appended select a batch row and give its package id (mpid); the
// package id selects its package row and gives its description (desc), which
// is the item name. Neither search is anchored at a key's opening quote, and
// the first occurrence in the text decides.
#pragma once

#include "text/byte_text.h"

namespace cdk {

inline constexpr int32_t kCodePrefixLength = 5;
inline constexpr TextView kFirstKeyTail = "0\":{mpid:\"";
inline constexpr TextView kPackageIdEnd = "\"";
inline constexpr TextView kSecondKeyTail = "\":{desc:\"";
inline constexpr TextView kItemNameEnd = "\",";

struct LookupResult {
  Text first_key;
  Text package_id;
  Text item_name;
};

// The key searched for the package id: the first five bytes of the code (fewer
// when it is shorter; a double-byte character may be cut) and kFirstKeyTail.
Text FirstKey(TextView typed_code);

// The mpid that follows `first_key`, or empty.
Text FindPackageId(TextView database_text, TextView first_key);

// The desc of the package row of `package_id`; empty for an empty id.
Text FindItemName(TextView database_text, TextView package_id);

// The three steps in order.
LookupResult LookupItemName(TextView database_text, TextView typed_code);

}  // namespace cdk
