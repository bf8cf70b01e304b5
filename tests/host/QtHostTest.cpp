// The Control Panel window and the applet with real widgets, offscreen: Enter on the applet
// opens it, the administrator logs in, visits every tab and closes with OK. With
// VELTRANE_SCREENSHOT_DIR set, each window is saved there as a PNG to be looked at (run the
// program under xvfb-run with QT_QPA_PLATFORM=xcb to see the real platform's rendering).

#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

#include <cstdlib>

#include "framework/MessageBox.h"
#include "host/ControlPanel.h"
#include "host/ControlPanelWindow.h"
#include "tests/applet/AppletEnvironment.h"
#include "tests/framework/QtFixture.h"

namespace {

void Screenshot(QWidget* window, const QString& name) {
  if (const char* folder = std::getenv("VELTRANE_SCREENSHOT_DIR"))
    window->grab().save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
}

// The panel opens after the fixture's backend is current and closes before it goes.
class QtHostTest : public QtFixture, public AppletEnvironment {
protected:
  void SetUp() override { ASSERT_TRUE(panel.Open(APPLET_LIBRARY)) << panel.LastError(); }

  ControlPanel panel;
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

}  // namespace
