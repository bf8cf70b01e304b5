// veltrane-admin service status | start | stop [--unit NAME]
// --unit stores the FTP server's unit in the configuration before the command runs. status
// alone changes nothing, so it asks for no password and leaves the session lock alone.

#include <iostream>
#include <optional>
#include <string>

#include "cli/AdminSession.h"
#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/Output.h"
#include "cli/Prompter.h"
#include "cli/ServiceUnit.h"
#include "service/FtpServiceControl.h"
#include "service/ServiceBackendSelection.h"
#include "service/ServiceStateText.h"

namespace {

constexpr DWORD kStopTimeoutMs = 30000;

int Status(std::ostream& out) {
  const auto state = QueryFtpServiceState();
  if (!state) throw Refused(ConfiguredFtpServiceUnit() + ": Service manager not available");
  out << ConfiguredFtpServiceUnit() << ": " << ServiceStateText(*state).text << '\n';
  return 0;
}

// Starts or stops the service in an administrator's session; --unit is stored first.
int Control(const std::string& action, const std::optional<std::string>& unit) {
  AdminSession session(AskAdministratorPassword());
  if (unit) StoreServiceUnit(*unit);
  SelectConfiguredServiceBackend();
  if (action == "status") return Status(std::cout);
  if (action == "start") {
    if (StartFtpService() != 0) throw Refused("Unable to Start Veltrane Server");
  } else if (StopFtpService(1, kStopTimeoutMs) != 0) {
    throw Refused("Unable to Stop Service");
  }
  return Status(Confirmation());
}

}  // namespace

int RunService(Arguments& arguments) {
  const std::string action = arguments.Next("action (status, start or stop)");
  const auto unit = arguments.Option("unit");
  arguments.ExpectDone();
  if (action != "status" && action != "start" && action != "stop")
    throw UsageError("unknown action \"" + action + "\" for service");
  if (unit) CheckServiceUnitName(*unit);
  if (action != "status" || unit) return Control(action, unit);
  SelectConfiguredServiceBackend();
  return Status(std::cout);
}
