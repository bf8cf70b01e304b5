#include "host/CommandLine.h"

#include <string_view>

#include "host/AppletLibrary.h"

std::optional<CommandLine> ParseCommandLine(int argc, char** argv) {
  CommandLine command;
  int next = 1;
  if (next < argc) {
    const std::string_view option = argv[next];
    if (option == "--open") {
      command.mode = CommandLine::Mode::Open;
      ++next;
    } else if (option == "--terminal") {
      command.mode = CommandLine::Mode::Terminal;
      ++next;
    } else if (option == "--list") {
      command.mode = CommandLine::Mode::List;
      ++next;
    } else if (option == "--ui-script") {
      if (next + 1 >= argc) return std::nullopt;
      command.mode = CommandLine::Mode::UiScript;
      command.script = argv[next + 1];
      next += 2;
    }
  }
  if (next < argc && std::string_view(argv[next]).starts_with("-")) return std::nullopt;
  command.library = next < argc ? argv[next++] : AppletLibrary::DefaultPath();
  if (next < argc) return std::nullopt;
  return command;
}
