// The Qt backend with real widgets over the Record dialog: the template's styles, the user's
// input, the handlers' changes, refusals, message boxes, the folder chooser, and a kept size
// larger than the screen. Its report-view list: sorting by a header click leaves the page's
// row indices naming the rows it inserted, widths the user gave stay through refills and into
// the next run, Home and End select the ends, a refill keeps the selected row, the filter
// field applies its text at Enter, and a row the page selects is scrolled into view. The sort
// model alone: the order of texts and numbers, and rows added while sorted.

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTableView>

#include "framework/Control.h"
#include "framework/Edit.h"
#include "framework/FolderBrowser.h"
#include "framework/qt/ListModel.h"
#include "framework/qt/ListSortModel.h"
#include "tests/framework/QtFixture.h"
#include "tests/framework/RecordDialog.h"
#include "tests/framework/TestTemplates.h"

namespace {

class QtBackendTest : public QtFixture {
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

// One dialog in which the template's styles, the user's input, the handlers' changes, a
// refused field, a message box and the folder chooser are each seen through real widgets. Its
// size was kept on a far larger screen: it opens within this one, and the kept size, left
// alone, is not written again.
TEST_F(QtBackendTest, TheDialogsStylesInputHandlersRefusalsAndBoxesWorkThroughItsWidgets) {
  const QString key = QStringLiteral("Windows/Dialog%1/Scale").arg(test_templates::kRecord);
  QSettings().setValue(key, QSizeF(40.0, 30.0));
  RecordDialog dlg;
  dlg.m_onInit = [](RecordDialog& d) {
    static_cast<CEdit*>(d.GetDlgItem(10))->SetReadOnly(TRUE);  // the first tab stop
    d.SetTimer(7, 5, nullptr);
  };
  dlg.m_onAdd = [](RecordDialog& d) { d.GetDlgItem(13)->SetWindowText("added \xC3\xA9"); };
  RunModal(dlg, IDOK, [&](QWidget* dialog) {
    EXPECT_TRUE(dialog->screen()->availableGeometry().contains(dialog->geometry()));
    // Timer ticks reach OnTimer.
    EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.m_log.size() >= 3; }, 5000));
    dlg.KillTimer(7);
    EXPECT_EQ(dlg.m_log, std::vector<std::string>(dlg.m_log.size(), "timer 7"));
    dlg.m_log.clear();

    // The template's styles become the widgets' properties; a read-only field looks read-only
    // and is left out of the tab order and the first focus.
    EXPECT_TRUE(Find<QLineEdit>(13)->isReadOnly());
    EXPECT_NE(Find<QLineEdit>(12)->validator(), nullptr);
    EXPECT_TRUE(Find<QPushButton>(IDOK)->isDefault());
    EXPECT_EQ(dialog->focusWidget(), Find<QLineEdit>(11));
    EXPECT_NE(Find<QLineEdit>(13)->palette().color(QPalette::Base),
              Find<QLineEdit>(12)->palette().color(QPalette::Base));
    Find<QLineEdit>(12)->setFocus();
    QTest::keyClick(Find<QLineEdit>(12), Qt::Key_Tab);
    EXPECT_EQ(dialog->focusWidget(), Find<QCheckBox>(14));

    // After a refused integer's message the focus is back on the field, wherever it was.
    QTest::keyClicks(Find<QLineEdit>(11), "12a");
    Later([] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Enter); });
    Click(IDOK);
    EXPECT_EQ(dialog->focusWidget(), Find<QLineEdit>(11));
    QTest::keyClick(Find<QLineEdit>(11), Qt::Key_A, Qt::ControlModifier);  // typing replaces "12a"
    QTest::keyClicks(Find<QLineEdit>(11), "42");

    // A handler's changes are shown (a list's rows in the list view test).
    Click(17);
    EXPECT_EQ(Find<QLineEdit>(13)->text(), QString::fromUtf8("added \xC3\xA9"));

    // The user's choices reach the handlers.
    QComboBox* combo = Find<QComboBox>(15);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    Click(14);
    EXPECT_EQ(dlg.m_log, (std::vector<std::string>{"add", "choice 10.0.0.12", "choice 10.0.0.1", "allow 1"}));

    // A message box shows its texts and answers the button clicked.
    Later([] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->windowTitle(), "Warning");
      EXPECT_EQ(box->text(), "Delete it?\n\nReally?");
      EXPECT_EQ(box->icon(), QMessageBox::Warning);
      EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
      box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(::MessageBox(nullptr, "Delete it?\n\nReally?", "Warning", MB_YESNO | MB_ICONEXCLAMATION), IDNO);

    // The folder chooser starts at the folder the field names or the nearest one above, and
    // answers the folder picked or nothing.
    const QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("kept/deeper"));
    const QString kept = root.path() + "/kept";
    const QString choosers[][3] = {// the field, where the chooser starts, the folder picked or none
                                   {kept, kept, kept + "/deeper"},
                                   {kept + "/missing/more", kept, {}},
                                   {"relative", QDir::homePath(), {}}};
    for (const auto& [field, first, picked] : choosers) {
      m_backend.Deliver([&] { dlg.GetDlgItem(10)->SetWindowText(field.toStdString()); });
      Later([&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->windowTitle(), "Select a Directory:");
        EXPECT_EQ(chooser->directory().absolutePath(), first) << field.toStdString();
        if (picked.isEmpty()) return chooser->reject();
        chooser->selectFile(picked);
        QMetaObject::invokeMethod(chooser, "accept");
      });
      EXPECT_EQ(BrowseForFolder(&dlg, "Select a Directory:", BIF_RETURNONLYFSDIRS),
                picked.isEmpty() ? std::nullopt : std::optional(picked.toStdString()));
    }
  });
  EXPECT_EQ(dlg.m_count, 42);
  EXPECT_EQ(dlg.m_allow, BST_CHECKED);
  EXPECT_EQ(QSettings().value(key).toSizeF(), QSizeF(40.0, 30.0));
}

// The page's rows: four at first, then "user0" to "user999" with their numbers, which the page
// refills in its own order and whose first row it then selects, as the pages do after an edit.
TEST_F(QtBackendTest, SortingAndRefillsKeepThePagesRowIndicesTheWidthsAndTheSelectedRowInView) {
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
TEST_F(QtBackendTest, TheSortModelPutsEachRowInItsPlaceAndTheHeldRowStaysOnItsRow) {
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
