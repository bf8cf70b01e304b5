// Every real dialog and page built by the Qt backend. With VELTRANE_SCREENSHOT_DIR set, each is
// saved there as a PNG for a look by eye (under xvfb-run with QT_QPA_PLATFORM=xcb for the real
// platform's rendering).

#include <QAbstractButton>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>

#include "framework/Dialog.h"
#include "framework/PropertySheet.h"
#include "res/ResourceIds.h"
#include "tests/framework/QtFixture.h"

namespace {

class RealTemplatesQtTest : public QtRealTemplatesFixture {
 protected:
  // Every control with an id of `tmpl` is in `window`, inside it: at its dialog-unit place and
  // size when the window has the template's size, and no smaller when it is a page that fills
  // a larger tab. A closed combo box is as high as its text, not its list.
  static void ExpectControlsInPlace(const res::DialogTemplate& tmpl, QWidget* window) {
    const bool templateSize = window->size() == TemplateSize(tmpl);
    for (const res::ControlTemplate& control : tmpl.controls) {
      if (control.id == res::IDC_STATIC) continue;
      SCOPED_TRACE(std::to_string(tmpl.id) + "/" + std::to_string(control.id));
      QWidget* widget = window->findChild<QWidget*>(QString::number(control.id));
      ASSERT_NE(widget, nullptr);
      QRect expected = TemplatePlace(tmpl, control);
      if (control.kind == res::ControlKind::ComboBox) expected.setHeight(widget->height());
      if (templateSize) {
        EXPECT_EQ(widget->geometry(), expected);
      } else {
        EXPECT_GE(widget->width(), expected.width());
        EXPECT_GE(widget->height(), expected.height());
      }
      EXPECT_TRUE(window->rect().contains(widget->geometry()));
    }
  }
};

TEST_F(RealTemplatesQtTest, EveryDialogBuildsWithItsControlsInPlace) {
  for (int id : {IDD_ADD_USER, IDD_ADD_VIRTUAL_SERVER, IDD_ADD_COMPUTER, IDD_PREFERENCES, IDD_LOG_IN,
                 IDD_CHANGE_PASSWORD}) {
    const res::DialogTemplate* tmpl = res::FindDialogTemplate(id);
    ASSERT_NE(tmpl, nullptr) << id;
    CDialog dialog(id);
    Later([&] {
      QWidget* window = QApplication::activeModalWidget();
      EXPECT_EQ(window->windowTitle().toStdString(), tmpl->caption);
      EXPECT_EQ(window->size(), TemplateSize(*tmpl));
      ExpectControlsInPlace(*tmpl, window);
      Screenshot(window, "dialog-" + QString::number(id));
      QTest::keyClick(window, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << id;
  }
}

// The sheet without Apply and Help: each page is made when its tab is first chosen, with its
// controls in place, and the About page shows its banner. Tab goes through a page in template
// order, then OK and Cancel, and starts on the page.
TEST_F(RealTemplatesQtTest, EveryPageIsMadeWhenItsTabIsFirstChosenAndTabGoesThroughItInTemplateOrder) {
  const int pages[] = {IDD_GENERAL, IDD_VIRTUAL_SERVERS, IDD_USERS, IDD_ABOUT};
  CPropertySheet sheet("Properties");
  CPropertyPage general(pages[0]), servers(pages[1]), users(pages[2]), about(pages[3]);
  for (CPropertyPage* page : {&general, &servers, &users, &about}) sheet.AddPage(page);
  sheet.m_psh.dwFlags = (sheet.m_psh.dwFlags & ~PSH_HASHELP) | PSH_NOAPPLYNOW;
  // Tab from the focus as often as `page` has stops (its enabled, writable tab stops in
  // template order, then OK and Cancel): where it stopped, and where it should have.
  const auto expectTabStops = [](int page) {
    QStringList expected, stops;
    for (const res::ControlTemplate& control : res::FindDialogTemplate(page)->controls)
      if ((control.style & res::WS_TABSTOP) && !(control.style & (res::WS_DISABLED | res::ES_READONLY)))
        expected << QString::number(control.id);
    expected << QString::number(IDOK) << QString::number(IDCANCEL);
    while (stops.size() < expected.size()) {
      QWidget* focus = QApplication::activeModalWidget()->focusWidget();
      stops << focus->objectName();
      QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(stops, expected) << page;
  };
  RunModal(sheet, IDCANCEL, [&](QWidget* window) {
    auto* tabs = window->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabText(3), "About");
    for (int id : {ID_APPLY_NOW, IDHELP})
      EXPECT_EQ(window->findChild<QWidget*>(QString::number(id)), nullptr);
    expectTabStops(IDD_GENERAL);
    EXPECT_EQ(window->focusWidget(), tabs->tabBar());
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(sheet.GetPage(i)->IsWindowCreated(), i == 0);
      tabs->setCurrentIndex(i);  // as a click on the tab does
      ExpectControlsInPlace(*res::FindDialogTemplate(pages[i]), tabs->widget(i));
      Screenshot(window, "sheet-tab" + QString::number(i));
    }
    tabs->setCurrentIndex(2);  // from the tab bar: the focus stays there
    QTest::keyClick(tabs->tabBar(), Qt::Key_Tab);
    expectTabStops(IDD_USERS);
    QLabel* banner = nullptr;
    for (QLabel* label : tabs->widget(3)->findChildren<QLabel*>())
      if (!label->pixmap().isNull()) banner = label;
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->pixmap().deviceIndependentSize(), QSizeF(300, 70));
  });
}

// Letters the template does not mark are chosen as the terminal form chooses them: the first
// free one starting a word, else the first free one.
TEST_F(RealTemplatesQtTest, EveryButtonCheckBoxAndFieldLabelHasAnAccessLetterThatWorks) {
  CDialog addUser(IDD_ADD_USER);
  Later([] {
    QWidget* dialog = QApplication::activeModalWidget();
    dialog->activateWindow();  // access letters act in the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    EXPECT_EQ(Find<QAbstractButton>(IDC_UPLOAD)->text(), "Up&load");
    EXPECT_EQ(Find<QAbstractButton>(IDCANCEL)->text(), "Ca&ncel");
    QTest::keyClick(dialog->focusWidget(), Qt::Key_P, Qt::AltModifier);  // "Password:"
    EXPECT_EQ(dialog->focusWidget(), Find<QWidget>(IDC_PASSWORD));
    QTest::keyClick(dialog->focusWidget(), Qt::Key_R, Qt::AltModifier);  // "Rename"
    EXPECT_TRUE(
        QTest::qWaitFor([] { return Find<QAbstractButton>(IDC_RENAME)->isChecked(); }));  // a short press
    QTest::keyClick(dialog->focusWidget(), Qt::Key_N, Qt::AltModifier);
  });
  EXPECT_EQ(addUser.DoModal(), IDCANCEL);
}

}  // namespace
