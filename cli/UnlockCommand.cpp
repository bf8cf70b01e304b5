// veltrane-admin unlock: frees the session lock that a session left behind when it ended
// without closing (killed, or the machine lost power), after checking the administrator's
// password.

#include <iostream>

#include "cli/AdminSession.h"
#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Output.h"
#include "cli/Commands.h"
#include "cli/Prompter.h"

int RunUnlock(Arguments& arguments) {
  arguments.ExpectDone();
  const std::string password = AskAdministratorPassword(
      "This frees the administrator's session lock. A sheet or command that is still open elsewhere loses "
      "its "
      "lock, and another session may then change the same rows.");
  ConfigDatabase session;  // quiet: it takes no lock of its own
  if (!session.Connect(1, "", "")) throw CliError{kExitNoConnection, "cannot reach the database"};
  const int32_t adminId = session.CheckLogIn("admin", password, "Default", "LocalHost");
  if (adminId < 1) throw Refused("wrong password for admin");
  UserRecord admin;
  session.FindUserById(adminId, admin);
  if (admin.Flag == 0) {
    Confirmation() << "The session lock was free.\n";
    return 0;
  }
  const int freed = session.FreeLock(adminId);
  if (freed < 0)
    throw CliError{kExitLocked, "the session holding the lock is still running; the lock goes when it ends"};
  if (freed == 0) throw Refused("the lock could not be freed");
  Confirmation() << "Freed the session lock.\n";
  return 0;
}
