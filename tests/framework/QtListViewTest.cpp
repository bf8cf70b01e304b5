// A report-view list with real widgets: sorting by a header click leaves the page's row
// indices naming the rows it inserted, widths the user gave stay through refills and into the
// next run, Home and End select the ends, a refill keeps the selected row, the filter field
// applies its text at Enter, and a row the page selects is scrolled into view. The sort model
// alone: the order of texts and numbers, and rows added while sorted.

#include <algorithm>

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

#include "framework/Control.h"
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

  static QStringList Cells(const QAbstractItemModel& model, int column) {
    QStringList cells;
    for (int row = 0; row < model.rowCount(); ++row) cells << model.index(row, column).data().toString();
    return cells;
  }

  static QStringList ShownColumn(int column) { return Cells(*Table()->model(), column); }

  // Rows of `names` with `values` beside them and the value's number as item data.
  static void Fill(RecordDialog& dlg, const QStringList& names, const QStringList& values) {
    dlg.m_list.DeleteAllItems();
    for (int i = 0; i < names.size(); ++i) {
      const int row = dlg.m_list.InsertItem(i, names[i].toStdString());
      dlg.m_list.SetItemText(row, 1, values[i].toStdString());
      dlg.m_list.SetItemData(row, static_cast<DWORD_PTR>(values[i].toInt()));
    }
  }

  static int Selected(RecordDialog& dlg) { return dlg.m_list.GetNextItem(-1, LVNI_SELECTED); }

  static int CurrentRow() { return Table()->selectionModel()->currentIndex().row(); }

  // Whether the shown row is inside the visible part of the list.
  static bool Shown(int row) {
    QTableView* table = Table();
    return table->viewport()->rect().intersects(table->visualRect(table->model()->index(row, 0)));
  }

  ModuleResourceScope m_module{test_templates::Module()};
};

// The page's rows: four at first, then "user0" to "user999" with their numbers, which the page
// refills in its own order and whose first row it then selects, as the pages do after an edit.
TEST_F(QtListViewTest, SortingAndRefillsKeepThePagesRowIndicesTheWidthsAndTheSelectedRowInView) {
  RecordDialog dlg;
  QStringList names, numbers;
  for (int i = 0; i < 1000; ++i) numbers << QString::number(i);
  for (const QString& number : numbers) names << "user" + number;
  dlg.m_onInit = [](RecordDialog& d) {
    Fill(d, {"carol", "Bob", "alice", "dave"}, {"10", "9", "100", "-3"});
  };
  std::string chosen;
  dlg.m_onAdd = [&chosen](RecordDialog& d) {  // as a page's Delete does
    const int row = Selected(d);
    chosen = d.m_list.GetItemText(row, 0);
    d.m_list.DeleteItem(row);
  };
  const auto selectedName = [&dlg] { return dlg.m_list.GetItemText(Selected(dlg), 0); };
  int wider = 0;  // the name column's width, which the user gives
  QSize size;     // the window's
  RunModal(dlg, IDOK, [&](QWidget* window) {
    QTableView* table = Table();
    QHeaderView* header = table->horizontalHeader();
    // Sorted by a header click (numbers as numbers), the page's row indices still name its rows.
    ClickHeader(1);
    ClickHeader(1);
    EXPECT_EQ(ShownColumn(1), QStringList({"100", "10", "9", "-3"}));
    table->selectRow(2);  // as a click on it does
    Click(17);
    EXPECT_EQ(chosen, "Bob");

    // A width the user gave stays through a refill, and the last column fills the list.
    wider = header->sectionSize(0) + 40;
    header->resizeSection(0, wider);  // as dragging its edge does
    dlg.m_onAdd = [&](RecordDialog& d) { Fill(d, names, numbers); };
    Click(17);
    EXPECT_EQ(ShownColumn(1).first(2), QStringList({"999", "998"}));  // the new rows, still sorted
    EXPECT_EQ(header->sectionSize(0), wider);
    EXPECT_EQ(header->sectionPosition(1) + header->sectionSize(1), table->viewport()->width());

    // A refill in another order keeps the selected row by its item data, in view; once that row
    // is gone, the first row shown is selected.
    dlg.m_onAdd = [&](RecordDialog& d) {
      std::rotate(names.begin(), names.begin() + 1, names.end());
      std::rotate(numbers.begin(), numbers.begin() + 1, numbers.end());
      Fill(d, names, numbers);
      d.m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    };
    ClickHeader(0);
    ClickHeader(0);  // descending: user999 first
    table->selectRow(1);
    QTest::keyClick(table, Qt::Key_Home);  // Home and End select the first and last rows shown
    EXPECT_EQ(selectedName(), "user999");
    QTest::keyClick(table, Qt::Key_End);  // user0, far below
    Click(17);
    EXPECT_EQ(selectedName(), "user0");
    EXPECT_TRUE(Shown(CurrentRow()));
    EXPECT_EQ(ShownColumn(0).indexOf("user0"), CurrentRow());
    names.removeOne("user0");
    numbers.removeOne("0");
    Click(17);
    EXPECT_EQ(selectedName(), "user999");

    // The filter field opens below the rows, and what is typed there becomes the list's filter at
    // Enter (or after a pause in the typing), not at every key; Esc clears and closes it.
    QApplication::setActiveWindow(table->window());  // shortcuts work in the active window
    table->setFocus();
    QTest::keyClick(table, Qt::Key_F, Qt::ControlModifier);
    auto* filter = table->findChild<QLineEdit*>();
    ASSERT_TRUE(filter && filter->isVisible());
    EXPECT_GT(filter->geometry().top(), table->viewport()->geometry().bottom());
    QTest::keyClicks(filter, "user1");
    EXPECT_EQ(dlg.m_list.GetFilterText(), "");
    QTest::keyClick(filter, Qt::Key_Return);
    EXPECT_EQ(dlg.m_list.GetFilterText(), "user1");
    QTest::keyClick(filter, Qt::Key_Escape);
    EXPECT_EQ(dlg.m_list.GetFilterText(), "");
    EXPECT_EQ(table->viewport()->geometry().bottom(), table->contentsRect().bottom());

    // A row the page adds and selects (as its Add does) is scrolled into view: the last one.
    dlg.m_onAdd = [](RecordDialog& d) {
      d.m_list.SetItemState(d.m_list.InsertItem(d.m_list.GetItemCount(), "new"), LVIS_SELECTED,
                            LVIS_SELECTED);
    };
    Click(17);
    EXPECT_EQ(CurrentRow(), 999);
    EXPECT_TRUE(Shown(999));
    window->resize(window->size() + QSize(90, 70));  // as the user does, for the next run
    size = window->size();
  });

  // The window's size, the column widths and the sorting the user gave are there in the next run.
  RecordDialog again;
  RunModal(again, IDCANCEL, [&](QWidget* window) {
    EXPECT_EQ(window->size(), size);
    EXPECT_EQ(Table()->horizontalHeader()->sectionSize(0), wider);
    EXPECT_EQ(Table()->horizontalHeader()->sortIndicatorSection(), 0);
    EXPECT_EQ(Table()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
  });
}

// The sort model alone: texts sort with their numbers as numbers and addresses by their
// octets; rows added while sorted go into their places, equal cells keep the control's order,
// and the row the view holds on to stays on its control row.
TEST_F(QtListViewTest, TheSortModelPutsEachRowInItsPlaceAndTheHeldRowStaysOnItsRow) {
  Control control(16, res::ControlKind::ListView, 0, "");
  control.InsertColumn(0, {"Name"});
  ListModel model(control, nullptr);
  ListSortModel sorted(control, nullptr);
  sorted.setSourceModel(&model);
  const auto add = [&](const QStringList& names) {
    for (const QString& name : names) control.InsertRow(control.RowCount(), name.toStdString());
    EXPECT_FALSE(model.Update());
  };
  EXPECT_TRUE(model.Update());  // the column
  add({"k"});
  sorted.sort(0, Qt::DescendingOrder);
  const QPersistentModelIndex held = sorted.index(0, 0);
  add({"m", "b"});
  add({"Z", "a", "K", "m10", "m9"});
  EXPECT_EQ(Cells(sorted, 0), QStringList({"Z", "m10", "m9", "m", "k", "K", "b", "a"}));
  EXPECT_EQ(held.row(), 4);  // "k"

  const QStringList natural[][2] = {
      {{"home10", "home2", "Home1", "home100", "home02b"},
       {"Home1", "home2", "home02b", "home10", "home100"}},
      {{"10.0.0.12", "10.0.0.9", "9.255.0.1", "(local)", "10.0.10.1"},
       {"(local)", "9.255.0.1", "10.0.0.9", "10.0.0.12", "10.0.10.1"}},
  };
  sorted.sort(0, Qt::AscendingOrder);
  for (const auto& [cells, order] : natural) {
    control.ClearRows();
    EXPECT_TRUE(model.Update());
    add(cells);
    EXPECT_EQ(Cells(sorted, 0), order);
  }
}

}  // namespace
