// Every real dialog and page built by the Qt backend, at its template's size and larger: the
// sheet and the dialogs that hold a list grow, their lists with them, and the controls below
// and beside a list follow its edge; other dialogs keep their size. With
// VELTRANE_SCREENSHOT_DIR set, each is saved there as a PNG for a look by eye (under xvfb-run
// with QT_QPA_PLATFORM=xcb for the real platform's rendering).

#include <algorithm>

#include <QAbstractButton>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include "framework/Dialog.h"
#include "framework/PropertySheet.h"
#include "framework/qt/DialogUnits.h"
#include "res/ResourceIds.h"
#include "tests/framework/QtFixture.h"

namespace {

class RealTemplatesQtTest : public QtRealTemplatesFixture {
 protected:
  static QSize TemplateSize(int dialog) {
    const res::DialogTemplate& tmpl = *res::FindDialogTemplate(dialog);
    return DialogUnits::ForFont(TemplateFont(tmpl)).ToPixels(tmpl.cx, tmpl.cy);
  }

  // The place control `id` of template `dialog` has at the template's size (a combo box with
  // its list).
  static QRect TemplatePlace(int dialog, int id) {
    const res::DialogTemplate& tmpl = *res::FindDialogTemplate(dialog);
    const auto control = std::find_if(tmpl.controls.begin(), tmpl.controls.end(),
                                      [id](const res::ControlTemplate& c) { return c.id == id; });
    return DialogUnits::ForFont(TemplateFont(tmpl)).ToPixels(control->rect);
  }

  // Every control with an id of template `dialog` is in `window`, inside it: at its place and
  // size when the window has the template's size, and no smaller when it is a page that fills
  // a larger tab. A closed combo box is as high as its text, not its list.
  static void ExpectControlsInPlace(int dialog, QWidget* window) {
    const bool templateSize = window->size() == TemplateSize(dialog);
    for (const res::ControlTemplate& control : res::FindDialogTemplate(dialog)->controls) {
      if (control.id == res::IDC_STATIC) continue;
      SCOPED_TRACE(std::to_string(dialog) + "/" + std::to_string(control.id));
      QWidget* widget = window->findChild<QWidget*>(QString::number(control.id));
      ASSERT_NE(widget, nullptr);
      QRect expected = TemplatePlace(dialog, control.id);
      if (control.kind == res::ControlKind::ComboBox) expected.setHeight(widget->height());
      if (templateSize)
        EXPECT_EQ(widget->geometry(), expected);
      else
        EXPECT_EQ(widget->size().expandedTo(expected.size()), widget->size());  // no smaller
      EXPECT_TRUE(window->rect().contains(widget->geometry()));
    }
  }

  enum class Side { Below, Beside };

  // On `window` of template `id`, larger than its template: the list grew by all of it (a
  // drop-down list in width), the follower on `side` of it moved down or right by as much,
  // `fixed` kept its place.
  static void ExpectGrown(QWidget* window, int id, int list, int follower, Side side, int fixed) {
    SCOPED_TRACE(id);
    const QSize extra = window->size() - TemplateSize(id);
    const QPoint move = side == Side::Below ? QPoint(0, extra.height()) : QPoint(extra.width(), 0);
    const auto placed = [window](int id) {
      return window->findChild<QWidget*>(QString::number(id))->geometry();
    };
    EXPECT_EQ(placed(list).width(), TemplatePlace(id, list).width() + extra.width());
    if (window->findChild<QTableView*>(QString::number(list))) {
      EXPECT_EQ(placed(list).height(), TemplatePlace(id, list).height() + extra.height());
    }
    EXPECT_EQ(placed(follower).topLeft(), TemplatePlace(id, follower).topLeft() + move);
    EXPECT_EQ(placed(fixed).topLeft(), TemplatePlace(id, fixed).topLeft());
  }
};

TEST_F(RealTemplatesQtTest, EveryDialogBuildsWithItsControlsInPlaceAndGrowsOnlyWithAList) {
  for (int id : {IDD_ADD_USER, IDD_ADD_VIRTUAL_SERVER, IDD_ADD_COMPUTER, IDD_PREFERENCES, IDD_LOG_IN,
                 IDD_CHANGE_PASSWORD}) {
    CDialog dialog(id);
    Later([&] {
      QWidget* window = QApplication::activeModalWidget();
      EXPECT_EQ(window->windowTitle().toStdString(), res::FindDialogTemplate(id)->caption);
      EXPECT_EQ(window->size(), TemplateSize(id));
      ExpectControlsInPlace(id, window);
      // A dialog without a list keeps its size, and one with a drop-down list grows only in
      // width: the name list widens, Delete follows, Close stays.
      if (id == IDD_LOG_IN) {
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
      }
      if (id == IDD_ADD_COMPUTER) {
        EXPECT_EQ(window->minimumHeight(), window->maximumHeight());
        window->resize(window->width() + 100, window->height());
        ExpectGrown(window, id, IDC_COMPUTER_CHOICE, IDC_DELETE_COMPUTER, Side::Beside, IDOK);
        EXPECT_EQ(Find<QWidget>(IDC_COMPUTER_NAME)->width(),
                  TemplatePlace(id, IDC_COMPUTER_NAME).width() + 100);
      }
      QTest::keyClick(window, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << id;
  }
}

// The sheet without Apply and Help: each page is made when its tab is first chosen, with its
// controls in place, and the About page shows its banner. Tab goes through a page in template
// order, then OK and Cancel, and starts on the page. Resized, the sheet grows with its pages.
TEST_F(RealTemplatesQtTest, EveryPageIsMadeWhenItsTabIsFirstChosenTabGoesThroughItInOrderAndItGrows) {
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
  // Chooses tab `i` as a click on it does: the page is made only now, its controls in place.
  const auto choose = [&](QTabWidget* tabs, int i) {
    EXPECT_FALSE(sheet.GetPage(i)->IsWindowCreated()) << i;
    tabs->setCurrentIndex(i);
    ExpectControlsInPlace(pages[i], tabs->widget(i));
  };
  RunModal(sheet, IDCANCEL, [&](QWidget* window) {
    auto* tabs = window->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabText(3), "About");
    ExpectControlsInPlace(IDD_GENERAL, tabs->widget(0));
    expectTabStops(IDD_GENERAL);
    EXPECT_EQ(window->focusWidget(), tabs->tabBar());
    choose(tabs, 3);
    QLabel* banner = nullptr;
    for (QLabel* label : tabs->widget(3)->findChildren<QLabel*>())
      if (!label->pixmap().isNull()) banner = label;
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->pixmap().deviceIndependentSize(), QSizeF(300, 70));
    choose(tabs, 2);  // from the tab bar: the focus stays there
    QTest::keyClick(tabs->tabBar(), Qt::Key_Tab);
    expectTabStops(IDD_USERS);

    // General has no list: its drop-down lists and text fields share the extra width line by
    // line, so the fields of a line keep their proportions and every line ends where the
    // widest does; a label between two fields keeps its gap to the one it names.
    QWidget* page = tabs->widget(0);
    const auto placed = [page](int id) { return page->findChild<QWidget*>(QString::number(id))->geometry(); };
    QLabel* ipLabel = nullptr;
    for (QLabel* label : page->findChildren<QLabel*>())
      if (QString(label->text()).remove(u'&') == "Max. connections/IP:") ipLabel = label;
    ASSERT_NE(ipLabel, nullptr);
    const auto ipLabelGap = [&] { return placed(IDC_SHOWN_MAX_PER_IP).left() - ipLabel->geometry().right(); };
    const int gap = ipLabelGap();
    EXPECT_GT(gap, 1);
    EXPECT_EQ(window->minimumSize(), window->size());
    window->resize(window->size() + QSize(201, 120));
    tabs->setCurrentIndex(0);  // a page takes the tab's size when shown
    const int extra = page->width() - TemplateSize(IDD_GENERAL).width();
    ASSERT_GT(extra, 200);
    const std::pair<int, double> shares[] = {{IDC_GENERAL_COMPUTER, 1},
                                             {IDC_SHOWN_WELCOME, 1},
                                             {IDC_SHOWN_MAX_CONNECTIONS, 0.5},
                                             {IDC_SHOWN_MAX_PER_IP, 0.5}};
    for (const auto& [id, share] : shares)
      EXPECT_NEAR(placed(id).width(), TemplatePlace(IDD_GENERAL, id).width() + share * extra, 1) << id;
    EXPECT_EQ(placed(IDC_SHOWN_MAX_PER_IP).right(), placed(IDC_SHOWN_WELCOME).right());
    EXPECT_EQ(ipLabelGap(), gap);

    // Users: Add below the list; the computer combo above it stays.
    tabs->setCurrentIndex(2);
    ExpectGrown(tabs->widget(2), IDD_USERS, IDC_USER_LIST, IDC_ADD_USER, Side::Below, IDC_COMPUTER);
    // Virtual Servers, made at the larger size: Add beside the list, inside the frame that
    // grows with it.
    choose(tabs, 1);
    ExpectGrown(tabs->widget(1), IDD_VIRTUAL_SERVERS, IDC_SERVER_LIST, IDC_ADD_SERVER, Side::Beside,
                IDC_COMPUTER);
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
    QTest::keyClick(dialog->focusWidget(), Qt::Key_P, Qt::AltModifier);  // "Password:"
    EXPECT_EQ(dialog->focusWidget(), Find<QWidget>(IDC_PASSWORD));
    QTest::keyClick(dialog->focusWidget(), Qt::Key_R, Qt::AltModifier);  // "Rename"
    EXPECT_TRUE(
        QTest::qWaitFor([] { return Find<QAbstractButton>(IDC_RENAME)->isChecked(); }));  // a short press
    QTest::keyClick(dialog->focusWidget(), Qt::Key_N, Qt::AltModifier);                   // "Ca&ncel"
  });
  EXPECT_EQ(addUser.DoModal(), IDCANCEL);
}

}  // namespace
