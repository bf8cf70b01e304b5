// veltrane-control as a user runs it: listing, its refusals, the window form without a
// display, and UI scripts replayed against the applet on a fresh SQLite database.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "tests/applet/AppletEnvironment.h"

namespace {

struct Outcome {
  int exitCode = -1;
  std::string output;  // standard output and standard error together
};

// Runs the host with `arguments`; `environment` goes before it (e.g. "env -u DISPLAY").
Outcome RunHost(const std::string& arguments, const std::string& environment = "") {
  const std::string command = environment + " '" + HOST_PROGRAM + "' " + arguments + " 2>&1";
  Outcome outcome;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return outcome;
  char buffer[512];
  while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) outcome.output.append(buffer, got);
  const int status = pclose(pipe);
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

TEST(Host, ListsTheAppletOfTheLibraryBesideItOrOfTheOneGiven) {
  for (const std::string& arguments :
       {std::string("--list"), std::string("--list '") + APPLET_LIBRARY + "'"}) {
    const Outcome outcome = RunHost(arguments);
    EXPECT_EQ(outcome.exitCode, 0) << arguments << "\n" << outcome.output;
    EXPECT_EQ(outcome.output, "Veltrane Server\tConfiguration Applet for Veltrane Server\n") << arguments;
  }
}

TEST(Host, RefusesWhatIsNoAppletLibraryWithAClearError) {
  const Outcome missing = RunHost("--list /nonexistent/libnothing.so");
  EXPECT_NE(missing.exitCode, 0);
  EXPECT_NE(missing.output.find("cannot load /nonexistent/libnothing.so"), std::string::npos)
      << missing.output;

  const Outcome noEntry = RunHost(std::string("--list '") + NOT_AN_APPLET + "'");
  EXPECT_NE(noEntry.exitCode, 0);
  EXPECT_NE(noEntry.output.find("has no CPlApplet entry point"), std::string::npos) << noEntry.output;

  for (const char* arguments : {"--bogus", "--ui-script", "--open --list"}) {
    const Outcome usage = RunHost(arguments);
    EXPECT_EQ(usage.exitCode, 2) << arguments;
    EXPECT_TRUE(usage.output.starts_with(
        "usage: veltrane-control [--open | --terminal | --list | --ui-script FILE] [LIBRARY]"))
        << arguments << "\n"
        << usage.output;
  }
}

TEST(Host, WithoutADisplayTheWindowFormSaysHowToGetOne) {
  for (const char* arguments : {"", "--open"}) {
    const Outcome outcome = RunHost(arguments, "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM");
    EXPECT_EQ(outcome.exitCode, 1) << arguments;
    EXPECT_NE(outcome.output.find("xvfb-run -a veltrane-control"), std::string::npos) << outcome.output;
    EXPECT_EQ(outcome.output.find('\n'), outcome.output.size() - 1) << "one line: " << outcome.output;
  }
}

// UI scripts from tests/host/scripts, replayed by the host against the applet on a fresh
// SQLite database named in a private registry.
class UiScriptTest : public ::testing::Test, public AppletEnvironment {
 protected:
  static std::string Script(const std::string& name) { return std::string(SCRIPT_FOLDER) + "/" + name; }
  Outcome Replay(const std::string& name) { return RunHost("--ui-script '" + Script(name) + "'"); }
};

TEST_F(UiScriptTest, ALogInThroughEveryTabToOkRunsToItsEnd) {
  const Outcome outcome = Replay("log-in-visit-every-tab.txt");
  EXPECT_EQ(outcome.exitCode, 0) << outcome.output;
  EXPECT_EQ(outcome.output, "");
  EXPECT_EQ(AdminFlag(), "0");
}

TEST_F(UiScriptTest, AScriptThatDiffersOrCannotBeReadStopsWithOneLineNamingItsLine) {
  const std::pair<std::string, std::string> cases[] = {
      {"expects-the-wrong-message.txt",
       ":4: the message box \"Error\" \"Please specify password\" appeared instead\n"},
      {"commands-after-the-applet-returned.txt", ":4: nothing is open for this command\n"},
      {"names-an-unknown-control.txt", ":3: unknown name \"IDC_USERNAME\"\n"},
      {"no-such-script.txt", ": cannot read the script\n"},
  };
  for (const auto& [name, failure] : cases) {
    const Outcome outcome = Replay(name);
    EXPECT_EQ(outcome.exitCode, 1) << name;
    EXPECT_EQ(outcome.output, Script(name) + failure);
  }
}

}  // namespace
