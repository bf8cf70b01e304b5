#include "ui/FTPSheet.h"

CFTPSheet::CFTPSheet(const std::string& caption, CWnd* parent, UINT selectPage)
    : CPropertySheet(caption, parent, selectPage) {}

void CFTPSheet::AttachDatabase(ConfigDatabase* database) {
  m_pDatabase = database;
  if (GetPageCount() > 0) return;
  AddPage(&m_generalPage);
  AddPage(&m_sitePage);
  AddPage(&m_usersPage);
  AddPage(&m_aboutPage);
  m_psh.dwFlags &= ~PSH_HASHELP;
  m_psh.dwFlags |= PSH_NOAPPLYNOW;
}

void CFTPSheet::MarkOtherPagesStale(int changedPageBit) {
  switch (changedPageBit) {
    case kGeneralPageBit:
      m_staleMask = kSitePageBit | kUsersPageBit;
      break;
    case kSitePageBit:
      m_staleMask = kGeneralPageBit | kUsersPageBit;
      break;
    case kUsersPageBit:
      m_staleMask = kGeneralPageBit | kSitePageBit;
      break;
    default:
      m_staleMask = 0;
      break;
  }
}
