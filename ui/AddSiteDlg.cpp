#include "ui/AddSiteDlg.h"

#include "framework/DataExchange.h"
#include "res/ResourceIds.h"
#include "ui/TextLimits.h"

CAddSiteDlg::CAddSiteDlg(CWnd* parent) : CDialog(IDD_ADD_VIRTUAL_SERVER, parent) {}

void CAddSiteDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_SERVER_DESCRIPTION, m_strDescription);
  DDX_Text(pDX, IDC_SERVER_ADDRESS, m_strAddress);
}

void CAddSiteDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (!TextFitsColumn(this, m_strAddress, "Server IP Address") ||
      !TextFitsColumn(this, m_strDescription, "Description"))
    return;
  EndDialog(IDOK);
}
