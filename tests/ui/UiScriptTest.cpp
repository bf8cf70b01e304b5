// Whole sessions replayed by veltrane-control from UI scripts against the applet on a fresh
// SQLite database, and what the database holds afterwards.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>

#include "framework/scripted/ScriptParser.h"
#include "platform/LocalAddresses.h"
#include "tests/applet/AppletEnvironment.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

class UiScriptTest : public ::testing::Test, public AppletEnvironment {
protected:
  // Replays the script file; the host's output, empty when all went as scripted.
  static std::string Replay(const std::string& path) {
    const std::string command = std::string("'") + HOST_PROGRAM + "' --ui-script '" + path + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return "cannot run " + command;
    std::string output;
    char buffer[512];
    while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
    const int status = pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) output += "(the host failed)";
    return output;
  }
  // Replays `script` after the log-in.
  std::string ReplayLoggedIn(const std::string& script) {
    const auto path = scripts.Path() / ("run" + std::to_string(++runs) + ".txt");
    std::ofstream(path) << "expect-dialog 7019\nset 1013 \"brelk\"\nclick 1\n" << script;
    return Replay(path.string());
  }

  TemporaryFolder scripts;
  int runs = 0;
};

TEST_F(UiScriptTest, ServersAndAccountsAddedAndDeletedLeaveOnlyTheComputer) {
  EXPECT_EQ(Replay(SCRIPT_FOLDER "/users-and-servers.txt"), "");
  EXPECT_EQ(db.Query("SELECT Name, CurrentSite FROM VirtualServerGroup"), (Rows{{"ftp-east", ""}}));
  EXPECT_EQ(db.Query("SELECT * FROM VirtualServers"), Rows{});
  EXPECT_EQ(db.Query("SELECT * FROM Preferences"), Rows{});
  EXPECT_EQ(db.Query("SELECT UserName, Flag FROM Users ORDER BY UserName"), (Rows{{"admin", "0"}, {"ftp", "0"}}));
}

TEST_F(UiScriptTest, TheChosenComputerAndVirtualServerAreThereAtTheNextLaunch) {
  const auto addresses = LocalAddresses();
  if (!addresses || addresses->empty()) GTEST_SKIP() << "this host's name resolves to no IPv4 address";
  const std::string address = QuoteText(addresses->front());
  const std::string computer = QuoteText("Build 'A' \xC3\xA9");

  ASSERT_EQ(ReplayLoggedIn("expect-sheet \"Veltrane Properties\"\n"
                           "click 7016\n"
                           "expect-dialog 7015\n"
                           "set 7028 " + computer + "\n"
                           "click 7011\n"
                           "click 1\n"
                           "select 7007 \"Build\"\n"
                           "close-sheet ok\n"),
            "");
  db.Execute("INSERT INTO VirtualServers (VServerIPAddr, VServerDesc, VServerGroupID) VALUES (?, 'here', ?)",
             {addresses->front(), std::stoi(db.QueryValue("SELECT ID FROM VirtualServerGroup"))});
  ASSERT_EQ(ReplayLoggedIn("expect-sheet \"Veltrane Properties\"\n"
                           "expect-text 7007 " + computer + "\n"
                           "select 7018 " + address + "\n"
                           "click 7017\n"
                           "expect-dialog 7017\n"
                           "set 1033 \"2121\"\n"
                           "set 1038 \"Hello from the script\"\n"
                           "click 1\n"
                           "close-sheet ok\n"),
            "");
  EXPECT_EQ(ReplayLoggedIn("expect-sheet \"Veltrane Properties\"\n"
                           "expect-text 7007 " + computer + "\n"
                           "expect-text 7018 " + address + "\n"
                           "expect-text 7019 \"2121\"\n"
                           "expect-text 7020 \"Hello from the script\"\n"
                           "close-sheet cancel\n"),
            "");
  EXPECT_EQ(db.QueryValue("SELECT COUNT(*) FROM Preferences"), "8");
  EXPECT_EQ(AdminFlag(), "0");
}

}  // namespace
