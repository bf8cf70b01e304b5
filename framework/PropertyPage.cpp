#include "framework/PropertyPage.h"

#include "framework/PropertySheet.h"

CPropertyPage::CPropertyPage(UINT idTemplate) : CDialog(idTemplate) {}

BOOL CPropertyPage::OnSetActive() {
  if (m_bFirstSetActive)
    m_bFirstSetActive = false;
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

void CPropertyPage::EndModalLoop(int result) {
  if (CWnd* sheet = GetParent()) sheet->EndModalLoop(result);
}

bool CPropertyPage::Create(CPropertySheet& sheet) {
  SetParentWnd(&sheet);
  if (!CreateFromTemplate()) return false;
  m_bFirstSetActive = true;
  OnInitDialog();
  return true;
}

void CPropertyPage::Destroy() { DestroyWindow(); }
