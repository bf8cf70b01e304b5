#pragma once
// CPropertySheet: a modal window of tabs, one per page, with OK and Cancel (and Apply and
// Help unless the header flags say otherwise; this framework keeps both disabled).
//
// DoModal shows the start page (making its window), then runs the modal loop. Choosing
// another tab asks the active page's OnKillActive, makes the new page's window the first
// time, and runs its OnSetActive. OK asks the active page's OnKillActive, then runs OnOK of
// every page whose window exists and ends with IDOK; Cancel runs their OnCancel and ends with
// IDCANCEL. The page windows are destroyed when DoModal returns; the pages themselves stay.

#include <string>
#include <vector>

#include "framework/PropertyPage.h"
#include "res/DialogTemplate.h"

struct PROPSHEETHEADER {
  DWORD dwFlags = PSH_PROPSHEETPAGE;
};

class CPropertySheet : public CWnd {
 public:
  explicit CPropertySheet(const std::string& caption, CWnd* parent = nullptr, UINT selectPage = 0);

  void AddPage(CPropertyPage* page);
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyPage* GetPage(int index) const;
  int GetActiveIndex() const { return m_active; }
  CPropertyPage* GetActivePage() const { return GetPage(m_active); }
  // What a click on tab `index` does; FALSE when the active page refused to go.
  BOOL SetActivePage(int index);
  // The page's template (for its tab text and size); known from DoModal on.
  const res::DialogTemplate* GetPageTemplate(int index) const;

  virtual INT_PTR DoModal();
  void EndDialog(int result);

  PROPSHEETHEADER m_psh;

 protected:
  const CommandMap& GetCommandMap() const override;

 private:
  bool FindPageTemplates();
  void CreateSheetWindow();
  void DestroyWindows();
  void OnOKButton();
  void OnCancelButton();

  std::string m_caption;
  UINT m_startPage;
  std::vector<CPropertyPage*> m_pages;
  std::vector<const res::DialogTemplate*> m_pageTemplates;
  int m_active = -1;
};
