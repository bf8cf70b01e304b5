// veltrane-control --terminal in a real pseudo-terminal (a tmux pane of 80x24), driven by
// keys as a user over SSH would: the whole applet, its database afterwards, the lock, and the
// terminal given back.

#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <string>

#include "tests/applet/AppletEnvironment.h"
#include "tests/support/DatabaseTest.h"
#include "tests/terminal/TmuxPane.h"

namespace {

// Runs the host in the terminal, then reports its exit status and the terminal's line
// discipline, and stays open to be read.
std::string HostInTerminal(const std::string& home) {
  return "env HOME='" + home + "' '" + HOST_PROGRAM +
         "' --terminal; echo \"EXIT=$?\"; stty -a | tr ' ;' '\\n\\n' | " +
         "grep -x -e -icanon -e icanon -e -echo -e echo | tr '\\n' ' '; echo; sleep 60";
}

class TerminalSessionTest : public ::testing::TestWithParam<Engine>, public AppletEnvironment {
 protected:
  TerminalSessionTest() : AppletEnvironment(GetParam()) {}

  void SetUp() override {
    if (!IsAvailable(GetParam())) GTEST_SKIP() << "VELTRANE_TEST_PG names no PostgreSQL server";
    std::filesystem::create_directory(home.Path() / "alice");
  }

  // Sends the keys, then waits for the screen to show `expected`.
  void Step(TmuxPane& pane, const std::string& keys, const std::string& expected) {
    pane.Send(keys);
    ASSERT_TRUE(pane.WaitFor(expected))
        << "after " << keys << " the screen shows no \"" << expected << "\":\n"
        << pane.Screen();
  }

  void Type(TmuxPane& pane, const std::string& text) { pane.Send(text, true); }
  std::string Count(const std::string& sql) const { return db.QueryValue(sql); }

  TemporaryFolder home;
};
VELTRANE_ON_ALL_ENGINES(TerminalSessionTest);

// Keys are sent in bursts, as a user types ahead; the screen is checked where a step shows
// its result, and after Escape, which a key right behind it would turn into Alt.
TEST_P(TerminalSessionTest, AnAdministratorAddsAComputerAServerAndAnAccountThroughEveryTab) {
  TmuxPane pane(HostInTerminal(home.Path().string()), 80, 24);
  ASSERT_TRUE(pane.WaitFor("Log In")) << pane.Screen();
  Type(pane, "brelk");
  Step(pane, "Enter", "[General]");
  // General: "..." beside the computer opens Add Computer; the name, Save, and Escape to close.
  Step(pane, "Tab Enter", "Add Computer");
  pane.Send("Tab");
  Type(pane, "pc1");
  pane.Send("Enter");
  pane.Send("Escape");
  ASSERT_TRUE(pane.WaitFor("Add Computer", false)) << pane.Screen();
  // Virtual Servers: pc1, then Add.
  Step(pane, "F2", "[Virtual Servers]");
  Step(pane, "p Tab Tab Tab Enter", "Add Virtual Server");
  Type(pane, "127.0.0.1");
  pane.Send("Tab");
  Type(pane, "test server ünï");
  Step(pane, "Enter", "127.0.0.1        test server ünï");
  // Users: pc1 and its server, then Add, the home folder picked in the chooser.
  Step(pane, "F3", "[Users]");
  Step(pane, "p Tab 1", "Virtual Server 127.0.0.1");
  Step(pane, "Tab Tab Enter", "Add User");
  for (const char* field : {"alice", "s3cret!", "s3cret!", "100"}) {
    Type(pane, field);
    pane.Send("Tab");
  }
  Step(pane, "Enter", "Select a Directory");
  Step(pane, "Down Enter", (home.Path() / "alice").string());
  Step(pane, "Space", "Home directory: " + home.Path().string());
  Step(pane, "Tab Space Tab Space", "[x] Upload");
  Step(pane, "Enter", "alice       " + (home.Path() / "alice").string().substr(0, 20));
  Step(pane, "F1", "[General]");
  // About holds nothing to focus, so the focus is on OK, which Enter presses.
  Step(pane, "F4", "[About]");
  Step(pane, "Enter", "EXIT=0");

  EXPECT_TRUE(pane.WaitFor("\nicanon echo")) << "the terminal's modes are given back:\n" << pane.Screen();
  EXPECT_EQ(pane.Screen().find("Veltrane Properties"), std::string::npos) << "the screen is given back";
  EXPECT_EQ(Count("SELECT COUNT(*) FROM VirtualServerGroup WHERE Name = 'pc1'"), "1");
  EXPECT_EQ(Count("SELECT VServerDesc FROM VirtualServers WHERE VServerIPAddr = '127.0.0.1'"),
            "test server ünï");
  EXPECT_EQ(Count("SELECT HomeDir FROM Users WHERE UserName = 'alice'"), (home.Path() / "alice").string());
  EXPECT_EQ(Count("SELECT DiskQuota FROM Users WHERE UserName = 'alice'"), "100");
  EXPECT_EQ(AdminFlag(), "0");
}

// A terminal that would hold Log In but not the sheet ends the run before Log In shows, as
// if cancelled (no lock is taken), and one line after the terminal is given back says the
// size it needs.
TEST_P(TerminalSessionTest, ATerminalTooSmallForTheSheetEndsTheRunBeforeLogInSayingTheSizeItNeeds) {
  TmuxPane pane(HostInTerminal(home.Path().string()), 60, 20);
  ASSERT_TRUE(pane.WaitFor("EXIT=1")) << pane.Screen();
  std::string screen = pane.Screen();
  EXPECT_EQ(screen.find("Log In"), std::string::npos) << screen;
  std::erase(screen, '\n');  // the line is wider than the pane
  EXPECT_NE(
      screen.find("veltrane-control: the terminal is 60x20 characters; the applet's windows need 78x20"),
      std::string::npos)
      << screen;
  EXPECT_EQ(Count("SELECT COUNT(*) FROM Users WHERE Flag <> 0"), "0") << "no lock was taken";
}

// A second termination signal while the first winds the applet down ends the process at once,
// and the terminal is still given back: screen, modes and cursor.
TEST_P(TerminalSessionTest, ASecondSignalDuringTheWindDownStillGivesTheTerminalBack) {
  TmuxPane pane(HostInTerminal(home.Path().string()), 80, 24);
  ASSERT_TRUE(pane.WaitFor("Log In")) << pane.Screen();
  Type(pane, "brelk");
  Step(pane, "Enter", "[General]");
  const int host = pane.ShellChild();
  ASSERT_GT(host, 0);
  kill(host, SIGTERM);
  kill(host, SIGHUP);
  ASSERT_TRUE(pane.WaitFor("EXIT=1")) << pane.Screen();  // 143 or 129: ended by a signal
  EXPECT_TRUE(pane.WaitFor("\nicanon echo")) << "the terminal's modes are given back:\n" << pane.Screen();
  EXPECT_EQ(pane.Describe("#{alternate_on} #{cursor_flag}"), "0 1")
      << "the screen and the cursor are given back";
  EXPECT_EQ(pane.Screen().find("Veltrane Properties"), std::string::npos) << pane.Screen();
}

}  // namespace
