#include "framework/PropertySheet.h"

#include "framework/Backend.h"
#include "framework/CommandMap.h"
#include "framework/ModuleResources.h"
#include "framework/WindowState.h"

CPropertySheet::CPropertySheet(const std::string& caption, CWnd* parent, UINT selectPage)
    : m_caption(caption), m_startPage(selectPage) {
  SetParentWnd(parent);
}

void CPropertySheet::AddPage(CPropertyPage* page) {
  page->SetParentWnd(this);
  m_pages.push_back(page);
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? m_pages[index] : nullptr;
}

const res::DialogTemplate* CPropertySheet::GetPageTemplate(int index) const {
  return index >= 0 && index < static_cast<int>(m_pageTemplates.size()) ? m_pageTemplates[index] : nullptr;
}

BOOL CPropertySheet::SetActivePage(int index) {
  CPropertyPage* page = GetPage(index);
  if (!IsWindowCreated() || !page) return FALSE;
  if (index == m_active) return TRUE;
  if (CPropertyPage* active = GetActivePage(); active && !active->OnKillActive()) return FALSE;
  if (!page->IsWindowCreated() && !page->Create(*this)) return FALSE;
  m_active = index;
  page->OnSetActive();  // a page cannot refuse activation here
  return TRUE;
}

INT_PTR CPropertySheet::DoModal() {
  Backend* backend = RequireBackend();
  if (!backend || !FindPageTemplates()) return -1;
  CreateSheetWindow();
  struct Destroyer {
    CPropertySheet& sheet;
    ~Destroyer() { sheet.DestroyWindows(); }
  } destroyer{*this};

  SetActivePage(static_cast<int>(m_startPage) < GetPageCount() ? static_cast<int>(m_startPage) : 0);
  if (!GetWindowState()->Ended()) backend->RunModal(*this);
  return GetWindowState()->Result();
}

void CPropertySheet::EndDialog(int result) { EndModalLoop(result); }

bool CPropertySheet::FindPageTemplates() {
  if (m_pages.empty()) {
    AfxMessageBox("The property sheet \"" + m_caption + "\" has no pages.", MB_OK | MB_ICONERROR);
    return false;
  }
  m_pageTemplates.clear();
  for (CPropertyPage* page : m_pages) {
    const res::DialogTemplate* tmpl =
        CurrentModuleResources().FindDialogTemplate(static_cast<int>(page->GetTemplateId()));
    if (!tmpl) {
      AfxMessageBox("The dialog template " + std::to_string(page->GetTemplateId()) + " cannot be found.",
                    MB_OK | MB_ICONERROR);
      return false;
    }
    m_pageTemplates.push_back(tmpl);
  }
  return true;
}

void CPropertySheet::CreateSheetWindow() {
  auto window = std::make_unique<WindowState>(*this, m_caption, nullptr);
  const uint32_t button = res::WS_CHILD | res::WS_VISIBLE | res::WS_TABSTOP;
  window->AddControl(IDOK, res::ControlKind::Button, button | res::BS_DEFPUSHBUTTON, "OK");
  window->AddControl(IDCANCEL, res::ControlKind::Button, button, "Cancel");
  if (!(m_psh.dwFlags & PSH_NOAPPLYNOW))
    window->AddControl(ID_APPLY_NOW, res::ControlKind::Button, button | res::WS_DISABLED, "&Apply");
  if (m_psh.dwFlags & PSH_HASHELP)
    window->AddControl(IDHELP, res::ControlKind::Button, button | res::WS_DISABLED, "Help");
  CreateWindowState(std::move(window));
  m_active = -1;
}

void CPropertySheet::DestroyWindows() {
  for (CPropertyPage* page : m_pages)
    if (page->IsWindowCreated()) page->Destroy();
  DestroyWindowState();
  m_active = -1;
}

void CPropertySheet::OnOKButton() {
  if (CPropertyPage* active = GetActivePage(); active && !active->OnKillActive()) return;
  for (CPropertyPage* page : m_pages)
    if (page->IsWindowCreated()) page->OnOK();
  EndDialog(IDOK);
}

void CPropertySheet::OnCancelButton() {
  for (CPropertyPage* page : m_pages)
    if (page->IsWindowCreated()) page->OnCancel();
  EndDialog(IDCANCEL);
}

const CommandMap& CPropertySheet::GetCommandMap() const {
  static const CommandMap map = CommandMap::Of<CPropertySheet>(
      &CWnd::GetCommandMap(), {
                                  {BN_CLICKED, IDOK, &CPropertySheet::OnOKButton},
                                  {BN_CLICKED, IDCANCEL, &CPropertySheet::OnCancelButton},
                              });
  return map;
}
