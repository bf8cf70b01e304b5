#include "framework/ComboBox.h"

#include "framework/Control.h"

int CComboBox::AddString(const std::string& text) { return InsertString(-1, text); }

int CComboBox::InsertString(int index, const std::string& text) {
  Control* control = GetControl();
  if (!control || index > control->RowCount()) return CB_ERR;
  if (index < 0) index = control->RowCount();
  control->InsertRow(index, text);
  return index;
}

int CComboBox::GetCount() const {
  const Control* control = GetControl();
  return control ? control->RowCount() : CB_ERR;
}

void CComboBox::ResetContent() {
  if (Control* control = GetControl()) control->ClearRows();
}

int CComboBox::SetItemData(int index, DWORD_PTR data) {
  Control* control = GetControl();
  if (!control || !control->HasRow(index)) return CB_ERR;
  control->SetRowData(index, data);
  return 0;
}

DWORD_PTR CComboBox::GetItemData(int index) const {
  const Control* control = GetControl();
  if (!control || !control->HasRow(index)) return static_cast<DWORD_PTR>(CB_ERR);
  return control->RowData(index);
}

int CComboBox::GetCurSel() const {
  const Control* control = GetControl();
  return control ? control->Selection() : CB_ERR;
}

int CComboBox::SetCurSel(int index) {
  Control* control = GetControl();
  if (!control) return CB_ERR;
  control->SetSelection(index);
  return control->HasRow(index) ? index : CB_ERR;
}

int CComboBox::GetLBText(int index, std::string& text) const {
  const Control* control = GetControl();
  if (!control || !control->HasRow(index)) return CB_ERR;
  text = control->Cell(index, 0);
  return static_cast<int>(text.size());
}

int CComboBox::SelectString(int startAfter, const std::string& text) {
  Control* control = GetControl();
  if (!control) return CB_ERR;
  const int found = control->FindRowWithPrefix(startAfter, text);
  if (found >= 0) control->SetSelection(found);
  return found;
}
