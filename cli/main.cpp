// veltrane-admin: the configuration from a shell. See Usage.cpp for the commands.

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cli/AdminSession.h"
#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/MessageFilter.h"
#include "cli/Output.h"
#include "cli/StandardOutput.h"
#include "cli/Usage.h"
#include "cli/Values.h"
#include "db/SessionSettings.h"
#include "platform/GroupAccess.h"
#include "platform/TerminationSignals.h"

namespace {

int Help(Arguments& arguments) {
  const std::string topic = arguments.HasNext() ? arguments.Next("command") : "";
  const auto text = topic.empty() ? Usage() : CommandUsage(topic);
  if (!text) throw UsageError("there is no command \"" + topic + "\"");
  std::cout << *text;
  return 0;
}

// The options that apply to every command: -q and --wait.
void ReadCommonOptions(Arguments& arguments) {
  SetQuiet(arguments.Flag("quiet"));
  if (const auto seconds = arguments.Option("wait"))
    SetLockWait(NumberValue(*seconds, "time to wait for the session lock in seconds", 0, 86400));
}

// Outside the group the store cannot be read, and as root a connection string that a member
// may have written is not used: every command would fail for a reason it could not name, so
// it ends here saying which. check reports both among the rest; init stores a new string.
void RequireUsableStore(const std::string& command) {
  if (command == "check") return;
  if (const std::string cause = MissingGroupCause(RegistryStoreFolder()); !cause.empty())
    throw CliError{kExitNoConnection, cause};
  if (command == "init") return;
  if (const std::string refusal = RootRefusalOf(kConnectionStringValue); !refusal.empty())
    throw CliError{kExitNoConnection, refusal};
}

int Run(const std::vector<std::string>& words) {
  static const std::map<std::string, int (*)(Arguments&)> kCommands = {
      {"init", RunInit},         {"check", RunCheck},           {"unlock", RunUnlock},
      {"computer", RunComputer}, {"vserver", RunVirtualServer}, {"user", RunUser},
      {"prefs", RunPreferences}, {"service", RunService},       {"export", RunExport},
      {"import", RunImport},     {"migrate", RunMigrate},
  };
  if (words.empty()) {
    std::cerr << Usage();
    return kExitUsage;
  }
  Arguments arguments(words);
  if (arguments.Flag("version")) {
    arguments.ExpectDone();
    std::cout << "veltrane-admin " << VELTRANE_VERSION << '\n';
    return 0;
  }
  // "help user", "user --help" and "user add -h" alike: the part of the usage about the command.
  if (arguments.Flag("help") || arguments.Peek() == "help") {
    if (arguments.Peek() == "help") arguments.Next("help");
    return Help(arguments);
  }
  ReadCommonOptions(arguments);
  const std::string name = arguments.Next("command");
  const auto command = kCommands.find(name);
  if (command == kCommands.end()) throw UsageError("unknown command \"" + name + "\"");
  RequireUsableStore(name);
  return command->second(arguments);
}

// Output that did not arrive is no success; a reader that went away (| head) wanted no more.
int StatusAfterOutput(StandardOutput& output, int status) {
  if (output.Flush() || output.FirstError() == EPIPE) return status;
  std::cerr << "veltrane-admin: the output could not be written: " << std::strerror(output.FirstError())
            << '\n';
  return status == 0 ? kExitRefused : status;
}

}  // namespace

int main(int argc, char** argv) {
  StandardOutput output;  // a listing of a million rows goes through one buffer
  MessageFilter errors(std::cerr);
  // Ctrl-C, SIGTERM and SIGHUP end a command at its next question or listed row, after which
  // the session closes and releases the lock. A reader that went away (user list | head)
  // must not end the process with the lock held either: writes fail instead.
  InstallTerminationHandlers();
  std::signal(SIGPIPE, SIG_IGN);
  ReportModelFailuresOnStandardError();
  int status = 0;
  try {
    status = Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const CliError& error) {
    if (!error.message.empty()) std::cerr << "veltrane-admin: " << error.message << '\n';
    if (error.status == kExitUsage) std::cerr << "Run \"veltrane-admin --help\" for the commands.\n";
    status = error.status;
  } catch (const std::exception& error) {
    std::cerr << "veltrane-admin: " << error.what() << '\n';
    status = kExitRefused;
  }
  // Every session has closed by now; a termination signal ends the process as it would have.
  status = StatusAfterOutput(output, StatusAfterModelFailures(status));
  EndByTerminationSignal();
  return status;
}
