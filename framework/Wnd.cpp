#include "framework/Wnd.h"

#include "framework/Backend.h"
#include "framework/CommandMap.h"
#include "framework/Control.h"
#include "framework/WindowState.h"

CWnd::CWnd() = default;

CWnd::~CWnd() {
  // A wrapper bound by data exchange leaves its window's list; a window ends its state
  // (which detaches every wrapper still bound to it).
  if (m_pControl && m_pParentWnd && m_pParentWnd->m_pWindow) m_pParentWnd->m_pWindow->Detach(*this);
}

void CWnd::SetWindowText(const std::string& text) {
  if (m_pControl)
    m_pControl->SetText(text);
  else if (m_pWindow)
    m_pWindow->SetCaption(text);
}

std::string CWnd::GetWindowText() const {
  if (m_pControl) return m_pControl->Text();
  if (m_pWindow) return m_pWindow->Caption();
  return {};
}

BOOL CWnd::EnableWindow(BOOL enable) {
  if (!m_pControl) return FALSE;
  const BOOL wasDisabled = !m_pControl->Enabled();
  m_pControl->SetEnabled(enable != FALSE);
  return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return m_pControl ? m_pControl->Enabled() : m_pWindow != nullptr; }

CWnd* CWnd::SetFocus() {
  if (!m_pControl || !m_pParentWnd || !m_pParentWnd->m_pWindow) return nullptr;
  WindowState& window = *m_pParentWnd->m_pWindow;
  CWnd* previous = window.Item(window.FocusId());
  window.SetFocusId(m_pControl->Id());
  return previous;
}

CWnd* CWnd::GetDlgItem(int id) const { return m_pWindow ? m_pWindow->Item(id) : nullptr; }

CWnd* CWnd::GetParent() const { return m_pParentWnd; }

BOOL CWnd::SubclassDlgItem(int id, CWnd* parent) {
  WindowState* window = parent ? parent->m_pWindow.get() : nullptr;
  Control* control = window ? window->FindControl(id) : nullptr;
  if (!control) return FALSE;
  window->Attach(*this, *control);
  return TRUE;
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, std::nullptr_t) {
  if (!m_pWindow) return 0;
  m_pWindow->SetTimer(id, elapse);
  return id;
}

BOOL CWnd::KillTimer(UINT_PTR id) { return m_pWindow && m_pWindow->KillTimer(id); }

void CWnd::OnTimer(UINT_PTR) {}

int CWnd::MessageBox(const std::string& text, const std::string& caption, UINT type) {
  return ::MessageBox(this, text, caption, type);
}

BOOL CWnd::OnCommand(int id, UINT code) { return GetCommandMap().Dispatch(*this, id, code); }

const CommandMap& CWnd::GetCommandMap() const {
  static const CommandMap none;
  return none;
}

void CWnd::EndModalLoop(int result) {
  if (!m_pWindow || m_pWindow->Ended()) return;
  m_pWindow->End(result);
  if (Backend* backend = CurrentBackend()) backend->EndModal(*this);
}

void CWnd::CreateWindowState(std::unique_ptr<WindowState> state) { m_pWindow = std::move(state); }

void CWnd::DestroyWindowState() { m_pWindow.reset(); }
