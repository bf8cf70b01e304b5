#include "framework/DataExchange.h"

#include <limits>
#include <optional>

#include "framework/Control.h"
#include "framework/MessageBox.h"
#include "base/ParseInt.h"
#include "framework/WindowState.h"
#include "framework/Wnd.h"

CDataExchange::CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlgWnd) {}

Control& CDataExchange::PrepareCtrl(int id) {
  WindowState* window = m_pDlgWnd ? m_pDlgWnd->GetWindowState() : nullptr;
  Control* control = window ? window->FindControl(id) : nullptr;
  if (!control) {
    AfxMessageBox("The window has no control " + std::to_string(id) + ".", MB_OK | MB_ICONERROR);
    throw CUserException();
  }
  m_idLastControl = id;
  return *control;
}

void CDataExchange::Fail() {
  if (WindowState* window = m_pDlgWnd ? m_pDlgWnd->GetWindowState() : nullptr)
    if (window->FindControl(m_idLastControl)) window->SetFocusId(m_idLastControl);
  throw CUserException();
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
  Control& control = pDX->PrepareCtrl(id);
  if (pDX->m_bSaveAndValidate)
    value = control.Text();
  else
    control.SetText(value);
}

void DDX_Text(CDataExchange* pDX, int id, int& value) {
  Control& control = pDX->PrepareCtrl(id);
  if (!pDX->m_bSaveAndValidate) {
    control.SetText(std::to_string(value));
    return;
  }
  switch (ParseInt(control.Text(), value)) {
    case ParseResult::Ok:
      return;
    case ParseResult::NotANumber:
      AfxMessageBox("Please enter an integer.", MB_OK | MB_ICONEXCLAMATION);
      break;
    case ParseResult::OutOfRange:
      AfxMessageBox("Please enter an integer between " + std::to_string(std::numeric_limits<int>::min()) +
                        " and " + std::to_string(std::numeric_limits<int>::max()) + ".",
                    MB_OK | MB_ICONEXCLAMATION);
      break;
  }
  pDX->Fail();
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
  Control& control = pDX->PrepareCtrl(id);
  if (pDX->m_bSaveAndValidate)
    value = control.Check();
  else
    control.SetCheck(value);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
  if (control.GetControl()) return;
  pDX->PrepareCtrl(id);
  control.SubclassDlgItem(id, pDX->m_pDlgWnd);
}
