// veltrane-admin vserver list [--computer NAME] | add ADDRESS --computer NAME [--description TEXT]
//   | edit ADDRESS [--computer NAME] [--address NEW] [--description TEXT]
//   | delete ADDRESS [--computer NAME] [--yes]

#include <iostream>
#include <tuple>

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
  const auto computer = arguments.Option("computer");
  const bool json = arguments.Flag("json");
  arguments.ExpectDone();
  AdminSession session(AskAdministratorPassword());
  ConfigDatabase& database = session.database;
  if (computer)
    database.LoadVirtualServersOfComputer(FindComputer(database, *computer).ID);
  else
    database.LoadVirtualServers("", ConfigDatabase::kAll);
  // By address, then key; the model keeps its list in key order, as the sheet shows it.
  VirtualServerList servers = database.virtualServers;
  servers.sort([](const VirtualServerRecord& a, const VirtualServerRecord& b) {
    return std::tie(a.VServerIPAddr, a.VServerID) < std::tie(b.VServerIPAddr, b.VServerID);
  });
  Listing listing(std::cout, json);
  for (const VirtualServerRecord& server : servers)
    listing.Add({{"address", server.VServerIPAddr},
                 {"description", server.VServerDesc},
                 {"computer", ComputerName(database, server.VServerGroupID)}});
  listing.Finish();
  return 0;
}

int Add(Arguments& arguments) {
  const std::string address = arguments.Next("address");
  const auto computer = arguments.Option("computer");
  const std::string description = arguments.Option("description").value_or("");
  arguments.ExpectDone();
  if (!computer) throw UsageError("vserver add needs --computer NAME");
  AdminSession session(AskAdministratorPassword());
  VirtualServerRecord server;
  server.VServerIPAddr = address;
  server.VServerDesc = description;
  server.VServerGroupID = FindComputer(session.database, *computer).ID;
  RequireChangeMade(session.database.AddVirtualServer(server));
  Confirmation() << "Added virtual server " << EscapedForTerminal(address) << " to computer "
                 << Quoted(*computer) << ".\n";
  return 0;
}

int Edit(Arguments& arguments) {
  const std::string address = arguments.Next("address");
  const auto computer = arguments.Option("computer");
  const auto newAddress = arguments.Option("address");
  const auto description = arguments.Option("description");
  arguments.ExpectDone();
  if (!newAddress && !description) throw UsageError("vserver edit needs --address or --description");
  AdminSession session(AskAdministratorPassword());
  VirtualServerRecord server = FindVirtualServer(session.database, address, computer);
  server.VServerIPAddr = newAddress.value_or(server.VServerIPAddr);
  server.VServerDesc = description.value_or(server.VServerDesc);
  RequireChangeMade(session.database.UpdateVirtualServer(server));
  Confirmation() << "Changed virtual server " << EscapedForTerminal(server.VServerIPAddr) << ".\n";
  return 0;
}

int Delete(Arguments& arguments) {
  const std::string address = arguments.Next("address");
  const auto computer = arguments.Option("computer");
  const bool yes = arguments.Flag("yes");
  arguments.ExpectDone();
  AdminSession session(AskAdministratorPassword());
  ConfigDatabase& database = session.database;
  const VirtualServerRecord server = FindVirtualServer(database, address, computer);
  const size_t accounts = CountAccounts(
      [&](const auto& count) { return database.ListUsersOfVirtualServer(server.VServerID, count); });
  DeleteConfirmed("virtual server " + EscapedForTerminal(address) + " with its preferences and its " +
                      std::to_string(accounts) + " accounts",
                  yes, [&] { return database.DeleteVirtualServer(server); });
  return 0;
}

}  // namespace

int RunVirtualServer(Arguments& arguments) {
  return RunAction(arguments, "vserver", {{"list", List}, {"add", Add}, {"edit", Edit}, {"delete", Delete}});
}
