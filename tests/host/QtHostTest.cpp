// The Control Panel window and the applet with real widgets, offscreen: an applet is opened
// from the window, the administrator logs in, visits every tab and closes with OK. With
// VELTRANE_SCREENSHOT_DIR set, each window is saved there as a PNG to be looked at (run the
// program under xvfb-run with QT_QPA_PLATFORM=xcb to see the real platform's rendering).

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "db/RegistryKey.h"
#include "framework/Backend.h"
#include "framework/MessageBox.h"
#include "framework/qt/QtBackend.h"
#include "host/ControlPanel.h"
#include "host/ControlPanelWindow.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/TestDatabase.h"

namespace {

void Screenshot(QWidget* window, const QString& name) {
  if (const char* folder = std::getenv("VELTRANE_SCREENSHOT_DIR"))
    window->grab().save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
}

class QtHostTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "host_qt_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
  }

  void SetUp() override {
    setenv("VELTRANE_REGISTRY_ROOT", registryRoot.Path().c_str(), 1);
    RegistryKey key;
    ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvindel\\Veltrane Server"), ERROR_SUCCESS);
    ASSERT_EQ(key.SetValue(db.ConnectionString(), "ConnectionString"), ERROR_SUCCESS);
    ASSERT_TRUE(panel.Open(APPLET_LIBRARY)) << panel.LastError();
    // A step that goes wrong must not leave a window waiting for ever.
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
      ADD_FAILURE() << "a window was still open after 60 s";
      while (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->done(0);
    });
    watchdog.start(60000);
  }

  // Runs `step` once the event loop of the next modal window is running.
  static void Later(std::function<void()> step) { QTimer::singleShot(0, qApp, std::move(step)); }

  template <class W>
  static W* Find(int id) {
    QWidget* modal = QApplication::activeModalWidget();
    W* widget = modal ? modal->findChild<W*>(QString::number(id)) : nullptr;
    EXPECT_NE(widget, nullptr) << "control " << id;
    return widget;
  }

  static void Click(int id) { QTest::mouseClick(Find<QPushButton>(id), Qt::LeftButton); }

  std::string AdminFlag() const { return db.QueryValue("SELECT Flag FROM Users WHERE UserName = 'admin'"); }

  TemporaryFolder registryRoot;
  TestDatabase db{Engine::SQLite};
  QtBackend backend;
  BackendScope use{backend};
  ControlPanel panel;  // after the backend: the library unloads while the backend is current
  QTimer watchdog;
};

TEST_F(QtHostTest, EnterOnTheAppletLogsInToTheSheetAndOkClosesIt) {
  ControlPanelWindow window(panel);
  window.show();
  QListWidget* list = window.AppletList();
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), "Veltrane Server");
  EXPECT_EQ(list->item(0)->icon().availableSizes().value(0), QSize(32, 32));
  Screenshot(&window, "control-panel");

  bool sheetShown = false;
  Later([&] {
    QWidget* logIn = QApplication::activeModalWidget();
    ASSERT_NE(logIn, nullptr);
    EXPECT_EQ(logIn->windowTitle(), "Log In");
    EXPECT_EQ(Find<QLineEdit>(1028)->text(), "admin");
    EXPECT_TRUE(Find<QLineEdit>(1028)->isReadOnly());
    QLineEdit* password = Find<QLineEdit>(1013);
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    QTest::keyClicks(password, "brelk");
    Screenshot(logIn, "log-in");
    Later([&] {
      QWidget* sheet = QApplication::activeModalWidget();
      ASSERT_NE(sheet, nullptr);
      EXPECT_EQ(sheet->windowTitle(), "Veltrane Properties");
      EXPECT_EQ(AdminFlag(), "1");
      auto* tabs = sheet->findChild<QTabWidget*>();
      ASSERT_NE(tabs, nullptr);
      ASSERT_EQ(tabs->count(), 4);
      for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        Screenshot(sheet, "sheet-" + QString::number(tab));
      }
      sheetShown = true;
      Click(IDOK);
    });
    Click(IDOK);
  });
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Return);

  EXPECT_TRUE(sheetShown);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(AdminFlag(), "0");
}

TEST_F(QtHostTest, ADoubleClickOpensTheAppletAndCancelEndsIt) {
  ControlPanelWindow window(panel);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QListWidget* list = window.AppletList();
  bool logInShown = false;
  Later([&] {
    logInShown = QApplication::activeModalWidget() && QApplication::activeModalWidget()->windowTitle() == "Log In";
    Click(IDCANCEL);
  });
  // A double-click is a press and release, then a second press that the view takes as one.
  const QPoint centre = list->visualItemRect(list->item(0)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
  EXPECT_TRUE(logInShown);
  EXPECT_EQ(db.QueryValue("SELECT COUNT(*) FROM Users"), "0");  // never connected
}

}  // namespace
