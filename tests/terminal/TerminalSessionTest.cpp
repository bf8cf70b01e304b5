// veltrane-control --terminal in a real pseudo-terminal (a tmux pane of 80x24), driven by
// keys as a user over SSH would: the whole applet, its database afterwards, the lock, and the
// terminal given back.

#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>

#include "tests/applet/AppletEnvironment.h"
#include "tests/support/DatabaseTest.h"
#include "tests/terminal/TmuxPane.h"

namespace {

// Runs the host in the terminal (with `environment`, e.g. "TERM=vt100"), then reports its exit
// status and the terminal's line discipline, and stays open to be read.
std::string HostInTerminal(const std::string& home, const std::string& environment = "") {
  return "env HOME='" + home + "' " + environment + " '" + HOST_PROGRAM +
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

// Keys are sent in bursts, as a user types ahead (Escape too, right before the next key); the
// screen is checked where a step shows its result.
TEST_P(TerminalSessionTest, AnAdministratorAddsAComputerAServerAndAnAccountThroughEveryTab) {
  TmuxPane pane(HostInTerminal(home.Path().string()), 80, 24);
  ASSERT_TRUE(pane.WaitFor("Log In")) << pane.Screen();
  Type(pane, "brelk");
  Step(pane, "Enter", "[F1 General]");
  // General: "..." beside the computer opens Add Computer; the name, Save, and Escape to close.
  Step(pane, "Tab Enter", "Add Computer");
  pane.Send("Tab");
  Type(pane, "pc1");
  pane.Send("Enter");
  // Escape closes it, and F2 right behind it goes to Virtual Servers: pc1, then Add.
  Step(pane, "Escape F2", "[F2 Virtual Servers]");
  EXPECT_EQ(pane.Screen().find("Add Computer"), std::string::npos) << pane.Screen();
  Step(pane, "p Tab Tab Tab Enter", "Add Virtual Server");
  Type(pane, "127.0.0.1");
  pane.Send("Tab");
  Type(pane, "test server ünï Zoe\u0308");  // the last with a combining mark, shown in one cell
  Step(pane, "Enter", "127.0.0.1        test server ünï Zoe\u0308 ");
  // Users: pc1 and its server, then Add, the home folder picked in the chooser.
  Step(pane, "F3", "[F3 Users]");
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
  Step(pane, "F1", "[F1 General]");
  // About holds nothing to focus, so the focus is on OK, which Enter presses.
  Step(pane, "F4", "[F4 About]");
  Step(pane, "Enter", "EXIT=0");

  EXPECT_TRUE(pane.WaitFor("\nicanon echo")) << "the terminal's modes are given back:\n" << pane.Screen();
  EXPECT_EQ(pane.Screen().find("Veltrane Properties"), std::string::npos) << "the screen is given back";
  EXPECT_EQ(Count("SELECT COUNT(*) FROM VirtualServerGroup WHERE Name = 'pc1'"), "1");
  EXPECT_EQ(Count("SELECT VServerDesc FROM VirtualServers WHERE VServerIPAddr = '127.0.0.1'"),
            "test server ünï Zoe\u0308");
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
  Step(pane, "Enter", "[F1 General]");
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

// While the window on top cannot be drawn, no key reaches it: Enter on a hidden delete
// question deletes nothing, and the question is still there when the terminal grows back.
TEST_P(TerminalSessionTest, KeysReachNoWindowWhileTheTerminalIsTooSmallToShowIt) {
  db.Execute("INSERT INTO VirtualServerGroup (Name, CurrentSite) VALUES ('pc1', '')");
  db.Execute(
      "INSERT INTO VirtualServers (VServerIPAddr, VServerDesc, VServerGroupID) "
      "SELECT '10.0.0.1', 'd', ID FROM VirtualServerGroup WHERE Name = 'pc1'");
  TmuxPane pane(HostInTerminal(home.Path().string()), 80, 24);
  ASSERT_TRUE(pane.WaitFor("Log In")) << pane.Screen();
  Type(pane, "brelk");
  Step(pane, "Enter", "[F1 General]");
  Step(pane, "F2 p", "10.0.0.1");
  Step(pane, "Tab Tab Down Tab Tab Tab Enter", "Do you really want to continue");
  pane.Resize(60, 18);
  ASSERT_TRUE(pane.WaitFor("too small: this window needs 78x20. Keys are")) << pane.Screen();
  Type(pane, "y");
  pane.Send("Enter Space");
  pane.Resize(80, 24);
  Step(pane, "", "Do you really want to continue");
  Step(pane, "Escape", "10.0.0.1");
  EXPECT_EQ(Count("SELECT COUNT(*) FROM VirtualServers"), "1");
}

// The Log In dialog comes back with the wrong password selected, so the retyped one replaces
// it; after the fourth failure one line says so.
TEST_P(TerminalSessionTest, APasswordRetypedAfterAWrongOneReplacesItAndTheFourthFailureIsSaid) {
  TmuxPane pane(HostInTerminal(home.Path().string()), 80, 24);
  ASSERT_TRUE(pane.WaitFor("Log In")) << pane.Screen();
  Type(pane, "wrongpw");
  pane.Send("Enter");
  Type(pane, "brelk");
  Step(pane, "Enter", "[F1 General]");
  Step(pane, "Escape", "EXIT=0");
  TmuxPane again(HostInTerminal(home.Path().string()), 80, 24);
  ASSERT_TRUE(again.WaitFor("Log In")) << again.Screen();
  for (const char* password : {"one", "two", "three", "four"}) {
    Type(again, password);
    again.Send("Enter");
  }
  ASSERT_TRUE(again.WaitFor("EXIT=")) << again.Screen();
  EXPECT_NE(again.Screen().find("veltrane-control: the log-in failed 4 times\nEXIT=0"), std::string::npos)
      << again.Screen();
}

// A terminal the form cannot use ends the run with one line and status 1.
TEST_P(TerminalSessionTest, AnUnknownOrUnusableTerminalTypeIsSaidInOneLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"nosuchterm", "the terminal type \"nosuchterm\" (TERM) is unknown"},
      {"dumb", "the terminal type \"dumb\" (TERM) cannot place the cursor"},
  };
  for (const auto& [type, line] : cases) {
    TmuxPane pane(HostInTerminal(home.Path().string(), std::string("TERM=") + type), 100, 24);
    ASSERT_TRUE(pane.WaitFor("EXIT=")) << pane.Screen();
    EXPECT_NE(
        pane.Screen().find(std::string("veltrane-control: cannot use the terminal: ") + line + "\nEXIT=1"),
        std::string::npos)
        << pane.Screen();
  }
}

// A terminal that goes away without a hang-up (the shell ignores it) closes the session and
// ends the process, instead of leaving it spinning with the lock held.
TEST_P(TerminalSessionTest, ATerminalGoneWithoutAHangUpClosesTheSessionAndEndsTheProcess) {
  TmuxPane pane("trap '' HUP; " + HostInTerminal(home.Path().string()), 80, 24);
  ASSERT_TRUE(pane.WaitFor("Log In")) << pane.Screen();
  Type(pane, "brelk");
  Step(pane, "Enter", "[F1 General]");
  const int host = pane.ShellChild();
  ASSERT_GT(host, 0);
  ASSERT_EQ(AdminFlag(), "1");
  pane.Close();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (kill(host, 0) == 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_NE(kill(host, 0), 0) << "the host still runs";
  EXPECT_EQ(AdminFlag(), "0");
}

// Keys that a VT100's description does not name (the terminal is xterm-like) are dropped,
// never typed: the name is stored as typed.
TEST_P(TerminalSessionTest, KeysTheTerminalTypeDoesNotNameAreNotTypedIntoAField) {
  TmuxPane pane(HostInTerminal(home.Path().string(), "TERM=vt100"), 80, 24);
  ASSERT_TRUE(pane.WaitFor("Log In")) << pane.Screen();
  Type(pane, "brelk");
  Step(pane, "Enter", "General");
  Step(pane, "Tab Enter", "Add Computer");
  pane.Send("Tab");
  Type(pane, "pc");
  pane.Send("PageDown Home End DC PageUp BTab C-PageDown IC");
  Type(pane, "2");
  pane.Send("Enter");
  Step(pane, "Escape", "Computer Name");
  Step(pane, "Escape", "EXIT=0");
  EXPECT_EQ(Count("SELECT Name FROM VirtualServerGroup"), "pc2");
}

}  // namespace
