// veltrane-admin computer list | add NAME | rename NAME NEW | delete NAME [--yes]

#include <iostream>

#include "cli/AdminSession.h"
#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/Deletion.h"
#include "cli/Lookups.h"
#include "cli/Output.h"
#include "cli/Prompter.h"
#include "cli/TextEscape.h"

namespace {

int List(Arguments& arguments) {
  const bool json = arguments.Flag("json");
  arguments.ExpectDone();
  AdminSession session(AskAdministratorPassword());
  Listing listing(std::cout, json);
  for (const ComputerRecord& computer : session.database.computers)
    listing.Add({{"name", computer.Name}, {"currentSite", computer.CurrentSite}});
  listing.Finish();
  return 0;
}

int Add(Arguments& arguments) {
  const std::string name = arguments.Next("computer name");
  arguments.ExpectDone();
  AdminSession session(AskAdministratorPassword());
  RequireChangeMade(session.database.AddComputer(name));
  Confirmation() << "Added computer " << Quoted(name) << ".\n";
  return 0;
}

int Rename(Arguments& arguments) {
  const std::string name = arguments.Next("computer name");
  const std::string newName = arguments.Next("new name");
  arguments.ExpectDone();
  AdminSession session(AskAdministratorPassword());
  RequireChangeMade(session.database.RenameComputer(FindComputer(session.database, name).ID, newName));
  Confirmation() << "Renamed computer " << Quoted(name) << " to " << Quoted(newName) << ".\n";
  return 0;
}

int Delete(Arguments& arguments) {
  const std::string name = arguments.Next("computer name");
  const bool yes = arguments.Flag("yes");
  arguments.ExpectDone();
  AdminSession session(AskAdministratorPassword());
  ConfigDatabase& database = session.database;
  const ComputerRecord computer = FindComputer(database, name);
  const size_t servers = database.LoadVirtualServersOfComputer(computer.ID).size();
  const size_t accounts =
      CountAccounts([&](const auto& count) { return database.ListUsersOfComputer(computer.ID, count); });
  DeleteConfirmed("computer " + Quoted(name) + " with its " + std::to_string(servers) +
                      " virtual servers, their preferences and their " + std::to_string(accounts) +
                      " accounts",
                  yes, [&] { return database.DeleteComputer(computer); });
  return 0;
}

}  // namespace

int RunComputer(Arguments& arguments) {
  return RunAction(arguments, "computer",
                   {{"list", List}, {"add", Add}, {"rename", Rename}, {"delete", Delete}});
}
