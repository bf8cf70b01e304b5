// veltrane-admin prefs show [--vserver ADDRESS [--computer NAME]]
//   | set --vserver ADDRESS [--computer NAME] KEY=VALUE...
// The keys: port, welcome, goodbye, anonymous, max-connections, max-per-ip, max-per-user,
// timeout (the eight preferences of a virtual server).

#include <iostream>
#include <limits>

#include "cli/AdminSession.h"
#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/Lookups.h"
#include "cli/Output.h"
#include "cli/Prompter.h"
#include "cli/Values.h"
#include "db/PreferenceSet.h"
#include "db/TextLimit.h"

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// A key as typed, the preference's own name, and where its value lives in a set.
struct PreferenceKey {
  const char* key;
  const char* name;
  std::string PreferenceSet::*text;
  int32_t PreferenceSet::*number;
  int32_t low, high;
};

constexpr PreferenceKey kKeys[] = {
    {"port", "FTP Port", nullptr, &PreferenceSet::ftpPort, 0, 65535},
    {"welcome", "Welcome Message", &PreferenceSet::welcomeMessage, nullptr, 0, 0},
    {"goodbye", "GoodBye Message", &PreferenceSet::goodbyeMessage, nullptr, 0, 0},
    {"anonymous", "Anonymous", nullptr, &PreferenceSet::anonymous, 0, 1},
    {"max-connections", "Max Connections", nullptr, &PreferenceSet::maxConnections, 0, kMax},
    {"max-per-ip", "Max Connections Per IP", nullptr, &PreferenceSet::maxConnectionsPerIp, 0, kMax},
    {"max-per-user", "Max Connections Per User", nullptr, &PreferenceSet::maxConnectionsPerUser, 0, kMax},
    {"timeout", "Connection Timeout", nullptr, &PreferenceSet::connectionTimeout, 0, kMax},
};

const PreferenceKey& KeyNamed(const std::string& key) {
  for (const PreferenceKey& known : kKeys)
    if (key == known.key) return known;
  throw UsageError("unknown preference \"" + key + "\" (see veltrane-admin --help)");
}

// Checks KEY=VALUE and writes it into `set`.
void Apply(PreferenceSet& set, const std::string& assignment) {
  const size_t equals = assignment.find('=');
  if (equals == std::string::npos) throw UsageError("\"" + assignment + "\" is not KEY=VALUE");
  const PreferenceKey& key = KeyNamed(assignment.substr(0, equals));
  const std::string value = assignment.substr(equals + 1);
  if (key.text) {
    if (ExceedsMaxCharacters(value))
      throw Refused(std::string("The ") + key.name + " can hold at most 255 characters. Please shorten it.");
    set.*key.text = value;
  } else {
    set.*key.number = NumberValue(value, key.name, key.low, key.high);
  }
}

Record Fields(PreferenceSet& set) {
  Record record;
  for (const PreferenceKey& key : kKeys)
    record.push_back(key.text ? Field{key.key, set.*key.text} : Field{key.key, std::to_string(set.*key.number), true});
  return record;
}

int Show(Arguments& arguments) {
  const auto address = arguments.Option("vserver");
  const auto computer = arguments.Option("computer");
  const bool json = arguments.Flag("json");
  arguments.ExpectDone();
  if (computer && !address) throw UsageError("--computer goes with --vserver");
  PreferenceSet set;
  if (!address) {  // the built-in defaults need no database
    PrintRecord(std::cout, Fields(set), json);
    return 0;
  }
  AdminSession session(AskAdministratorPassword());
  set.LoadPreferences(FindVirtualServer(session.database, *address, computer).VServerID);
  PrintRecord(std::cout, Fields(set), json);
  return 0;
}

int Set(Arguments& arguments) {
  const auto address = arguments.Option("vserver");
  const auto computer = arguments.Option("computer");
  std::vector<std::string> assignments;
  while (arguments.HasNext()) assignments.push_back(arguments.Next("KEY=VALUE"));
  arguments.ExpectDone();
  if (!address || assignments.empty()) throw UsageError("prefs set needs --vserver ADDRESS and KEY=VALUE");
  PreferenceSet checked;  // every value is checked before the administrator is asked anything
  for (const std::string& assignment : assignments) Apply(checked, assignment);
  AdminSession session(AskAdministratorPassword());
  const int32_t serverId = FindVirtualServer(session.database, *address, computer).VServerID;
  PreferenceSet set;
  const int loaded = set.LoadPreferences(serverId);
  for (const std::string& assignment : assignments) Apply(set, assignment);
  const size_t messagesBefore = ModelMessageCount();
  set.StorePreferences(serverId, loaded < 1 ? PreferenceSet::kCreateRows : PreferenceSet::kWriteLoadedRows);
  if (ModelMessageCount() != messagesBefore) throw Refused();  // a row was not stored; the model said why
  std::cout << "Stored the preferences of " << *address << ".\n";
  return 0;
}

}  // namespace

int RunPreferences(Arguments& arguments) { return RunAction(arguments, "prefs", {{"show", Show}, {"set", Set}}); }
