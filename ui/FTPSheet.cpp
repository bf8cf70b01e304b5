#include "ui/FTPSheet.h"

#include "ui/AboutPage.h"
#include "ui/GeneralPage.h"
#include "ui/SitePage.h"
#include "ui/UsersPage.h"

CFTPSheet::CFTPSheet(const std::string& caption, CWnd* parent, UINT selectPage)
    : CPropertySheet(caption, parent, selectPage) {}

CFTPSheet::~CFTPSheet() = default;

void CFTPSheet::AttachDatabase(ConfigDatabase* database) {
  m_generalPage = std::make_unique<CGeneralPage>(database, m_stalePages);
  m_sitePage = std::make_unique<CSitePage>(database, m_stalePages);
  m_usersPage = std::make_unique<CUsersPage>(database, m_stalePages);
  m_aboutPage = std::make_unique<CAboutPage>();
  AddPage(m_generalPage.get());
  AddPage(m_sitePage.get());
  AddPage(m_usersPage.get());
  AddPage(m_aboutPage.get());
  m_psh.dwFlags &= ~PSH_HASHELP;
  m_psh.dwFlags |= PSH_NOAPPLYNOW;
}
