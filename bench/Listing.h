#pragma once
// The Users page listing every account, on either backend. The session's computerName names
// a computer that owns no account, so the page opens on an empty list; the measure is the
// choice of "(local)", which queries every account and fills the list with them.

#include "res/ResourceIds.h"

class ConfigDatabase;

struct ListingResult {
  double seconds = 0;      // from the choice until the list is filled (and, on Qt, drawn)
  int rows = 0;            // rows in the list afterwards
  long peakBeforeKiB = 0;  // the process's peak RSS with the page open on the empty list
  // Qt only: from the choice until the list shows rows, and the longest turn of the event
  // loop while it filled (how long a key could have waited).
  double firstRowsSeconds = 0;
  double longestTurnSeconds = 0;
};

ListingResult ListWithScriptedBackend(ConfigDatabase& session);
// The sheet opens on the General page; the measure is the switch to the Users page, which
// lists the accounts of the session's computer (every account for "(local)").
ListingResult SwitchToUsersWithScriptedBackend(ConfigDatabase& session);
ListingResult ListWithQtBackend(ConfigDatabase& session);
