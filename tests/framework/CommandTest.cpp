#include <random>

#include "framework/scripted/ScriptError.h"
#include "tests/framework/RecordDialog.h"
#include "tests/framework/ScriptedFixture.h"

namespace {

using CommandTest = ScriptedFixture;

// One record dialog walked through: what a script may not do, notifications and a timer's
// tick, the combo box's and the list's calls, then the controls let go when the window ends and are
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
        dlg.OnCommand(17, CBN_SELCHANGE);  // Add's id with another code: no "add"
        dlg.SetTimer(5, 1000, nullptr);
        w.FireTimer(5);

        CComboBox& combo = dlg.m_choice;                   // (local), 10.0.0.12, 10.0.0.1, Beta
        EXPECT_EQ(combo.SelectString(-1, "10.0.0.1"), 1);  // the first entry it begins
        EXPECT_EQ(combo.SelectString(-1, "bE"), 3);        // ignoring case
        EXPECT_EQ(combo.SelectString(-1, "gamma"), CB_ERR);
        EXPECT_EQ(combo.GetCurSel(), 3);  // unchanged by the miss
        EXPECT_EQ(combo.SetCurSel(9), CB_ERR);
        EXPECT_EQ(combo.GetCurSel(), CB_ERR);

        CListCtrl& list = dlg.m_list;  // columns Name, Value
        for (int i = 0; i < 3; ++i) {
          list.SetItemText(list.InsertItem(i, "row" + std::to_string(i)), 1, "v" + std::to_string(i));
          list.SetItemData(i, 100 + i);
        }
        w.SelectRow(16, 2);
        list.DeleteItem(0);  // the selected row moves up with its data
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
        EXPECT_EQ(list.GetItemData(1), 102u);
        list.DeleteItem(1);  // deleting the selected row leaves none selected
        EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
        list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        EXPECT_EQ(w.Selection(16), 0);

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
// rewritten, inserted and deleted anywhere, all read back as set.
TEST_F(CommandTest, AListKeepsEveryCellAndItemDataThroughManyChanges) {
  struct Row {
    std::string cells[2];
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
    }
    ASSERT_EQ(list.GetItemCount(), static_cast<int>(expected.size()));
    for (int row = 0; row < list.GetItemCount(); ++row) {
      for (int column = 0; column < 2; ++column)
        ASSERT_EQ(list.GetItemText(row, column), expected[row].cells[column])
            << "row " << row << " column " << column;
      ASSERT_EQ(list.GetItemData(row), expected[row].data) << "row " << row;
    }
    w.Click(IDCANCEL);
  });
  dlg.DoModal();
}

}  // namespace
