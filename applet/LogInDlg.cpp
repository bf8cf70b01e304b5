#include "applet/LogInDlg.h"

#include "framework/DataExchange.h"
#include "res/ResourceIds.h"

namespace {
constexpr UINT kTemplateId = IDD_LOG_IN;
constexpr int kPasswordId = IDC_PASSWORD;
constexpr int kUserNameId = IDC_USER_NAME;
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
