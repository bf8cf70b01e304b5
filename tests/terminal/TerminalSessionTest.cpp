// veltrane-control --terminal in a real pseudo-terminal (a tmux pane of 80x24), driven by
// keys as a user over SSH would: the whole applet, its database afterwards, the lock, and the
// terminal given back.

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/applet/AppletEnvironment.h"
#include "tests/support/DatabaseTest.h"
#include "tests/support/ShellCommand.h"

namespace {

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// A program run in a real pseudo-terminal: a pane of a tmux server of its own, read back as
// text. The server goes when the object does.
class TmuxPane {
 public:
  // Starts `command` (a shell command line) in a pane of `cols` x `rows`.
  TmuxPane(const std::string& command, int cols, int rows) {
    static int count = 0;
    m_socket = "veltrane-test-" + std::to_string(getpid()) + "-" + std::to_string(count++);
    Tmux("new-session -d -x " + std::to_string(cols) + " -y " + std::to_string(rows) + " " + Quoted(command));
  }
  ~TmuxPane() { Close(); }

  // Keys as tmux's send-keys names them ("Enter", "Tab", "F2") or, with `literally`, text.
  void Send(const std::string& keys, bool literally = false) {
    Tmux(std::string("send-keys ") + (literally ? "-l " + Quoted(keys) : keys));
  }
  std::string Screen() const { return Tmux("capture-pane -p"); }
  // The terminal goes away: the pane and its server end.
  void Close() { Tmux("kill-server"); }
  // What tmux says of the pane in its format language, e.g. "#{alternate_on}".
  std::string Describe(const std::string& format) const {
    std::string answer = Tmux("display-message -p " + Quoted(format));
    if (answer.ends_with('\n')) answer.pop_back();
    return answer;
  }
  // The process the pane's shell runs now (its only child), or 0.
  int ShellChild() const {
    const std::string child = RunShellCommand("pgrep -P " + Describe("#{pane_pid}")).output;
    return child.empty() ? 0 : std::stoi(child);
  }
  // Waits, at most 20 seconds, until the pane shows `text`; true when it did.
  bool WaitFor(const std::string& text) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
      if (Screen().find(text) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

 private:
  std::string Tmux(const std::string& arguments) const {
    return RunShellCommand("tmux -L " + m_socket + " -f /dev/null " + arguments + " 2>&1").output;
  }

  std::string m_socket;
};

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

  // Waits for Log In and logs in as the administrator, up to the sheet.
  void LogIn(TmuxPane& pane) {
    ASSERT_TRUE(pane.WaitFor("Log In")) << pane.Screen();
    pane.Send("brelk", true);
    Step(pane, "Enter", "[F1 General]");
  }

  TemporaryFolder home;
};
VELTRANE_ON_ALL_ENGINES(TerminalSessionTest);

// Keys are sent in bursts, as a user types ahead (Escape too, right before the next key); the
// screen is checked where a step shows its result, the lists as the database has them; what
// the screen cannot show is checked in the database afterwards. The Log In dialog comes back
// with a wrong password selected, so the retyped one replaces it.
TEST_P(TerminalSessionTest, AnAdministratorAddsAComputerAServerAndAnAccountThroughEveryTab) {
  TmuxPane pane(HostInTerminal(home.Path().string()), 80, 24);
  ASSERT_TRUE(pane.WaitFor("Log In")) << pane.Screen();
  pane.Send("wrongpw", true);
  pane.Send("Enter");
  LogIn(pane);
  // General: "..." beside the computer opens Add Computer; the name, Save, and Escape to close.
  Step(pane, "Tab Enter", "Add Computer");
  pane.Send("Tab");
  pane.Send("pc1", true);
  pane.Send("Enter");
  // Escape closes it, and F2 right behind it goes to Virtual Servers: pc1, then Add.
  Step(pane, "Escape F2", "[F2 Virtual Servers]");
  EXPECT_EQ(pane.Screen().find("Add Computer"), std::string::npos) << pane.Screen();
  Step(pane, "p Tab Tab Tab Enter", "Add Virtual Server");
  pane.Send("127.0.0.1", true);
  pane.Send("Tab");
  pane.Send("test server ünï Zoe\u0308", true);  // the last with a combining mark, shown in one cell
  Step(pane, "Enter", "127.0.0.1        test server ünï Zoe\u0308 ");
  // Users: pc1 and its server, then Add, the home folder picked in the chooser.
  Step(pane, "F3", "[F3 Users]");
  Step(pane, "p Tab 1", "Virtual Server 127.0.0.1");
  Step(pane, "Tab Tab Enter", "Add User");
  for (const char* field : {"alice", "s3cret!", "s3cret!", "100"}) {
    pane.Send(field, true);
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
  EXPECT_EQ(
      db.Query("SELECT (SELECT COUNT(*) FROM VirtualServerGroup WHERE Name = 'pc1'), HomeDir, DiskQuota "
               "FROM Users WHERE UserName = 'alice'"),
      (std::vector<std::vector<std::string>>{{"1", (home.Path() / "alice").string(), "100"}}));
  EXPECT_EQ(AdminFlag(), "0");
}

// A second termination signal while the first winds the applet down ends the process at once,
// and the terminal is still given back: screen, modes and cursor.
TEST_P(TerminalSessionTest, ASecondSignalDuringTheWindDownStillGivesTheTerminalBack) {
  TmuxPane pane(HostInTerminal(home.Path().string()), 80, 24);
  LogIn(pane);
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

// A terminal the form cannot use, or too small for the sheet (though it would hold Log In),
// ends the run before anything shows (Log In would wait for its password), with one line
// after the terminal is given back; so does the fourth wrong password.
TEST_P(TerminalSessionTest, AnUnusableOrTooSmallTerminalOrAFourthWrongPasswordIsSaidInOneLine) {
  const std::string unusable = "cannot use the terminal: the terminal type ";
  const struct {
    const char* type;
    int cols, rows;
    std::vector<std::string> passwords;
    std::string line;
    int exitCode;
  } cases[] = {
      {"nosuchterm", 100, 24, {}, unusable + "\"nosuchterm\" (TERM) is unknown", 1},
      {"dumb", 100, 24, {}, unusable + "\"dumb\" (TERM) cannot place the cursor", 1},
      {"xterm", 60, 20, {}, "the terminal is 60x20 characters; the applet's windows need 78x20", 1},
      {"xterm", 80, 24, {"one", "two", "three", "four"}, "the log-in failed 4 times", 0},
  };
  for (const auto& c : cases) {
    TmuxPane pane(HostInTerminal(home.Path().string(), std::string("TERM=") + c.type), c.cols, c.rows);
    for (const std::string& password : c.passwords) {
      ASSERT_TRUE(pane.WaitFor("Log In")) << pane.Screen();
      pane.Send(password, true);
      pane.Send("Enter");
    }
    ASSERT_TRUE(pane.WaitFor("EXIT=")) << pane.Screen();
    std::string screen = pane.Screen();
    std::erase(screen, '\n');  // a line may be wider than the pane
    const std::string last = "veltrane-control: " + c.line + "EXIT=" + std::to_string(c.exitCode);
    EXPECT_NE(screen.find(last), std::string::npos) << screen;
  }
}

// A terminal that goes away without a hang-up (the shell ignores it) closes the session and
// ends the process, instead of leaving it spinning with the lock held.
TEST_P(TerminalSessionTest, ATerminalGoneWithoutAHangUpClosesTheSessionAndEndsTheProcess) {
  TmuxPane pane("trap '' HUP; " + HostInTerminal(home.Path().string()), 80, 24);
  LogIn(pane);
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

}  // namespace
