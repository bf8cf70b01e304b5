#include "cli/Deletion.h"

#include "cli/AdminSession.h"
#include "cli/Output.h"
#include "cli/Prompter.h"

size_t CountAccounts(const std::function<int(const ConfigDatabase::UserVisitor&)>& list) {
  size_t accounts = 0;
  list([&accounts](const UserRecord&) { ++accounts; });
  return accounts;
}

void DeleteConfirmed(const std::string& what, bool yes, const std::function<int()>& remove) {
  ConfirmDeletion(what, yes);
  RequireChangeMade(remove());
  Confirmation() << "Deleted " << what << ".\n";
}
