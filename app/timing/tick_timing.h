// The cost of one tick of the lookup timer on a real main window that holds
// the full-size database text, against one copy of that text.
#pragma once

#include <string>

#include "app/timing/rounds.h"

namespace cdk::timing {

struct TickTiming {
  bool ok = false;
  std::string error;  // why there are no times
  std::string found_code, missed_code;
  std::string description;  // the text and where the found code's rows lie
  Contender copy;           // one std::string copy of the database text
  Contender tick_found;     // one tick with found_code in 编辑框2
  Contender tick_missed;    // one tick with missed_code in 编辑框2
  // The same lookups without the window: LookupItemName on the text, no
  // copies and no fields; what the ticks add to them is the window's share.
  Contender lookup_found, lookup_missed;
};

// Builds the main window in this process (its created event loads the
// carried copy, as at start-up), types each code into 编辑框2 and delivers
// ticks the way the message loop does: WM_TIMER with the timer's ID, sent to
// the window. `rounds` rounds time the contenders one after the other, in
// rotating order.
TickTiming TimeLookupTicks(int rounds);

}  // namespace cdk::timing
