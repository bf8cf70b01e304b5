#pragma once
// CListCtrl: a report-view list control with columns, item data and one selected row.
// Items are 0-based rows; sub-item 0 is the item's own text, sub-item n its column n.

#include <functional>
#include <string>

#include "framework/Wnd.h"

class CListCtrl : public CWnd {
 public:
  // Returns the new column's index, or -1.
  int InsertColumn(int column, const std::string& heading, int format = LVCFMT_LEFT, int width = -1);
  // Returns the new item's index (an index past the end appends), or -1.
  int InsertItem(int item, const std::string& text);
  BOOL SetItemText(int item, int subItem, const std::string& text);
  std::string GetItemText(int item, int subItem) const;  // empty for a bad index
  BOOL SetItemData(int item, DWORD_PTR data);
  DWORD_PTR GetItemData(int item) const;  // 0 for a bad index
  BOOL DeleteItem(int item);
  BOOL DeleteAllItems();
  int GetItemCount() const;
  // The next item after `item` (-1: from the start) that matches `flags` (LVNI_ALL or
  // LVNI_SELECTED); -1 when there is none.
  int GetNextItem(int item, int flags) const;
  // Sets the LVIS_SELECTED state where `mask` names it; LVIS_FOCUSED is accepted and ignored.
  BOOL SetItemState(int item, UINT state, UINT mask);
  UINT GetItemState(int item, UINT mask) const;
  DWORD SetExtendedStyle(DWORD style);  // returns the previous style
  DWORD GetExtendedStyle() const;

  // Incremental fill (Control::BeginFill): `more(n)` inserts up to n items and returns false
  // once it has none left; the backend shows the first ones at once and the rest as they
  // come, answering input meanwhile. DeleteAllItems ends a fill.
  void BeginFill(std::function<bool(int maxItems)> more);
  BOOL IsFilling() const;
  // Inserts every item still to come before it returns.
  void FinishFill();
  // The text the user typed to filter the list (LVN_FILTERCHANGED tells of a change).
  std::string GetFilterText() const;
};
