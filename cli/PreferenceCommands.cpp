// veltrane-admin prefs show [--vserver ADDRESS [--computer NAME]]
//   | set --vserver ADDRESS [--computer NAME] KEY=VALUE...
// The keys: port, welcome, goodbye, anonymous, max-connections, max-per-ip, max-per-user,
// timeout (the eight preferences of a virtual server).

#include <iostream>
#include <iterator>
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
#include "db/PreferenceTable.h"
#include "db/TextLimit.h"

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// The key a preference is typed as, and the highest value a number preference takes (the
// lowest is 0), in the order of kPreferences.
struct PreferenceKey {
  const char* key;
  int32_t high;
};

constexpr PreferenceKey kKeys[] = {
    {"port", 65535},           {"welcome", 0},       {"goodbye", 0},         {"anonymous", 1},
    {"max-connections", kMax}, {"max-per-ip", kMax}, {"max-per-user", kMax}, {"timeout", kMax},
};
static_assert(std::size(kKeys) == kPreferenceCount);

// The index in kPreferences and kKeys of the preference typed as `key`.
size_t IndexOfKey(const std::string& key) {
  for (size_t index = 0; index < kPreferenceCount; ++index)
    if (key == kKeys[index].key) return index;
  throw UsageError("unknown preference \"" + key + "\" (see veltrane-admin --help)");
}

// Checks KEY=VALUE and writes it into `set`.
void Apply(PreferenceSet& set, const std::string& assignment) {
  const size_t equals = assignment.find('=');
  if (equals == std::string::npos) throw UsageError("\"" + assignment + "\" is not KEY=VALUE");
  const size_t index = IndexOfKey(assignment.substr(0, equals));
  const PreferenceDefinition& preference = kPreferences[index];
  const std::string value = assignment.substr(equals + 1);
  if (preference.text) {
    if (ExceedsMaxCharacters(value))
      throw Refused(std::string("The ") + preference.name +
                    " can hold at most 255 characters. Please shorten it.");
    set.*preference.text = value;
  } else {
    set.*preference.number = NumberValue(value, preference.name, 0, kKeys[index].high);
  }
}

Record Fields(PreferenceSet& set) {
  Record record;
  for (size_t index = 0; index < kPreferenceCount; ++index) {
    const PreferenceDefinition& preference = kPreferences[index];
    const char* key = kKeys[index].key;
    record.push_back(preference.text ? Field{key, set.*preference.text}
                                     : Field{key, std::to_string(set.*preference.number), true});
  }
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
  set.LoadPreferences(serverId);
  for (const std::string& assignment : assignments) Apply(set, assignment);
  RequireChangeMade(set.StorePreferencesTogether(serverId));
  Confirmation() << "Stored the preferences of " << *address << ".\n";
  return 0;
}

}  // namespace

int RunPreferences(Arguments& arguments) {
  return RunAction(arguments, "prefs", {{"show", Show}, {"set", Set}});
}
