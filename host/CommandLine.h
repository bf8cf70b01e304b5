#pragma once
// What veltrane-control was asked to do.

#include <optional>
#include <string>

struct CommandLine {
  enum class Mode { Window, Open, Terminal, List, UiScript };
  Mode mode = Mode::Window;
  std::string script;   // --ui-script FILE
  std::string library;  // the applet library; the one beside the program when not given
};

inline constexpr const char* kUsage =
    "usage: veltrane-control [--open | --terminal | --list | --ui-script FILE] [LIBRARY]\n"
    "  (none)            show the Control Panel window with the applets of LIBRARY\n"
    "  --open            open the first applet at once, without the Control Panel window\n"
    "  --terminal        open the first applet in this text terminal, without a display\n"
    "  --list            print the name and description of each applet\n"
    "  --ui-script FILE  open the first applet without windows and replay the UI script FILE\n"
    "  LIBRARY           the applet library (default: the one installed beside this program)\n";

// The request, or nothing when the arguments make no sense.
std::optional<CommandLine> ParseCommandLine(int argc, char** argv);
