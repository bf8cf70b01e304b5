// The launch sequence as the Control Panel runs it: the applet library loaded with dlopen,
// CPL_DBLCLK sent, and every window answered through the scripted backend, against a fresh
// SQLite database named in a private registry; and the library's exports.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <csignal>

#include "applet/Cpl.h"
#include "framework/Backend.h"
#include "framework/MessageBox.h"
#include "framework/scripted/ScriptPlayer.h"
#include "tests/support/ScriptSteps.h"
#include "framework/scripted/ScriptedBackend.h"
#include "framework/scripted/ScriptedWindow.h"
#include "platform/TerminationSignals.h"
#include "res/ResourceIds.h"
#include "tests/applet/AppletEnvironment.h"
#include "tests/support/ShellCommand.h"

namespace {

class LaunchTest : public ::testing::Test, public AppletEnvironment {
 protected:
  void SetUp() override {
    library = dlopen(APPLET_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    entry = reinterpret_cast<APPLET_PROC>(dlsym(library, "CPlApplet"));
    ASSERT_NE(entry, nullptr);
  }
  void TearDown() override {
    if (library) {
      // Unloading destroys the application object and its session; nothing stays behind.
      ASSERT_EQ(dlclose(library), 0);
      EXPECT_EQ(dlopen(APPLET_LIBRARY, RTLD_NOW | RTLD_NOLOAD), nullptr);
    }
    EXPECT_EQ(backend.Failure(), "");
    EXPECT_TRUE(steps.AllTaken());
  }

  LONG DoubleClick() { return entry(nullptr, CPL_DBLCLK, 0, 0); }

  // One showing of the Log In dialog: checks what it shows, then submits `password`.
  ScriptSteps::WindowAction LogInWith(std::string password, std::string shown = "") {
    return [password, shown](ScriptedWindow& w) {
      EXPECT_EQ(w.Describe(), "dialog " + std::to_string(IDD_LOG_IN) + " \"Log In\"");
      EXPECT_EQ(w.Text(IDC_USER_NAME), "admin");
      EXPECT_EQ(w.Text(IDC_PASSWORD), shown);
      EXPECT_EQ(w.FocusId(), IDC_PASSWORD);
      w.SetText(IDC_PASSWORD, password);
      w.Click(IDOK);
    };
  }

  ScriptSteps steps;
  ScriptedBackend backend{steps};
  BackendScope use{backend};
  void* library = nullptr;
  APPLET_PROC entry = nullptr;
};

// Runs of the launch sequence, one after another on the same library, each checked in turn.
TEST_F(LaunchTest, TheLogInDecidesWhetherTheSheetOpensAndEveryEndReleasesTheLock) {
  // Cancel on the first showing never reaches the database: not even "admin" is created.
  steps.Window([](ScriptedWindow& w) { w.Click(IDCANCEL); });
  EXPECT_EQ(DoubleClick(), 0);
  EXPECT_EQ(db.QueryValue("SELECT COUNT(*) FROM Users"), "0");

  // An empty password counts nothing; four wrong ones end after the fourth showing.
  steps
      .Window([](ScriptedWindow& w) {
        w.Click(IDOK);
        ASSERT_FALSE(w.Ended());
        w.SetText(IDC_PASSWORD, "one");
        w.Click(IDOK);
      })
      .Message(IDOK)
      .Window(LogInWith("two", "one"))
      .Window(LogInWith("three", "two"))
      .Window(LogInWith("four", "three"));
  EXPECT_EQ(DoubleClick(), 0);
  EXPECT_EQ(AdminFlag(), "0");
  ASSERT_EQ(steps.Messages().size(), 1u);
  EXPECT_EQ(steps.Messages()[0].style, MB_OK | MB_ICONINFORMATION);  // its texts are the UI script test's

  // A connection failure is reported and the dialog shown again, with what was typed.
  SetConnectionString("Driver=SQLite3;Database=" + (registryRoot.Path() / "missing/none.db").string() +
                      ";NoCreat=1");
  steps.Window(LogInWith("brelk")).Message(IDOK).Window([](ScriptedWindow& w) {
    EXPECT_EQ(w.Text(IDC_PASSWORD), "brelk");
    w.Cancel();
  });
  EXPECT_EQ(DoubleClick(), 0);
  EXPECT_EQ(steps.Messages().back().caption, "Error!!");
  SetConnectionString(db.ConnectionString());

  // Three wrong, then the right one opens the sheet, which holds the lock until Cancel.
  steps.Window(LogInWith("one")).Window(LogInWith("two", "one")).Window(LogInWith("three", "two"));
  steps.Window(LogInWith("brelk", "three")).Window([&](ScriptedWindow& w) {
    EXPECT_EQ(w.Describe(), "sheet \"Veltrane Properties\"");
    EXPECT_EQ(AdminFlag(), "1");
    w.CloseSheet(false);
  });
  EXPECT_EQ(DoubleClick(), 0);
  EXPECT_EQ(AdminFlag(), "0");

  // An error escaping the sheet stops at CPlApplet: the lock is released and CPL_DBLCLK
  // answers as failed. An error of a type the applet cannot know is reported under the
  // applet's name.
  steps.Window(LogInWith("brelk"))
      .Window([&](ScriptedWindow&) {
        ASSERT_EQ(AdminFlag(), "1");
        throw 42;
      })
      .Message(IDOK);
  EXPECT_EQ(DoubleClick(), 1);
  EXPECT_EQ(AdminFlag(), "0");
  const MessageBoxRequest& box = steps.Messages().back();
  EXPECT_EQ(box.caption, "Veltrane Server");
  EXPECT_EQ(box.text, "The applet stopped after an unexpected error.");
  EXPECT_EQ(box.style, MB_OK | MB_ICONERROR);
}

// A termination signal while the sheet waits for its user: the replay stops before its next
// command, and the sheet closes with its session. The signal is raised in this process, with
// the program's handlers installed (a second one would end it).
TEST_F(LaunchTest, ASignalWhileTheSheetIsOpenStopsTheReplayAndReleasesTheLock) {
  InstallTerminationHandlers();
  ScriptPlayer player("held", "expect-dialog " + std::to_string(IDD_LOG_IN) + "\nset " +
                                  std::to_string(IDC_PASSWORD) +
                                  " \"brelk\"\nclick 1\nexpect-sheet \"Veltrane Properties\"\ntab 1\n");
  int asked = 0;
  player.SetInterruption([&] {
    // Before "tab 1", the fifth command, the sheet is open: the signal comes there.
    if (++asked == 5) {
      EXPECT_EQ(AdminFlag(), "1");
      raise(SIGTERM);
    }
    return TerminationRequested() ? std::string("stopped by SIGTERM") : std::string();
  });
  ScriptedBackend scripted(player);
  BackendScope useScript(scripted);
  DoubleClick();
  EXPECT_EQ(scripted.Failure(), "held:5: stopped by SIGTERM");
  EXPECT_EQ(AdminFlag(), "0");
}

// The library exports CPlApplet alone, so that nothing of it takes the place of the host's own
// symbols. What it answers through CPlApplet is the host's listing and window tests'.
TEST(AppletLibrary, ExportsCPlAppletAlone) {
  const ShellOutcome symbols =
      RunShellCommand(std::string("nm -D --defined-only '") + APPLET_LIBRARY + "' | awk '{print $NF}'");
  EXPECT_EQ(symbols.output, "CPlApplet\n");
}

}  // namespace
