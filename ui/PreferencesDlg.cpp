#include "ui/PreferencesDlg.h"

#include "framework/DataExchange.h"
#include "ui/TextLimits.h"

namespace {

enum : int {
  IDC_ANONYMOUS = 1000,
  IDC_FTP_PORT = 1033,
  IDC_MAX_CONNECTIONS = 1036,
  IDC_TIMEOUT = 1037,
  IDC_WELCOME = 1038,
  IDC_MAX_PER_IP = 1039,
  IDC_GOODBYE = 1040,
  IDC_MAX_PER_USER = 1041,
  IDC_CAPTION = 7029,
};

}  // namespace

CPreferencesDlg::CPreferencesDlg(CWnd* parent) : CDialog(IDD, parent) {}

void CPreferencesDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_ANONYMOUS, m_bAnonymous);
  DDX_Text(pDX, IDC_GOODBYE, m_strGoodbye);
  DDX_Text(pDX, IDC_WELCOME, m_strWelcome);
  DDX_Text(pDX, IDC_CAPTION, m_strCaption);
  DDX_Text(pDX, IDC_MAX_PER_IP, m_nMaxPerIp);
  DDX_Text(pDX, IDC_MAX_PER_USER, m_nMaxPerUser);
  DDX_Text(pDX, IDC_TIMEOUT, m_nTimeout);
  DDX_Text(pDX, IDC_MAX_CONNECTIONS, m_nMaxConnections);
  DDX_Text(pDX, IDC_FTP_PORT, m_nFtpPort);
}

BOOL CPreferencesDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  ShowValues(m_prefs);
  UpdateData(FALSE);
  return TRUE;
}

void CPreferencesDlg::OnOK() {
  if (!UpdateData(TRUE) || !MessagesFitColumns()) return;
  StoreValues(m_prefs);
  EndDialog(IDOK);
}

bool CPreferencesDlg::MessagesFitColumns() {
  const struct {
    int id;
    const std::string& text;
    const char* name;
  } fields[] = {{IDC_WELCOME, m_strWelcome, "Welcome Message"}, {IDC_GOODBYE, m_strGoodbye, "Goodbye Message"}};
  for (const auto& field : fields)
    if (!TextFitsColumn(this, field.text, field.name)) {
      GetDlgItem(field.id)->SetFocus();
      return false;
    }
  return true;
}
