#pragma once
// The configuration sheet "Veltrane Properties": the General, Virtual Servers, Users and
// About pages over the one database session, and the record of which pages must reload
// because another page changed the database.

#include <cstdint>
#include <string>

#include "framework/PropertySheet.h"
#include "ui/AboutPage.h"
#include "ui/GeneralPage.h"
#include "ui/SitePage.h"
#include "ui/UsersPage.h"

class ConfigDatabase;

class CFTPSheet : public CPropertySheet {
public:
  // The bits of m_staleMask, one per page that shows database contents.
  static constexpr int kGeneralPageBit = 1;
  static constexpr int kSitePageBit = 2;
  static constexpr int kUsersPageBit = 4;

  explicit CFTPSheet(const std::string& caption, CWnd* parent = nullptr, UINT selectPage = 0);

  // Hands the sheet the session and adds the pages (General, Virtual Servers, Users, About);
  // the sheet gets OK and Cancel only. Call before DoModal. A second call only replaces the
  // session: the pages are added once.
  void AttachDatabase(ConfigDatabase* database);

  // Called by the page whose bit is `changedPageBit` after it changed the database: the mask
  // becomes the bits of the two other pages. A value that is not exactly one page's bit
  // clears the mask.
  void MarkOtherPagesStale(int changedPageBit);

  int32_t m_staleMask = 0;                // pages that reload when next activated
  ConfigDatabase* m_pDatabase = nullptr;  // the session the pages take; not owned

private:
  CAboutPage m_aboutPage;
  CGeneralPage m_generalPage;
  CUsersPage m_usersPage;
  CSitePage m_sitePage;
};
