#include "ui/FTPSheetPage.h"

CFTPSheetPage::CFTPSheetPage(UINT idTemplate, PageBit pageBit, ConfigDatabase* database,
                             StalePageMask& stalePages)
    : CPropertyPage(idTemplate), m_pDatabase(database), m_pageBit(pageBit), m_stalePages(stalePages) {}

BOOL CFTPSheetPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  if (!m_pDatabase) {
    EndDialog(IDCANCEL);
    return FALSE;
  }
  m_stalePages.m_staleMask &= ~m_pageBit;
  return TRUE;
}

BOOL CFTPSheetPage::OnSetActive() {
  if (m_pDatabase && (m_stalePages.m_staleMask & m_pageBit)) {
    m_stalePages.m_staleMask &= ~m_pageBit;
    RefreshPage();
  }
  return CPropertyPage::OnSetActive();
}

void CFTPSheetPage::MarkOtherPagesStale() { m_stalePages.m_staleMask = kAllPageBits & ~m_pageBit; }

void CFTPSheetPage::MarkThisPageStale() { m_stalePages.m_staleMask |= m_pageBit; }
