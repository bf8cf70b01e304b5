#pragma once
// The Log In dialog: the fixed user name, read-only, and the password, which OK refuses
// while it is empty.

#include <string>

#include "framework/Dialog.h"

class CLogInDlg : public CDialog {
 public:
  CLogInDlg();

  std::string m_password;  // control IDC_PASSWORD, shown masked
  std::string m_userName;  // control IDC_USER_NAME, read-only

  void OnOK() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
