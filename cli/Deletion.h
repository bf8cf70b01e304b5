#pragma once
// The delete of a computer or a virtual server: what goes is counted and said, asked about
// (unless --yes), deleted, and confirmed.

#include <functional>
#include <string>

#include "db/ConfigDatabase.h"

// How many accounts a listing of the model hands over.
size_t CountAccounts(const std::function<int(const ConfigDatabase::UserVisitor&)>& list);

// Asks whether `what` may be deleted (cli/Prompter.h), runs `remove` (the model's delete, 1
// when done) and says "Deleted WHAT."; a refusal ends the command (cli/AdminSession.h).
void DeleteConfirmed(const std::string& what, bool yes, const std::function<int()>& remove);
