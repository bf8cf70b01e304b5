#pragma once
// The configuration sheet "Veltrane Properties": the General, Virtual Servers, Users and
// About pages over the one database session, and the mask of the pages that must reload
// because another page changed the database.

#include <memory>
#include <string>

#include "framework/PropertySheet.h"
#include "ui/FTPSheetPage.h"

class CAboutPage;
class CGeneralPage;
class CSitePage;
class CUsersPage;
class ConfigDatabase;

class CFTPSheet : public CPropertySheet {
 public:
  explicit CFTPSheet(const std::string& caption, CWnd* parent = nullptr, UINT selectPage = 0);
  ~CFTPSheet() override;

  // Makes the pages (General, Virtual Servers, Users, About) over the session and adds them;
  // the sheet gets OK and Cancel only. Call once, before DoModal.
  void AttachDatabase(ConfigDatabase* database);

 private:
  StalePageMask m_stalePages;
  std::unique_ptr<CGeneralPage> m_generalPage;
  std::unique_ptr<CSitePage> m_sitePage;
  std::unique_ptr<CUsersPage> m_usersPage;
  std::unique_ptr<CAboutPage> m_aboutPage;
};
