// veltrane-control: the Control Panel stand-in. Loads an applet library and holds the
// Control Panel's conversation with it: in a window, at once, in a text terminal, as a
// listing, or replaying a UI script without windows.

#include <cstdio>

#include "host/CommandLine.h"
#include "host/ListApplets.h"
#include "host/TerminalRun.h"
#include "host/UiScriptRun.h"
#include "host/WindowRun.h"
#include "platform/TerminationSignals.h"

namespace {

int Run(int argc, char** argv, const CommandLine& command) {
  switch (command.mode) {
    case CommandLine::Mode::List:
      return ListApplets(command.library);
    case CommandLine::Mode::UiScript:
      return RunUiScript(command.script, command.library);
    case CommandLine::Mode::Open:
      return RunWithWindows(argc, argv, command.library, true);
    case CommandLine::Mode::Terminal:
      return RunInTerminal(command.library);
    case CommandLine::Mode::Window:
      break;
  }
  return RunWithWindows(argc, argv, command.library, false);
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<CommandLine> command = ParseCommandLine(argc, argv);
  if (!command) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  // SIGTERM, SIGINT and SIGHUP wind the applet down (closing its session and releasing the
  // lock); the process then ends by the signal that asked.
  InstallTerminationHandlers();
  const int status = Run(argc, argv, *command);
  EndByTerminationSignal();
  return status;
}
