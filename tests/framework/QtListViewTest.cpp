// A report-view list with real widgets: sorting by a header click leaves the page's row
// indices naming the rows it inserted, widths the user gave stay through refills, Home and
// End select the ends, and a row the page selects is scrolled into view.

#include <algorithm>

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>

#include "framework/Control.h"
#include "framework/ModuleResources.h"
#include "framework/qt/ListModel.h"
#include "framework/qt/ListSortModel.h"
#include "tests/framework/QtFixture.h"
#include "tests/framework/RecordDialog.h"
#include "tests/framework/TestTemplates.h"

namespace {

class QtListViewTest : public QtFixture {
 protected:
  static QTableView* Table() { return Find<QTableView>(16); }

  static void ClickHeader(int column) {
    QHeaderView* header = Table()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
  }

  static QStringList ShownColumn(int column) {
    QStringList cells;
    const QAbstractItemModel* model = Table()->model();
    for (int row = 0; row < model->rowCount(); ++row) cells << model->index(row, column).data().toString();
    return cells;
  }

  static void ClickRow(int shownRow) {
    QTableView* table = Table();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualRect(table->model()->index(shownRow, 0)).center());
  }

  // Rows "name" and "value" with the row's first index as item data.
  static void Fill(RecordDialog& dlg, const std::vector<std::pair<std::string, std::string>>& rows) {
    dlg.m_list.DeleteAllItems();
    for (const auto& [name, value] : rows) {
      const int row = dlg.m_list.InsertItem(dlg.m_list.GetItemCount(), name);
      dlg.m_list.SetItemText(row, 1, value);
      dlg.m_list.SetItemData(row, static_cast<DWORD_PTR>(row));
    }
  }

  // Rows "user0" to "user999" with their numbers.
  static void FillThousand(RecordDialog& dlg) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (int i = 0; i < 1000; ++i) rows.push_back({"user" + std::to_string(i), std::to_string(i)});
    Fill(dlg, rows);
  }

  // Whether the shown row is inside the visible part of the list.
  static bool Shown(int row) {
    QTableView* table = Table();
    return table->viewport()->rect().intersects(table->visualRect(table->model()->index(row, 0)));
  }

  ModuleResourceScope m_module{test_templates::Module()};
};

TEST_F(QtListViewTest, SortedByEitherColumnThePageStillNamesTheRowShown) {
  RecordDialog dlg;
  dlg.m_onInit = [](RecordDialog& d) {
    Fill(d, {{"carol", "10"}, {"Bob", "9"}, {"alice", "100"}, {"dave", "-3"}});
  };
  std::string chosen;
  dlg.m_onAdd = [&chosen](RecordDialog& d) {  // as a page's Delete does
    const int row = d.m_list.GetNextItem(-1, LVNI_SELECTED);
    chosen = d.m_list.GetItemText(row, 0);
    d.m_list.DeleteItem(row);
  };
  Later([&] {
    ClickHeader(0);
    EXPECT_EQ(ShownColumn(0), QStringList({"alice", "Bob", "carol", "dave"}));
    ClickHeader(1);  // numbers, not text
    EXPECT_EQ(ShownColumn(1), QStringList({"-3", "9", "10", "100"}));
    ClickHeader(1);
    EXPECT_EQ(ShownColumn(1), QStringList({"100", "10", "9", "-3"}));

    ClickRow(2);
    EXPECT_EQ(dlg.m_list.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(dlg.m_list.GetItemData(1), 1u);
    Click(17);
    EXPECT_EQ(chosen, "Bob");
    EXPECT_EQ(ShownColumn(0), QStringList({"alice", "carol", "dave"}));  // still sorted
    Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(QtListViewTest, AWidthTheUserGaveStaysThroughARefillAndTheLastColumnFillsTheList) {
  RecordDialog dlg;
  dlg.m_onInit = [](RecordDialog& d) { Fill(d, {{"a", "1"}, {"b", "2"}}); };
  dlg.m_onAdd = [](RecordDialog& d) { Fill(d, {{"c", "3"}}); };
  Later([&] {
    QTableView* table = Table();
    QHeaderView* header = table->horizontalHeader();
    const int wider = header->sectionSize(0) + 40;
    header->resizeSection(0, wider);  // as dragging its edge does
    Click(17);
    EXPECT_EQ(ShownColumn(0), QStringList({"c"}));
    EXPECT_EQ(header->sectionSize(0), wider);
    EXPECT_EQ(header->sectionPosition(1) + header->sectionSize(1), table->viewport()->width());
    Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(QtListViewTest, HomeAndEndSelectTheFirstAndLastRowsShown) {
  RecordDialog dlg;
  dlg.m_onInit = FillThousand;
  Later([&] {
    QTableView* table = Table();
    ClickHeader(1);  // sorted as numbers: the control's order
    ClickRow(0);
    QTest::keyClick(table, Qt::Key_End);
    EXPECT_EQ(dlg.m_list.GetNextItem(-1, LVNI_SELECTED), 999);
    EXPECT_TRUE(Shown(999));
    QTest::keyClick(table, Qt::Key_Home);
    EXPECT_EQ(dlg.m_list.GetNextItem(-1, LVNI_SELECTED), 0);
    Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(QtListViewTest, ARowThePageSelectsIsScrolledIntoView) {
  RecordDialog dlg;
  dlg.m_onInit = FillThousand;
  dlg.m_onAdd = [](RecordDialog& d) {  // as a page's Add does with the new row
    const int row = d.m_list.InsertItem(d.m_list.GetItemCount(), "new");
    d.m_list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
  };
  Later([&] {
    ClickHeader(1);
    Click(17);
    EXPECT_EQ(dlg.m_list.GetNextItem(-1, LVNI_SELECTED), 1000);
    const int newRow = ShownColumn(0).indexOf("new");
    EXPECT_EQ(Table()->selectionModel()->currentIndex().row(), newRow);
    EXPECT_TRUE(Shown(newRow));
    Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(QtListViewTest, TextsSortWithTheirNumbersAsNumbersAndAddressesByTheirOctets) {
  struct Case {
    QStringList cells;
    QStringList sorted;
  };
  const Case cases[] = {
      {{"home10", "home2", "Home1", "home100", "home02b"},
       {"Home1", "home2", "home02b", "home10", "home100"}},
      {{"10.0.0.12", "10.0.0.9", "9.255.0.1", "(local)", "10.0.10.1"},
       {"(local)", "9.255.0.1", "10.0.0.9", "10.0.0.12", "10.0.10.1"}},
      {{"b", "a10", "A9", "a9x"}, {"A9", "a9x", "a10", "b"}},
  };
  for (const Case& c : cases) {
    RecordDialog dlg;
    dlg.m_onInit = [&c](RecordDialog& d) {
      std::vector<std::pair<std::string, std::string>> rows;
      for (const QString& cell : c.cells) rows.push_back({cell.toStdString(), ""});
      Fill(d, rows);
    };
    Later([&c] {
      Table()->sortByColumn(0, Qt::AscendingOrder);  // a click on the header toggles the order kept
      EXPECT_EQ(ShownColumn(0), c.sorted);
      Click(IDOK);
    });
    dlg.DoModal();
  }
}

// The filter field opens below the rows, and what is typed there becomes the list's filter at
// Enter (or after a pause in the typing), not at every key; Esc clears and closes it.
TEST_F(QtListViewTest, TheFilterFieldHidesNoRowAndAppliesItsTextAtEnterAndClearsAtEsc) {
  RecordDialog dlg;
  dlg.m_onInit = FillThousand;
  Later([&] {
    QTableView* table = Table();
    QApplication::setActiveWindow(table->window());  // shortcuts work in the active window
    table->setFocus();
    QTest::keyClick(table, Qt::Key_F, Qt::ControlModifier);
    auto* filter = table->findChild<QLineEdit*>();
    EXPECT_TRUE(filter && filter->isVisible());
    if (!filter) return Click(IDOK);
    EXPECT_GT(filter->geometry().top(), table->viewport()->geometry().bottom());
    QTest::keyClicks(filter, "user1");
    EXPECT_EQ(dlg.m_list.GetFilterText(), "");
    QTest::keyClick(filter, Qt::Key_Return);
    EXPECT_EQ(dlg.m_list.GetFilterText(), "user1");
    QTest::keyClicks(filter, "2");
    QTest::keyClick(filter, Qt::Key_Escape);
    EXPECT_EQ(dlg.m_list.GetFilterText(), "");
    EXPECT_FALSE(filter->isVisible());
    EXPECT_EQ(table->viewport()->geometry().bottom(), table->contentsRect().bottom());
    Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

// A list that fills while sorted: each batch of rows goes into its places, equal cells keep
// the control's order, and the row the view holds on to stays on its control row.
TEST_F(QtListViewTest, RowsAddedWhileSortedGoToTheirPlacesAndTheHeldRowStaysOnItsRow) {
  Control control(16, res::ControlKind::ListView, 0, "");
  control.InsertColumn(0, {"Name"});
  ListModel model(control, nullptr);
  ListSortModel sorted(control, nullptr);
  sorted.setSourceModel(&model);
  EXPECT_TRUE(model.Update());  // the column
  const auto add = [&](std::initializer_list<const char*> names) {
    for (const char* name : names) control.InsertRow(control.RowCount(), name);
    EXPECT_FALSE(model.Update());
  };
  const auto shown = [&sorted] {
    QStringList cells;
    for (int row = 0; row < sorted.rowCount(); ++row) cells << sorted.index(row, 0).data().toString();
    return cells;
  };
  add({"k"});
  sorted.sort(0, Qt::DescendingOrder);
  const QPersistentModelIndex held = sorted.index(0, 0);
  add({"m", "b"});
  add({"Z", "a", "K", "m10", "m9"});
  EXPECT_EQ(shown(), QStringList({"Z", "m10", "m9", "m", "k", "K", "b", "a"}));
  EXPECT_EQ(held.row(), 4);
  EXPECT_EQ(sorted.mapToSource(held).row(), 0);
  control.DeleteRow(1);  // "m": any other change is shown afresh, sorted again
  EXPECT_TRUE(model.Update());
  EXPECT_EQ(shown(), QStringList({"Z", "m10", "m9", "k", "K", "b", "a"}));
}

// The page refills the list in its own order and selects its first row, as the pages do after
// an edit.
TEST_F(QtListViewTest, ARefillKeepsTheSelectedRowByItsItemDataAndInViewOrSelectsTheFirstShown) {
  RecordDialog dlg;
  std::vector<std::pair<std::string, std::string>> rows;
  dlg.m_onInit = [&rows](RecordDialog& d) {
    for (int i = 0; i < 1000; ++i) rows.push_back({"user" + std::to_string(i), std::to_string(i)});
    Fill(d, rows);
  };
  dlg.m_onAdd = [&rows](RecordDialog& d) {
    std::rotate(rows.begin(), rows.begin() + 1, rows.end());  // item data follows the position
    d.m_list.DeleteAllItems();
    for (const auto& [name, value] : rows) {
      const int row = d.m_list.InsertItem(d.m_list.GetItemCount(), name);
      d.m_list.SetItemData(row, static_cast<DWORD_PTR>(std::stoi(value)));
    }
    d.m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  };
  const auto selectedName = [&dlg] {
    return dlg.m_list.GetItemText(dlg.m_list.GetNextItem(-1, LVNI_SELECTED), 0);
  };
  Later([&] {
    ClickHeader(0);
    ClickHeader(0);  // descending: user999 first
    ClickRow(0);
    QTest::keyClick(Table(), Qt::Key_End);  // user0, far below
    EXPECT_EQ(selectedName(), "user0");
    Click(17);
    EXPECT_EQ(selectedName(), "user0");
    EXPECT_TRUE(Shown(Table()->selectionModel()->currentIndex().row()));
    EXPECT_EQ(ShownColumn(0).indexOf("user0"), Table()->selectionModel()->currentIndex().row());

    rows.erase(std::find(rows.begin(), rows.end(), std::pair<std::string, std::string>("user0", "0")));
    Click(17);
    EXPECT_EQ(selectedName(), "user999");  // gone: the first row shown
    Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

}  // namespace
