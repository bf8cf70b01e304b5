// The launch sequence as the Control Panel runs it: the applet library loaded with dlopen,
// CPL_DBLCLK sent, and every window answered through the scripted backend, against a fresh
// SQLite database named in a private registry.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "applet/Cpl.h"
#include "framework/Backend.h"
#include "framework/MessageBox.h"
#include "framework/scripted/ScriptError.h"
#include "framework/scripted/ScriptSteps.h"
#include "framework/scripted/ScriptedBackend.h"
#include "framework/scripted/ScriptedWindow.h"
#include "tests/applet/AppletEnvironment.h"

namespace {

constexpr int kPassword = 1013;
constexpr int kUserName = 1028;

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
    EXPECT_EQ(backend.Failure(), expectedFailure);
    EXPECT_TRUE(steps.AllTaken());
  }

  LONG DoubleClick() { return entry(nullptr, CPL_DBLCLK, 0, 0); }

  // One showing of the Log In dialog: checks what it shows, then submits `password`.
  ScriptSteps::WindowAction LogInWith(std::string password, std::string shown = "") {
    return [password, shown](ScriptedWindow& w) {
      EXPECT_EQ(w.Describe(), "dialog 7019 \"Log In\"");
      EXPECT_EQ(w.Text(kUserName), "admin");
      EXPECT_EQ(w.Text(kPassword), shown);
      EXPECT_EQ(w.FocusId(), kPassword);
      w.SetText(kPassword, password);
      w.Click(IDOK);
    };
  }

  ScriptSteps steps;
  ScriptedBackend backend{steps};
  BackendScope use{backend};
  void* library = nullptr;
  APPLET_PROC entry = nullptr;
  std::string expectedFailure;
};

TEST_F(LaunchTest, FourWrongPasswordsEndAfterTheFourthShowingEachShowingThePreviousOne) {
  steps.Window(LogInWith("one"))
      .Window(LogInWith("two", "one"))
      .Window(LogInWith("three", "two"))
      .Window(LogInWith("four", "three"));
  EXPECT_EQ(DoubleClick(), 0);
  EXPECT_EQ(AdminFlag(), "0");
}

TEST_F(LaunchTest, ThreeWrongThenTheRightOneOpenTheSheetAndCancelReleasesTheLock) {
  steps.Window(LogInWith("one")).Window(LogInWith("two", "one")).Window(LogInWith("three", "two"));
  steps.Window(LogInWith("brelk", "three")).Window([&](ScriptedWindow& w) {
    EXPECT_EQ(w.Describe(), "sheet \"Veltrane Properties\"");
    EXPECT_EQ(AdminFlag(), "1");
    w.CloseSheet(false);
  });
  EXPECT_EQ(DoubleClick(), 0);
  EXPECT_EQ(AdminFlag(), "0");
}

TEST_F(LaunchTest, AnEmptyPasswordIsRefusedInTheDialogAndNeverReachesTheDatabase) {
  steps
      .Window([](ScriptedWindow& w) {
        w.Click(IDOK);
        EXPECT_FALSE(w.Ended());
        EXPECT_THROW(w.SetText(kUserName, "root"), ScriptError);  // the name is read-only
        w.Click(IDCANCEL);
      })
      .Message(IDOK);
  EXPECT_EQ(DoubleClick(), 0);
  ASSERT_EQ(steps.Messages().size(), 1u);
  EXPECT_EQ(steps.Messages()[0].caption, "Error");
  EXPECT_EQ(steps.Messages()[0].text, "Please specify password");
  EXPECT_EQ(steps.Messages()[0].style, MB_OK | MB_ICONINFORMATION);
  // Cancel on the first showing: no connection was made, so not even "admin" was created.
  EXPECT_EQ(db.QueryValue("SELECT COUNT(*) FROM Users"), "0");
}

TEST_F(LaunchTest, AConnectionFailureIsReportedAndTheDialogShownAgain) {
  SetConnectionString("Driver=SQLite3;Database=" + (registryRoot.Path() / "missing/none.db").string() + ";NoCreat=1");
  steps.Window(LogInWith("brelk")).Message(IDOK).Window([](ScriptedWindow& w) {
    EXPECT_EQ(w.Text(kPassword), "brelk");
    w.Cancel();
  });
  EXPECT_EQ(DoubleClick(), 0);
  ASSERT_EQ(steps.Messages().size(), 1u);
  EXPECT_EQ(steps.Messages()[0].caption, "Error!!");
}

TEST_F(LaunchTest, ARunThatStopsInsideTheSheetStillReleasesTheLockAndReturnsNormally) {
  steps.Window(LogInWith("brelk")).Window([](ScriptedWindow& w) { w.Click(4242); });
  expectedFailure = "sheet \"Veltrane Properties\": there is no control 4242";
  EXPECT_EQ(DoubleClick(), 0);
  EXPECT_EQ(AdminFlag(), "0");
}

}  // namespace
