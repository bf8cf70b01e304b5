#pragma once
// Add Computer (template IDD_ADD_COMPUTER): adds a computer by name, renames one, or deletes
// one with everything configured under it (its virtual servers, their preference rows and
// their users), through the session; afterwards the caller looks only at m_bChanged.

#include "framework/ComboBox.h"
#include "framework/Dialog.h"

class ConfigDatabase;

class CAddComputerDlg : public CDialog {
 public:
  // `database` is the session the dialog changes; it must outlive the dialog.
  explicit CAddComputerDlg(ConfigDatabase& database, CWnd* parent = nullptr);

  CComboBox m_cbComputer;
  int m_bChanged = 0;  // 1 once a save or delete has run

  // "<New>" then the session's computers; selects "<New>".
  void FillComputerChoice();
  void ShowSelectedComputer();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  const CommandMap& GetCommandMap() const override;

 private:
  void OnSave();
  void OnDelete();
  // After a change: show the session's computers afresh.
  void ComputersChanged();
  int32_t SelectedKey() const;  // -1 when nothing is selected

  ConfigDatabase& m_database;
};
