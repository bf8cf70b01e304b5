// veltrane-control as a user runs it: listing, its refusals, the window form without a
// display, and UI scripts replayed against the applet on a fresh SQLite database.

#include <gtest/gtest.h>

#include <string>

#include "tests/applet/AppletEnvironment.h"
#include "tests/support/ShellCommand.h"

namespace {

// Runs the host with `arguments`, its standard error with its output; `environment` goes
// before it (e.g. "env -u DISPLAY").
ShellOutcome RunHost(const std::string& arguments, const std::string& environment = "") {
  return RunShellCommand(environment + " '" + HOST_PROGRAM + "' " + arguments + " 2>&1");
}

// Listing the applet of the library given (the one beside the host is the UI scripts');
// refusing what is no applet library, and usage errors; and, without a display, the window
// form says in one line how to get one.
TEST(Host, ListsTheAppletAndRefusesWhatItCannotRunWithOneClearLine) {
  const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";
  const std::string usage =
      "^usage: veltrane-control [--open | --terminal | --list | --ui-script FILE] [LIBRARY]\n";
  const std::string listed = "Veltrane Server\tConfiguration Applet for Veltrane Server\n";
  const struct {
    std::string arguments, environment;
    int exitCode;
    std::string output;  // all of it, its start after "^", or after "*" a part of its one line
  } cases[] = {
      {std::string("--list '") + APPLET_LIBRARY + "'", "", 0, listed},
      {"--list /nonexistent/libnothing.so", "", 1, "*cannot load /nonexistent/libnothing.so"},
      {std::string("--list '") + NOT_AN_APPLET + "'", "", 1, "*has no CPlApplet entry point"},
      {"--bogus", "", 2, usage},
      {"--ui-script", "", 2, usage},
      {"--open --list", "", 2, usage},
      {"", noDisplay, 1, "*xvfb-run -a veltrane-control"},
      {"--open", noDisplay, 1, "*xvfb-run -a veltrane-control"},
  };
  for (const auto& c : cases) {
    const ShellOutcome outcome = RunHost(c.arguments, c.environment);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << c.arguments << "\n" << outcome.output;
    if (c.output.starts_with("*")) {
      EXPECT_NE(outcome.output.find(c.output.substr(1)), std::string::npos) << outcome.output;
      EXPECT_EQ(outcome.output.find('\n'), outcome.output.size() - 1) << "one line: " << outcome.output;
    } else if (c.output.starts_with("^")) {
      EXPECT_TRUE(outcome.output.starts_with(c.output.substr(1))) << c.arguments << "\n" << outcome.output;
    } else {
      EXPECT_EQ(outcome.output, c.output) << c.arguments;
    }
  }
}

// UI scripts from tests/host/scripts, replayed by the host against the applet on a fresh
// SQLite database named in a private registry: a log-in through every tab to OK runs to its
// end, leaving the lock free; a script that differs or cannot be read stops with one line
// naming its line.
TEST(UiScript, RunsToItsEndOrStopsWithOneLineNamingWhereItDiffered) {
  const AppletEnvironment environment;
  const std::pair<std::string, std::string> cases[] = {
      {"log-in-visit-every-tab.txt", ""},
      {"expects-the-wrong-message.txt",
       ":4: the message box \"Error\" \"Please specify password\" appeared instead\n"},
      {"commands-after-the-applet-returned.txt", ":4: nothing is open for this command\n"},
      {"names-an-unknown-control.txt", ":3: unknown name \"IDC_USERNAME\"\n"},
      {"no-such-script.txt", ": cannot read the script\n"},
  };
  for (const auto& [name, failure] : cases) {
    const std::string script = std::string(SCRIPT_FOLDER) + "/" + name;
    const ShellOutcome outcome = RunHost("--ui-script '" + script + "'");
    EXPECT_EQ(outcome.exitCode, failure.empty() ? 0 : 1) << name;
    EXPECT_EQ(outcome.output, failure.empty() ? "" : script + failure);
    EXPECT_EQ(environment.AdminFlag(), "0") << name;
  }
}

}  // namespace
