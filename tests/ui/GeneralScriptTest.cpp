// The General page end to end: veltrane-control replays UI scripts against the applet on a
// fresh SQLite database. A computer is added, given a virtual server on this host's address,
// its preferences are edited, and the next launch starts on the same computer and server.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>

#include "framework/scripted/ScriptParser.h"
#include "platform/LocalAddresses.h"
#include "tests/applet/AppletEnvironment.h"

namespace {

class GeneralScriptTest : public ::testing::Test, public AppletEnvironment {
 protected:
  // Replays `script` after the log-in; the host's output (empty when all went as scripted).
  std::string Replay(const std::string& script) {
    const auto path = scripts.Path() / ("run" + std::to_string(++runs) + ".txt");
    std::ofstream(path) << "expect-dialog 7019\nset 1013 \"brelk\"\nclick 1\n" << script;
    const std::string command = std::string("'") + HOST_PROGRAM + "' --ui-script '" + path.string() + "' 2>&1";
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return "cannot run " + command;
    char buffer[512];
    while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
    const int status = pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) output += "(the host failed)";
    return output;
  }

  TemporaryFolder scripts;
  int runs = 0;
};

TEST_F(GeneralScriptTest, TheChosenComputerAndVirtualServerAreThereAtTheNextLaunch) {
  const auto addresses = LocalAddresses();
  if (!addresses || addresses->empty()) GTEST_SKIP() << "this host's name resolves to no IPv4 address";
  const std::string address = QuoteText(addresses->front());
  const std::string computer = QuoteText("Build 'A' \xC3\xA9");

  ASSERT_EQ(Replay("expect-sheet \"Veltrane Properties\"\n"
                   "expect-text 7007 \"(local)\"\n"
                   "click 7016\n"
                   "expect-dialog 7015\n"
                   "set 7028 " + computer + "\n"
                   "click 7011\n"
                   "click 1\n"
                   "select 7007 \"Build\"\n"
                   "expect-count 7018 1\n"
                   "close-sheet ok\n"),
            "");
  const std::string id = db.QueryValue("SELECT ID FROM VirtualServerGroup");
  db.Execute("INSERT INTO VirtualServers (VServerIPAddr, VServerDesc, VServerGroupID) VALUES (?, 'here', ?)",
             {addresses->front(), std::stoi(id)});

  ASSERT_EQ(Replay("expect-sheet \"Veltrane Properties\"\n"
                   "expect-text 7007 " + computer + "\n"
                   "select 7018 " + address + "\n"
                   "click 7017\n"
                   "expect-dialog 7017\n"
                   "set 1033 \"2121\"\n"
                   "set 1038 \"Hello from the script\"\n"
                   "click 1\n"
                   "expect-text 7019 \"2121\"\n"
                   "close-sheet ok\n"),
            "");
  EXPECT_EQ(Replay("expect-sheet \"Veltrane Properties\"\n"
                   "expect-text 7007 " + computer + "\n"
                   "expect-text 7018 " + address + "\n"
                   "expect-text 7019 \"2121\"\n"
                   "expect-text 7020 \"Hello from the script\"\n"
                   "expect-enabled 7017 yes\n"
                   "close-sheet cancel\n"),
            "");
  EXPECT_EQ(db.QueryValue("SELECT COUNT(*) FROM Preferences"), "8");
  EXPECT_EQ(AdminFlag(), "0");
}

}  // namespace
