#include "ui/ChangePasswordDlg.h"

#include "framework/DataExchange.h"
#include "res/ResourceIds.h"
#include "ui/PasswordCheck.h"

CChangePasswordDlg::CChangePasswordDlg(CWnd* parent) : CDialog(IDD_CHANGE_PASSWORD, parent) {}

void CChangePasswordDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_CONFIRM_PASSWORD, m_strConfirm);
  DDX_Text(pDX, IDC_PASSWORD, m_strPassword);
  DDX_Text(pDX, IDC_USER_NAME, m_strUserName);
}

void CChangePasswordDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (const char* refusal = PasswordRefusal(m_strPassword, m_strConfirm)) {
    MessageBox(refusal, "Invalid Value", MB_OK | MB_ICONINFORMATION);
    return;
  }
  EndDialog(IDOK);
}
