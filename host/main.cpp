// veltrane-control: the Control Panel stand-in. Loads an applet library and holds the
// Control Panel's conversation with it: in a window, at once, as a listing, or replaying a
// UI script without windows.

#include <cstdio>

#include "host/CommandLine.h"
#include "host/ListApplets.h"
#include "host/UiScriptRun.h"
#include "host/WindowRun.h"

int main(int argc, char** argv) {
  const std::optional<CommandLine> command = ParseCommandLine(argc, argv);
  if (!command) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  switch (command->mode) {
    case CommandLine::Mode::List:
      return ListApplets(command->library);
    case CommandLine::Mode::UiScript:
      return RunUiScript(command->script, command->library);
    case CommandLine::Mode::Open:
      return RunWithWindows(argc, argv, command->library, true);
    case CommandLine::Mode::Window:
      break;
  }
  return RunWithWindows(argc, argv, command->library, false);
}
