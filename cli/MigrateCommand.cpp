// veltrane-admin migrate [--sqlite FILE | --connect "CONNECTION STRING" | --dsn NAME] [--unit NAME]
// Moves the configuration to another database in one command: export from the database in
// use, init of the new one (which this computer then uses), and import into it with
// --replace. When anything after the export fails, this computer goes back to the database
// it used, which nothing has changed.

#include <iostream>
#include <sstream>

#include "cli/AdminSession.h"
#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/DocumentReader.h"
#include "cli/Prompter.h"
#include "cli/Transfer.h"
#include "db/ConnectionPool.h"
#include "db/SessionSettings.h"

int RunMigrate(Arguments& arguments) {
  const std::optional<std::string> previous = ReadSessionSetting(kConnectionStringValue);
  if (!previous) throw Refused("this computer has no configuration database to move yet: run init first");
  std::ostringstream document;
  {
    AdminSession session(AskAdministratorPassword("The administrator's password of the database in use:"));
    WriteConfiguration(session.database, document, std::nullopt);
  }
  try {
    RunInit(arguments);
    AdminSession session(AskAdministratorPassword(
        "The administrator's password of the new database (a new one has its first):"));
    return ApplyDocument(ReadConfigDocument(document.str()), true, false);
  } catch (...) {
    CloseIdleConnections();
    if (WriteSessionSetting(kConnectionStringValue, *previous) == 0)
      std::cerr
          << "veltrane-admin: this computer uses the database it used before, which nothing has changed\n";
    else
      std::cerr << "veltrane-admin: the connection string of the database used before, which nothing has "
                   "changed, could not be stored again; run init with it\n";
    throw;
  }
}
