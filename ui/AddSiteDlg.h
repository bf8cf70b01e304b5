#pragma once
// CAddSiteDlg: the Add Virtual Server dialog (template IDD_ADD_VIRTUAL_SERVER), for adding a virtual
// server and for changing one: its IP address and description. It never touches the
// database; the caller reads both texts after IDOK.

#include <string>

#include "framework/Dialog.h"

class CAddSiteDlg : public CDialog {
 public:
  explicit CAddSiteDlg(CWnd* parent = nullptr);

  std::string m_strDescription;
  std::string m_strAddress;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // Empty texts are accepted; texts too long for their columns are refused.
  void OnOK() override;
};
