#include "framework/ListCtrl.h"

#include <algorithm>

#include "framework/Control.h"

int CListCtrl::InsertColumn(int column, const std::string& heading, int format, int width) {
  Control* control = GetControl();
  if (!control || column < 0) return -1;
  column = std::min(column, static_cast<int>(control->Columns().size()));
  control->InsertColumn(column, {heading, width, format});
  return column;
}

int CListCtrl::InsertItem(int item, const std::string& text) {
  Control* control = GetControl();
  if (!control || item < 0) return -1;
  item = std::min(item, control->RowCount());
  control->InsertRow(item, text);
  return item;
}

BOOL CListCtrl::SetItemText(int item, int subItem, const std::string& text) {
  Control* control = GetControl();
  if (!control || !control->HasRow(item) || subItem < 0) return FALSE;
  if (subItem > 0 && subItem >= static_cast<int>(control->Columns().size())) return FALSE;
  control->SetCell(item, subItem, text);
  return TRUE;
}

std::string CListCtrl::GetItemText(int item, int subItem) const {
  const Control* control = GetControl();
  if (!control || !control->HasRow(item) || subItem < 0) return {};
  return std::string(control->Cell(item, subItem));
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
  Control* control = GetControl();
  if (!control || !control->HasRow(item)) return FALSE;
  control->SetRowData(item, data);
  return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
  const Control* control = GetControl();
  return control && control->HasRow(item) ? control->RowData(item) : 0;
}

BOOL CListCtrl::DeleteItem(int item) {
  Control* control = GetControl();
  if (!control || !control->HasRow(item)) return FALSE;
  control->DeleteRow(item);
  return TRUE;
}

BOOL CListCtrl::DeleteAllItems() {
  Control* control = GetControl();
  if (!control) return FALSE;
  control->ClearRows();
  return TRUE;
}

int CListCtrl::GetItemCount() const {
  const Control* control = GetControl();
  return control ? control->RowCount() : 0;
}

int CListCtrl::GetNextItem(int item, int flags) const {
  const Control* control = GetControl();
  if (!control) return -1;
  const int from = std::max(item, -1);
  if (flags & LVNI_SELECTED) return control->Selection() > from ? control->Selection() : -1;
  return control->HasRow(from + 1) ? from + 1 : -1;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
  Control* control = GetControl();
  if (!control || !control->HasRow(item)) return FALSE;
  if (mask & LVIS_SELECTED) {
    if (state & LVIS_SELECTED)
      control->SetSelection(item);
    else if (control->Selection() == item)
      control->SetSelection(-1);
  }
  return TRUE;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const {
  const Control* control = GetControl();
  if (!control || !control->HasRow(item)) return 0;
  return (control->Selection() == item ? LVIS_SELECTED : 0) & mask;
}

DWORD CListCtrl::SetExtendedStyle(DWORD style) {
  Control* control = GetControl();
  if (!control) return 0;
  const DWORD previous = control->ExtendedStyle();
  control->SetExtendedStyle(style);
  return previous;
}

DWORD CListCtrl::GetExtendedStyle() const {
  const Control* control = GetControl();
  return control ? control->ExtendedStyle() : 0;
}

void CListCtrl::BeginFill(std::function<bool(int maxItems)> more) {
  if (Control* control = GetControl()) control->BeginFill(std::move(more));
}

BOOL CListCtrl::IsFilling() const {
  const Control* control = GetControl();
  return control && control->Filling();
}

void CListCtrl::FinishFill() {
  if (Control* control = GetControl()) control->FinishFill();
}

std::string CListCtrl::GetFilterText() const {
  const Control* control = GetControl();
  return control ? control->FilterText() : std::string();
}
