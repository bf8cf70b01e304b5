// Windows made larger than their templates: the sheet and the dialogs that hold a list grow,
// their lists with them, and the controls below and beside a list follow its edge; other
// dialogs keep their size. What the user resized is there again in the next run.

#include <algorithm>

#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>

#include "framework/Dialog.h"
#include "framework/PropertySheet.h"
#include "res/ResourceIds.h"
#include "tests/framework/QtFixture.h"
#include "tests/framework/RecordDialog.h"
#include "tests/framework/TestTemplates.h"

namespace {

class QtWindowGrowthTest : public QtRealTemplatesFixture {
 protected:
  // The place control `id` of template `dialog` has at the template's size.
  static QRect TemplatePlace(int dialog, int id) {
    const res::DialogTemplate& tmpl = *res::FindDialogTemplate(dialog);
    return QtRealTemplatesFixture::TemplatePlace(
        tmpl, *std::find_if(tmpl.controls.begin(), tmpl.controls.end(),
                            [id](const res::ControlTemplate& c) { return c.id == id; }));
  }

  enum class Side { Below, Beside };

  // On `window` of template `id`, larger than its template: the list grew by all of it (a
  // drop-down list in width), the follower on `side` of it moved down or right by as much,
  // `fixed` kept its place.
  static void ExpectGrown(QWidget* window, int id, int list, int follower, Side side, int fixed) {
    SCOPED_TRACE(id);
    const QSize extra = window->size() - TemplateSize(*res::FindDialogTemplate(id));
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

TEST_F(QtWindowGrowthTest, AResizedSheetGrowsEachListAndMovesTheControlsBelowAndBesideIt) {
  CPropertySheet sheet("Properties");
  CPropertyPage general(IDD_GENERAL), users(IDD_USERS), servers(IDD_VIRTUAL_SERVERS);
  for (CPropertyPage* page : {&general, &users, &servers}) sheet.AddPage(page);
  RunModal(sheet, IDCANCEL, [&](QWidget* window) {
    auto* tabs = window->findChild<QTabWidget*>();
    QWidget* page = tabs->widget(0);
    const auto placed = [page](int id) { return page->findChild<QWidget*>(QString::number(id))->geometry(); };
    QLabel* ipLabel = nullptr;
    for (QLabel* label : page->findChildren<QLabel*>())
      if (QString(label->text()).remove(u'&') == "Max. connections/IP:") ipLabel = label;
    ASSERT_NE(ipLabel, nullptr);
    const auto ipLabelGap = [&] { return placed(IDC_SHOWN_MAX_PER_IP).left() - ipLabel->geometry().right(); };
    const int gap = ipLabelGap();
    EXPECT_GT(gap, 1);
    const QSize smallest = window->size();
    EXPECT_EQ(window->minimumSize(), smallest);
    window->resize(smallest + QSize(201, 120));

    // General has no list: its drop-down lists and text fields share the extra width line by
    // line, so the fields of a line keep their proportions and every line ends where the
    // widest does; a label between two fields keeps its gap to the one it names.
    const int extra = page->width() - TemplateSize(*res::FindDialogTemplate(IDD_GENERAL)).width();
    ASSERT_GT(extra, 200);
    struct Case {
      int id;
      double share;
    };
    for (const Case& c :
         {Case{IDC_GENERAL_COMPUTER, 1}, Case{IDC_SHOWN_FTP_PORT, 1}, Case{IDC_SHOWN_WELCOME, 1},
          Case{IDC_SHOWN_MAX_CONNECTIONS, 0.5}, Case{IDC_SHOWN_MAX_PER_IP, 0.5}}) {
      EXPECT_NEAR(placed(c.id).width(), TemplatePlace(IDD_GENERAL, c.id).width() + c.share * extra, 1)
          << c.id;
    }
    EXPECT_EQ(placed(IDC_SHOWN_MAX_PER_IP).right(), placed(IDC_SHOWN_WELCOME).right());
    EXPECT_EQ(ipLabelGap(), gap);
    Screenshot(window, "general-grown");

    // Users: Add below the list; the computer combo above it stays.
    tabs->setCurrentIndex(1);
    ExpectGrown(tabs->widget(1), IDD_USERS, IDC_USER_LIST, IDC_ADD_USER, Side::Below, IDC_COMPUTER);
    // Virtual Servers: Add beside the list, inside the frame that grows with it.
    tabs->setCurrentIndex(2);
    ExpectGrown(tabs->widget(2), IDD_VIRTUAL_SERVERS, IDC_SERVER_LIST, IDC_ADD_SERVER, Side::Beside,
                IDC_COMPUTER);
    Screenshot(window, "sheet-grown");
  });
}

TEST_F(QtWindowGrowthTest, ADialogWithoutAListKeepsItsSizeAndOneWithADropDownListGrowsOnlyInWidth) {
  CDialog logIn(IDD_LOG_IN);
  RunModal(logIn, IDCANCEL, [](QWidget* window) { EXPECT_EQ(window->minimumSize(), window->maximumSize()); });
  CDialog addComputer(IDD_ADD_COMPUTER);
  RunModal(addComputer, IDOK, [](QWidget* window) {
    EXPECT_EQ(window->minimumHeight(), window->maximumHeight());
    window->resize(window->width() + 100, window->height());
    ExpectGrown(window, IDD_ADD_COMPUTER, IDC_COMPUTER_CHOICE, IDC_DELETE_COMPUTER, Side::Beside,
                IDOK);  // the name list widens, Delete follows, Close stays
    EXPECT_EQ(Find<QWidget>(IDC_COMPUTER_NAME)->width(),
              TemplatePlace(IDD_ADD_COMPUTER, IDC_COMPUTER_NAME).width() + 100);
  });
}

TEST_F(QtWindowGrowthTest, TheSizeColumnWidthsAndSortingTheUserGaveAreThereInTheNextRunWithinTheScreen) {
  ModuleResourceScope testModule(test_templates::Module());
  RecordDialog first, second, third;
  // A size kept on a far larger screen opens within this one, and is not written again when
  // the user leaves it alone.
  const QString key = QStringLiteral("Windows/Dialog%1/Scale").arg(test_templates::kRecord);
  QSettings().setValue(key, QSizeF(40.0, 30.0));
  RunModal(first, IDCANCEL, [](QWidget* window) {
    const QRect room = window->screen()->availableGeometry();
    EXPECT_LE(window->width(), room.width());
    EXPECT_LE(window->height(), room.height());
    EXPECT_TRUE(room.contains(window->geometry())) << window->geometry().x() << "," << window->geometry().y();
  });
  EXPECT_EQ(QSettings().value(key).toSizeF(), QSizeF(40.0, 30.0));
  QSettings().remove(key);

  QSize chosenSize;
  int chosenWidth = 0;
  RunModal(second, IDCANCEL, [&](QWidget* window) {
    window->resize(window->size() + QSize(90, 70));
    chosenSize = window->size();
    QHeaderView* header = Find<QTableView>(16)->horizontalHeader();
    chosenWidth = header->sectionSize(0) + 25;
    header->resizeSection(0, chosenWidth);
    Find<QTableView>(16)->sortByColumn(1, Qt::DescendingOrder);  // as two clicks on its header do
  });
  RunModal(third, IDCANCEL, [&](QWidget* window) {
    EXPECT_EQ(window->size(), chosenSize);
    const QHeaderView* header = Find<QTableView>(16)->horizontalHeader();
    EXPECT_EQ(header->sectionSize(0), chosenWidth);
    EXPECT_EQ(header->sortIndicatorSection(), 1);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
  });
}

}  // namespace
