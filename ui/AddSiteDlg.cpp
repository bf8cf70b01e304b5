#include "ui/AddSiteDlg.h"

#include "framework/DataExchange.h"
#include "ui/TextLimits.h"

namespace {

constexpr UINT kTemplateId = 7013;
constexpr int IDC_ADDRESS = 7008;
constexpr int IDC_DESCRIPTION = 7009;

}  // namespace

CAddSiteDlg::CAddSiteDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

void CAddSiteDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_DESCRIPTION, m_strDescription);
  DDX_Text(pDX, IDC_ADDRESS, m_strAddress);
}

void CAddSiteDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (!TextFitsColumn(this, m_strAddress, "Server IP Address") ||
      !TextFitsColumn(this, m_strDescription, "Description"))
    return;
  EndDialog(IDOK);
}
