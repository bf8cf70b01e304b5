#include "framework/Dialog.h"

#include "framework/Backend.h"
#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "framework/ModuleResources.h"
#include "framework/WindowState.h"

CDialog::CDialog(UINT idTemplate, CWnd* parent) : m_idTemplate(idTemplate) { SetParentWnd(parent); }

INT_PTR CDialog::DoModal() {
  Backend* backend = RequireBackend();
  if (!backend || !CreateFromTemplate()) return -1;
  struct Destroyer {
    CDialog& dialog;
    ~Destroyer() { dialog.DestroyWindow(); }
  } destroyer{*this};

  WindowState& window = *GetWindowState();
  if (OnInitDialog()) window.SetFocusId(window.FirstTabStop());
  if (!window.Ended()) backend->RunModal(*this);
  return window.Result();
}

bool CDialog::CreateFromTemplate() {
  const res::DialogTemplate* tmpl =
      CurrentModuleResources().FindDialogTemplate(static_cast<int>(m_idTemplate));
  if (!tmpl) {
    AfxMessageBox("The dialog template " + std::to_string(m_idTemplate) + " cannot be found.",
                  MB_OK | MB_ICONERROR);
    return false;
  }
  CreateWindowState(WindowState::FromTemplate(*this, *tmpl, CurrentModuleResources()));
  return true;
}

void CDialog::DestroyWindow() { DestroyWindowState(); }

void CDialog::EndDialog(int result) { EndModalLoop(result); }

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  if (!IsWindowCreated()) return FALSE;
  CDataExchange dx(this, saveAndValidate);
  try {
    DoDataExchange(&dx);
  } catch (const CUserException&) {
    return FALSE;
  }
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

const CommandMap& CDialog::GetCommandMap() const {
  static const CommandMap map =
      CommandMap::Of<CDialog>(&CWnd::GetCommandMap(), {
                                                          {BN_CLICKED, IDOK, &CDialog::OnOK},
                                                          {BN_CLICKED, IDCANCEL, &CDialog::OnCancel},
                                                      });
  return map;
}
