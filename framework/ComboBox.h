#pragma once
// CComboBox: a drop-down list combo box whose entries carry item data. Indexes are 0-based;
// CB_ERR marks a failure or no selection.

#include <string>

#include "framework/Wnd.h"

class CComboBox : public CWnd {
 public:
  int AddString(const std::string& text);                // appends; returns the index
  int InsertString(int index, const std::string& text);  // -1 appends
  int GetCount() const;
  void ResetContent();
  int SetItemData(int index, DWORD_PTR data);  // CB_ERR for a bad index
  DWORD_PTR GetItemData(int index) const;      // CB_ERR for a bad index
  int GetCurSel() const;
  int SetCurSel(int index);  // -1 or a bad index clears the selection and answers CB_ERR
  // The entry's text into `text`; returns its length, or CB_ERR for a bad index.
  int GetLBText(int index, std::string& text) const;
  // Selects the first entry after `startAfter` (wrapping; -1 searches all) whose text begins
  // with `text`, ignoring case. Returns its index, or CB_ERR with the selection unchanged.
  int SelectString(int startAfter, const std::string& text);
};
