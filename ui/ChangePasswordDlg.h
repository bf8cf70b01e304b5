#pragma once
// CChangePasswordDlg: the Change Password dialog (template IDD_CHANGE_PASSWORD). Shows the account's name
// and takes a new password twice; the caller reads m_strPassword after IDOK and digests it.

#include <string>

#include "framework/Dialog.h"

class CChangePasswordDlg : public CDialog {
 public:
  explicit CChangePasswordDlg(CWnd* parent = nullptr);

  std::string m_strConfirm;
  std::string m_strPassword;
  std::string m_strUserName;  // shown only

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
};
