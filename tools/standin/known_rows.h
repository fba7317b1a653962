// The rows we know of the operator's gift-code tables, and the answers the
// lookup gives for them.
//
// These rows are the product's carried copy as it ships (data/gift_codes.js
// is written from them) and they stand at the same places in the full-size
// stand-in, so a code gives the same answer from either file.
#pragma once

#include <vector>

#include "tools/standin/tables.h"

namespace cdk::standin {

// The known rows of every table, in file order. In MP_CDKEYID_INFO the last
// known row ("AKGUD0") is the table's last row; every other known row leads
// its table.
Tables KnownRows();

// What LookupItemName gives for a typed code over a file that holds these
// rows in this order.
struct KnownAnswer {
  Bytes code;
  Bytes package_id;
  Bytes item_name;
};
std::vector<KnownAnswer> KnownAnswers();

// The four batches whose package has no row anywhere.
std::vector<BatchRow> UnresolvedBatches();

}  // namespace cdk::standin
