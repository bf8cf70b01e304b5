// veltrane-admin service status | start | stop [--unit NAME]
// --unit stores the FTP server's unit in the configuration before the command runs.

#include <iostream>

#include "cli/AdminSession.h"
#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/Prompter.h"
#include "cli/ServiceUnit.h"
#include "service/FtpServiceControl.h"
#include "service/ServiceBackendSelection.h"
#include "service/ServiceStateText.h"

namespace {

constexpr DWORD kStopTimeoutMs = 30000;

int Status() {
  const auto state = QueryFtpServiceState();
  if (!state) throw Refused(ConfiguredFtpServiceUnit() + ": Service manager not available");
  std::cout << ConfiguredFtpServiceUnit() << ": " << ServiceStateText(*state).text << '\n';
  return 0;
}

}  // namespace

int RunService(Arguments& arguments) {
  const std::string action = arguments.Next("action (status, start or stop)");
  const auto unit = arguments.Option("unit");
  arguments.ExpectDone();
  if (action != "status" && action != "start" && action != "stop")
    throw UsageError("unknown action \"" + action + "\" for service");
  if (unit) CheckServiceUnitName(*unit);
  AdminSession session(AskAdministratorPassword());
  if (unit) StoreServiceUnit(*unit);
  SelectConfiguredServiceBackend();
  if (action == "status") return Status();
  if (action == "start") {
    if (StartFtpService() != 0) throw Refused("Unable to Start Veltrane Server");
  } else if (StopFtpService(1, kStopTimeoutMs) != 0) {
    throw Refused("Unable to Stop Service");
  }
  return Status();
}
