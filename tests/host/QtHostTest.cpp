// The Control Panel window and the applet with real widgets, offscreen: Enter on the applet
// opens it, the administrator logs in, and a termination signal closes the sheet. On a virtual X
// server, the program's window names its desktop entry and carries the applet's icon. With
// VELTRANE_SCREENSHOT_DIR set, each window is saved there as a PNG to be looked at (run the
// program under xvfb-run with QT_QPA_PLATFORM=xcb to see the real platform's rendering).

#include <unistd.h>

#include <csignal>
#include <string>
#include <utility>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>

#include "framework/MessageBox.h"
#include "host/ControlPanel.h"
#include "host/ControlPanelWindow.h"
#include "host/QuitOnTermination.h"
#include "platform/TerminationSignals.h"
#include "res/ResourceIds.h"
#include "tests/applet/AppletEnvironment.h"
#include "tests/framework/QtFixture.h"
#include "tests/support/ShellCommand.h"

namespace {

class QtHostTest : public QtFixture, public AppletEnvironment {};

// A program started beside the test, ended with SIGTERM when this goes.
struct Program : QProcess {
  ~Program() override {
    terminate();
    waitForFinished();
  }
};

std::string OutputOf(const std::string& command) { return RunShellCommand(command + " 2>/dev/null").output; }

// On a real X server: WM_CLASS names the desktop entry, which names it back in
// StartupWMClass, and the window carries the applet's icon at every installed size.
TEST(QtHostOnX, TheWindowNamesItsDesktopEntryAndCarriesTheAppletsIcon) {
  if (OutputOf("command -v Xvfb xprop").empty()) GTEST_SKIP() << "Xvfb and x11-utils are needed";
  EXPECT_EQ(OutputOf(std::string("grep -x 'StartupWMClass=.*' ") + DESKTOP_ENTRY),
            "StartupWMClass=veltrane-server\n");

  Program server;  // writes the number of the display it took to its output
  server.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
  ASSERT_TRUE(server.waitForReadyRead(60000)) << "Xvfb started no display";
  const std::string display = ":" + server.readLine().trimmed().toStdString();
  Program host;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const auto& [name, value] :
       {std::pair{"DISPLAY", display.c_str()}, {"QT_QPA_PLATFORM", "xcb"}, {"RESOURCE_NAME", ""}})
    environment.insert(name, value);
  host.setProcessEnvironment(environment);
  host.start(HOST_PROGRAM, {});
  const std::string xprop = "xprop -display " + display + " -name 'Control Panel' ";
  std::string wmClass;
  for (int attempt = 0; attempt < 300 && wmClass.empty(); ++attempt, usleep(100000))
    wmClass = OutputOf(xprop + "WM_CLASS");
  EXPECT_EQ(wmClass, "WM_CLASS(STRING) = \"veltrane-server\", \"veltrane-server\"\n");
  const std::string icons = OutputOf(xprop + "_NET_WM_ICON");
  for (const char* size : {"Icon (16 x 16)", "Icon (32 x 32)", "Icon (128 x 128)"})
    EXPECT_NE(icons.find(size), std::string::npos) << size;
}

// Enter on the applet opens Log In, and the administrator logs in to the sheet. A termination
// signal, raised in this process with the program's handlers installed, ends every modal loop,
// so the sheet closes with its session.
TEST_F(QtHostTest, EnterOnTheAppletLogsInToTheSheetAndATerminationSignalClosesItWithItsLock) {
  InstallTerminationHandlers();
  QuitOnTermination(*qApp);
  ControlPanel panel;  // opened once the fixture's backend is current, closed before it goes
  ASSERT_TRUE(panel.Open(APPLET_LIBRARY)) << panel.LastError();
  LauncherView view = MakeControlPanelWindow(panel);
  view.Show();
  QWidget* window = nullptr;
  for (QWidget* shown : QApplication::topLevelWidgets())
    if (shown->isVisible() && shown->windowTitle() == "Control Panel") window = shown;
  ASSERT_NE(window, nullptr);
  QListWidget* list = window->findChild<QListWidget*>();
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), "Veltrane Server");
  EXPECT_EQ(list->item(0)->icon().availableSizes().value(0), QSize(32, 32));
  EXPECT_EQ(window->findChild<QLabel*>()->text(), "Configuration Applet for Veltrane Server");

  bool signalled = false;
  Later([&] {
    QWidget* logIn = QApplication::activeModalWidget();
    ASSERT_NE(logIn, nullptr);
    EXPECT_EQ(logIn->windowTitle(), "Log In");
    QTest::keyClicks(Find<QLineEdit>(IDC_PASSWORD), "brelk");
    Later([&] {
      QWidget* sheet = QApplication::activeModalWidget();
      ASSERT_NE(sheet, nullptr);
      EXPECT_EQ(sheet->windowTitle(), "Veltrane Properties");
      EXPECT_EQ(AdminFlag(), "1");
      signalled = raise(SIGTERM) == 0;
    });
    Click(IDOK);
  });
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Return);

  EXPECT_TRUE(signalled && TerminationRequested());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(AdminFlag(), "0");
}

}  // namespace
