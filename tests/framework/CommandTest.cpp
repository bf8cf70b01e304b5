#include <random>

#include "framework/scripted/ScriptError.h"
#include "tests/framework/RecordDialog.h"
#include "tests/framework/ScriptedFixture.h"

namespace {

using CommandTest = ScriptedFixture;

// One record dialog walked through: what a script may not do, notifications and timer ticks,
// the combo box's and the list's calls, then the controls let go when the window ends and are
// bound again in the next.
TEST_F(CommandTest, NotificationsReachTheirHandlersAndControlsFollowTheirEntries) {
  RecordDialog dlg;
  steps
      .Window([&](ScriptedWindow& w) {
        EXPECT_THROW(w.Click(18), ScriptError);            // disabled
        EXPECT_THROW(w.SetText(13, "x"), ScriptError);     // read-only
        EXPECT_THROW(w.SetText(12, "12a"), ScriptError);   // digits only
        EXPECT_THROW(w.Select(15, "gamma"), ScriptError);  // no such entry
        EXPECT_THROW(w.SelectRow(16, 0), ScriptError);     // no such row
        EXPECT_THROW(w.Click(4242), ScriptError);          // no such control
        w.SetText(12, "0123");

        w.Select(15, "beta");
        w.SetCheck(14, true);
        w.SetCheck(14, true);  // already on: no click
        w.Click(14);
        w.Click(17);
        EXPECT_FALSE(dlg.OnCommand(99, BN_CLICKED));
        EXPECT_FALSE(dlg.OnCommand(17, CBN_SELCHANGE));
        EXPECT_EQ(dlg.SetTimer(5, 1000, nullptr), 5u);  // ticks reach OnTimer only while it runs
        w.FireTimer(5);
        dlg.KillTimer(5);
        EXPECT_THROW(w.FireTimer(5), ScriptError);

        CComboBox& combo = dlg.m_choice;  // (local), 10.0.0.12, 10.0.0.1, Beta
        EXPECT_EQ(combo.SelectString(-1, "10.0.0.1"), 1);
        EXPECT_EQ(combo.SelectString(1, "10.0.0.1"), 2);
        EXPECT_EQ(combo.SelectString(2, "(LOCAL"), 0);  // wraps round, ignoring case
        EXPECT_EQ(combo.SelectString(-1, "gamma"), CB_ERR);
        EXPECT_EQ(combo.InsertString(0, "first"), 0);
        EXPECT_EQ(combo.GetCurSel(), 1);  // unchanged by the miss, moved with its entry
        EXPECT_EQ(combo.SetCurSel(9), CB_ERR);
        EXPECT_EQ(combo.GetCurSel(), CB_ERR);

        CListCtrl& list = dlg.m_list;  // columns Name, Value
        for (int i = 0; i < 3; ++i) {
          list.SetItemText(list.InsertItem(i, "row" + std::to_string(i)), 1, "v" + std::to_string(i));
          list.SetItemData(i, 100 + i);
        }
        EXPECT_FALSE(list.SetItemText(0, 2, "no such column"));
        w.SelectRow(16, 2);
        list.DeleteItem(0);  // the selected row moves up with its data
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
        EXPECT_EQ(list.GetItemData(1), 102u);
        list.DeleteItem(1);  // deleting the selected row leaves none selected
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
        list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        EXPECT_EQ(w.Selection(16), 0);
        list.InsertColumn(0, "First");  // cells move right with their column
        EXPECT_EQ(w.Cell(16, 0, 2), "v1");

        w.Cancel();  // reaches CDialog::OnCancel through the base map
        EXPECT_THROW(w.Click(17), ScriptError) << "closed";
      })
      .Window([](ScriptedWindow& w) {
        EXPECT_EQ(w.Count(15), 4) << "the combo box is filled afresh";
        w.Click(IDOK);
      });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.m_log, (std::vector<std::string>{"choice Beta", "allow 1", "allow 0", "add", "timer 5"}));
  EXPECT_EQ(dlg.m_choice.GetCount(), CB_ERR);
  EXPECT_EQ(dlg.m_list.InsertItem(0, "after"), -1);
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

// Rows are stored packed together: texts of every length (empty, long, larger than a block),
// rewritten, inserted and deleted anywhere, and a column inserted, all read back as set.
TEST_F(CommandTest, AListKeepsEveryCellAndItemDataThroughManyChanges) {
  struct Row {
    std::vector<std::string> cells = std::vector<std::string>(3);
    DWORD_PTR data = 0;
  };
  std::vector<Row> expected;
  std::minstd_rand random(7);
  const auto text = [&random] {
    static const size_t lengths[] = {0, 1, 13, 127, 128, 300, 70000};
    const size_t length = lengths[random() % std::size(lengths)];
    return std::string(length, static_cast<char>('a' + random() % 26)) + "\u00e9";
  };
  RecordDialog dlg;
  steps.Window([&](ScriptedWindow& w) {
    CListCtrl& list = dlg.m_list;  // columns Name, Value
    for (int step = 0; step < 4000; ++step) {
      const int count = list.GetItemCount();
      const int row = count ? static_cast<int>(random() % count) : 0;
      const int column = static_cast<int>(random() % 2);
      const int change = count < 50 ? 0 : static_cast<int>(random() % 4);
      if (change == 0) {
        expected.insert(expected.begin() + row, Row());
        list.InsertItem(row, expected[row].cells[0] = text());
      } else if (change == 1) {
        list.SetItemText(row, column, expected[row].cells[column] = text());
      } else if (change == 2) {
        list.SetItemData(row, expected[row].data = random());
      } else {
        expected.erase(expected.begin() + row);
        list.DeleteItem(row);
      }
      if (step == 2000) {
        list.InsertColumn(1, "Middle");
        for (Row& each : expected) each.cells = {each.cells[0], "", each.cells[1]};
      }
    }
    ASSERT_EQ(list.GetItemCount(), static_cast<int>(expected.size()));
    for (int row = 0; row < list.GetItemCount(); ++row) {
      for (int column = 0; column < 3; ++column)
        ASSERT_EQ(list.GetItemText(row, column), expected[row].cells[column])
            << "row " << row << " column " << column;
      ASSERT_EQ(list.GetItemData(row), expected[row].data) << "row " << row;
    }
    w.Click(IDCANCEL);
  });
  dlg.DoModal();
}

}  // namespace
