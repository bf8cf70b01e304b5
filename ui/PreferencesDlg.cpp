#include "ui/PreferencesDlg.h"

#include "framework/DataExchange.h"
#include "res/ResourceIds.h"
#include "ui/TextLimits.h"

namespace {

constexpr PreferenceControlIds kFieldIds = {IDC_FTP_PORT,     IDC_WELCOME,         IDC_GOODBYE,
                                            IDC_ANONYMOUS,    IDC_MAX_CONNECTIONS, IDC_MAX_PER_IP,
                                            IDC_MAX_PER_USER, IDC_TIMEOUT};

// What a refusal of a text field calls it, in the order of kPreferences; null for the others.
constexpr const char* kTextFieldNames[kPreferenceCount] = {
    nullptr, "Welcome Message", "Goodbye Message", nullptr, nullptr, nullptr, nullptr, nullptr};

}  // namespace

CPreferencesDlg::CPreferencesDlg(CWnd* parent) : CDialog(IDD_PREFERENCES, parent) {}

void CPreferencesDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_PREFERENCES_CAPTION, m_strCaption);
  ExchangeFields(pDX, kFieldIds);
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
  for (size_t i = 0; i < kPreferenceCount; ++i)
    if (kTextFieldNames[i] && !TextFitsColumn(this, m_texts[i], kTextFieldNames[i])) {
      GetDlgItem(kFieldIds[i])->SetFocus();
      return false;
    }
  return true;
}
