#pragma once
// Edit Preferences (template IDD_PREFERENCES): the eight preferences of one virtual server.
// The caller fills m_prefs and the caption line, runs the dialog, and on IDOK reads m_prefs
// back and stores it; the dialog itself never touches the database.

#include <string>

#include "db/PreferenceSet.h"
#include "framework/Dialog.h"
#include "ui/PreferenceFields.h"

class CPreferencesDlg : public CDialog, public PreferenceFields {
 public:
  explicit CPreferencesDlg(CWnd* parent = nullptr);

  std::string m_strCaption;  // "Preferences for <address>", set by the caller
  PreferenceSet m_prefs;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  // The messages must fit their columns; a refusal leaves the focus on the field.
  bool MessagesFitColumns();
};
