#include "ui/FTPSheetPage.h"

#include "ui/FTPSheet.h"

CFTPSheetPage::CFTPSheetPage(UINT idTemplate, int pageBit) : CPropertyPage(idTemplate), m_pageBit(pageBit) {}

CFTPSheet* CFTPSheetPage::GetSheet() const { return dynamic_cast<CFTPSheet*>(GetParent()); }

BOOL CFTPSheetPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  CFTPSheet* sheet = GetSheet();
  m_pDatabase = sheet ? sheet->m_pDatabase : nullptr;
  if (!m_pDatabase) {
    EndDialog(IDCANCEL);
    return FALSE;
  }
  sheet->m_staleMask &= ~m_pageBit;
  return TRUE;
}

BOOL CFTPSheetPage::OnSetActive() {
  CFTPSheet* sheet = GetSheet();
  if (m_pDatabase && sheet && (sheet->m_staleMask & m_pageBit)) {
    sheet->m_staleMask &= ~m_pageBit;
    RefreshPage();
  }
  return CPropertyPage::OnSetActive();
}

void CFTPSheetPage::MarkOtherPagesStale() {
  if (CFTPSheet* sheet = GetSheet()) sheet->MarkOtherPagesStale(m_pageBit);
}
