#pragma once
// Edit Preferences (template 7017): the eight preferences of one virtual server. The caller
// fills m_prefs and the caption line, runs the dialog, and on IDOK reads m_prefs back and
// stores it; the dialog itself never touches the database.

#include <string>

#include "db/PreferenceSet.h"
#include "framework/Dialog.h"
#include "ui/PreferenceFields.h"

class CPreferencesDlg : public CDialog, public PreferenceFields {
public:
  enum { IDD = 7017 };

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
