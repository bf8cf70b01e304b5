#include "applet/LogInDlg.h"

#include "framework/DataExchange.h"

namespace {
constexpr UINT kTemplateId = 7019;
constexpr int kPasswordId = 1013;
constexpr int kUserNameId = 1028;
}  // namespace

CLogInDlg::CLogInDlg() : CDialog(kTemplateId) {}

void CLogInDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, kPasswordId, m_password);
  DDX_Text(pDX, kUserNameId, m_userName);
}

void CLogInDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (m_password.empty()) {
    MessageBox("Please specify password", "Error", MB_OK | MB_ICONINFORMATION);
    return;
  }
  EndDialog(IDOK);
}
