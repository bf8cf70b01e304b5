#pragma once
// Applies a ConfigDocument to the session's database in one transaction: all of it or
// nothing. Each row is matched by what names it (a computer's name, a server's computer and
// address, a preference's server and description, an account's name) and is added, left
// unchanged when equal, changed when it differs and `replace` allows it, or else refused.
// Keys are the target's own: new rows get new keys, and references follow them.

#include <string>
#include <vector>

#include "db/ConfigDocument.h"

struct ImportCounts {
  size_t added = 0;
  size_t changed = 0;
  size_t unchanged = 0;
};

struct ImportSummary {
  ImportCounts computers;
  ImportCounts servers;
  ImportCounts preferences;
  ImportCounts accounts;
  // Why rows were refused: names in use, unknown computers or addresses, texts that cannot
  // be stored. Any refusal keeps the whole document out.
  std::vector<std::string> refusals;
  bool applied = false;
};

// Plans the import against the rows there are now and, when nothing is refused and it is no
// dry run, makes it. Database failures are thrown (nothing is then changed, unless the
// connection was lost at the commit: CommitOutcomeUnknown).
ImportSummary ImportConfiguration(const ConfigDocument& document, bool replace, bool dryRun);
