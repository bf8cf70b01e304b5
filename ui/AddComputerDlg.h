#pragma once
// Add Computer (template 7015): adds a computer by name, renames one, or deletes one with
// everything configured under it (its virtual servers, their preference rows and their
// users), through the session; afterwards the caller looks only at m_bChanged.

#include "framework/ComboBox.h"
#include "framework/Dialog.h"

class ConfigDatabase;

class CAddComputerDlg : public CDialog {
public:
  enum { IDD = 7015 };

  explicit CAddComputerDlg(CWnd* parent = nullptr);

  CComboBox m_cbComputer;
  ConfigDatabase* m_pDatabase = nullptr;  // set by the caller; not owned
  int m_bChanged = 0;                     // 1 once a save or delete has run

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
};
