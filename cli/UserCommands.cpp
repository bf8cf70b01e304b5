// veltrane-admin user list [--computer NAME] [--vserver ADDRESS] [--match TEXT] | show NAME
//   | add NAME --vserver ADDRESS [--computer NAME] --home DIR [--quota MB] [--permissions LETTERS]
//   | edit NAME [--home DIR] [--quota MB] [--permissions LETTERS] | passwd NAME | delete NAME [--yes]
//   | import FILE [--dry-run] [--replace] (cli/ImportCommand.cpp)

#include <iostream>
#include <limits>
#include <map>

#include "cli/AdminSession.h"
#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/Lookups.h"
#include "cli/Output.h"
#include "cli/Prompter.h"
#include "cli/TextEscape.h"
#include "cli/Values.h"
#include "db/Permissions.h"
#include "db/TextLimit.h"

namespace {

constexpr int32_t kMaxQuota = std::numeric_limits<int32_t>::max();

// The addresses of all virtual servers by key, to name each account's server.
std::map<int32_t, std::string> Addresses(ConfigDatabase& database) {
  database.LoadVirtualServers("", ConfigDatabase::kAll);
  std::map<int32_t, std::string> addresses;
  for (const VirtualServerRecord& server : database.virtualServers)
    addresses.emplace(server.VServerID, server.VServerIPAddr);
  return addresses;
}

Record UserFields(const UserRecord& user, const std::map<int32_t, std::string>& addresses) {
  const auto address = addresses.find(user.VirtualServerID);
  return {{"name", user.UserName},
          {"home", user.HomeDir},
          {"quota", std::to_string(user.DiskQuota), true},
          {"permissions", PermissionText(user.Permissions)},
          {"vserver", address == addresses.end() ? "" : address->second}};
}

int List(Arguments& arguments) {
  const auto computer = arguments.Option("computer");
  const auto address = arguments.Option("vserver");
  const std::string match = arguments.Option("match").value_or("");
  const bool json = arguments.Flag("json");
  arguments.ExpectDone();
  // As long as a stored text: a longer one makes a pattern that SQLite refuses.
  if (ExceedsMaxCharacters(match)) throw Refused("the text to match can hold at most 255 characters");
  AdminSession session(AskAdministratorPassword());
  ConfigDatabase& database = session.database;
  const auto addresses = Addresses(database);
  Listing listing(std::cout, json);
  // After a termination signal, or once the reader has gone, the listing passes the remaining
  // rows over, so the session closes soon.
  const auto show = [&](const UserRecord& user) { listing.Add(UserFields(user, addresses)); };
  int listed = 0;
  if (address)
    listed = database.ListUsersOfVirtualServer(FindVirtualServer(database, *address, computer).VServerID,
                                               show, match);
  else if (computer)
    listed = database.ListUsersOfComputer(FindComputer(database, *computer).ID, show, match);
  else
    listed = database.ListAllUsers(show, match);
  listing.Finish();
  RequireDone(listed);
  return 0;
}

int Show(Arguments& arguments) {
  const std::string name = arguments.Next("account name");
  const bool json = arguments.Flag("json");
  arguments.ExpectDone();
  AdminSession session(AskAdministratorPassword());
  const UserRecord user = FindUser(session.database, name);
  PrintRecord(std::cout, UserFields(user, Addresses(session.database)), json);
  return 0;
}

// The options an add or an edit may change, checked before anything is asked.
struct AccountOptions {
  std::optional<std::string> home;
  std::optional<int32_t> quota;
  std::optional<int32_t> permissions;

  explicit AccountOptions(Arguments& arguments) : home(arguments.Option("home")) {
    if (const auto text = arguments.Option("quota")) quota = NumberValue(*text, "quota in MB", 0, kMaxQuota);
    if (const auto letters = arguments.Option("permissions")) permissions = PermissionsValue(*letters);
    if (home && home->empty()) throw Refused("Please specify home directory");
  }
  void ApplyTo(UserRecord& user) const {
    user.HomeDir = home.value_or(user.HomeDir);
    user.DiskQuota = quota.value_or(user.DiskQuota);
    user.Permissions = permissions.value_or(user.Permissions);
  }
};

int Add(Arguments& arguments) {
  UserRecord user;
  user.UserName = arguments.Next("account name");
  const auto address = arguments.Option("vserver");
  const auto computer = arguments.Option("computer");
  const AccountOptions options(arguments);
  arguments.ExpectDone();
  if (!address || !options.home) throw UsageError("user add needs --vserver ADDRESS and --home DIR");
  if (user.UserName.empty()) throw Refused("Please specify user name");
  const std::string adminPassword = AskAdministratorPassword();
  const std::string password = AskNewPassword(user.UserName);
  AdminSession session(adminPassword);
  user.VirtualServerID = FindVirtualServer(session.database, *address, computer).VServerID;
  user.DiskQuota = 0;
  user.Permissions = 0;
  user.Flag = 0;
  options.ApplyTo(user);
  RequireChangeMade(session.database.AddUserWithPassword(user, password));
  Confirmation() << "Added account " << Quoted(user.UserName) << ".\n";
  return 0;
}

int Edit(Arguments& arguments) {
  const std::string name = arguments.Next("account name");
  const AccountOptions options(arguments);
  arguments.ExpectDone();
  if (!options.home && !options.quota && !options.permissions)
    throw UsageError("user edit needs --home, --quota or --permissions");
  AdminSession session(AskAdministratorPassword());
  UserRecord user = FindUser(session.database, name);
  options.ApplyTo(user);
  RequireChangeMade(session.database.UpdateUser(user));
  Confirmation() << "Changed account " << Quoted(name) << ".\n";
  return 0;
}

int Passwd(Arguments& arguments) {
  const std::string name = arguments.Next("account name");
  arguments.ExpectDone();
  const std::string adminPassword = AskAdministratorPassword();
  const std::string password = AskNewPassword(name);
  AdminSession session(adminPassword);
  RequireChangeMade(session.database.ChangePassword(FindUser(session.database, name), password));
  Confirmation() << "Changed the password of " << Quoted(name) << ".\n";
  return 0;
}

int Delete(Arguments& arguments) {
  const std::string name = arguments.Next("account name");
  const bool yes = arguments.Flag("yes");
  arguments.ExpectDone();
  AdminSession session(AskAdministratorPassword());
  const UserRecord user = FindUser(session.database, name);
  ConfirmDeletion("the account " + Quoted(name), yes);
  RequireChangeMade(session.database.DeleteUser(user));
  Confirmation() << "Deleted account " << Quoted(name) << ".\n";
  return 0;
}

}  // namespace

int RunUser(Arguments& arguments) {
  return RunAction(arguments, "user",
                   {{"list", List},
                    {"show", Show},
                    {"add", Add},
                    {"edit", Edit},
                    {"passwd", Passwd},
                    {"delete", Delete},
                    {"import", RunUserImport}});
}
