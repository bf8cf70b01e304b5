#include "framework/WindowState.h"

#include <algorithm>
#include <cstdlib>

#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/ListCtrl.h"
#include "framework/ModuleResources.h"
#include "framework/Wnd.h"

namespace {

std::unique_ptr<CWnd> MakeWrapper(res::ControlKind kind) {
  switch (kind) {
    case res::ControlKind::Edit:
      return std::make_unique<CEdit>();
    case res::ControlKind::Button:
      return std::make_unique<CButton>();
    case res::ControlKind::ComboBox:
      return std::make_unique<CComboBox>();
    case res::ControlKind::ListView:
      return std::make_unique<CListCtrl>();
    case res::ControlKind::Static:
      break;
  }
  return std::make_unique<CWnd>();
}

// A static's type is its style's low five bits (SS_TYPEMASK).
bool IsBitmap(const res::ControlTemplate& t) {
  constexpr uint32_t kStaticTypeMask = 0x1F;
  return t.kind == res::ControlKind::Static && (t.style & kStaticTypeMask) == res::SS_BITMAP;
}

}  // namespace

WindowState::WindowState(CWnd& owner, std::string caption, const res::DialogTemplate* tmpl)
    : m_owner(owner), m_template(tmpl), m_caption(std::move(caption)) {}

WindowState::~WindowState() {
  for (CWnd* wrapper : m_attached) {
    wrapper->m_pControl = nullptr;
    wrapper->m_pParentWnd = nullptr;
  }
}

std::unique_ptr<WindowState> WindowState::FromTemplate(CWnd& owner, const res::DialogTemplate& tmpl,
                                                       const ModuleResources& module) {
  auto state = std::make_unique<WindowState>(owner, tmpl.caption, &tmpl);
  for (const res::ControlTemplate& t : tmpl.controls) {
    Control& control = state->AddControl(t.id, t.kind, t.style, IsBitmap(t) ? std::string() : t.text);
    if (IsBitmap(t)) control.SetBitmap(module.FindBitmapXpm(std::atoi(t.text.c_str())));
  }
  return state;
}

Control& WindowState::AddControl(int id, res::ControlKind kind, uint32_t style, const std::string& text) {
  m_controls.push_back(std::make_unique<Control>(id, kind, style, text));
  m_items.push_back(MakeWrapper(kind));
  Attach(*m_items.back(), *m_controls.back());
  return *m_controls.back();
}

Control* WindowState::FindControl(int id) const {
  if (id == res::IDC_STATIC) return nullptr;
  for (const auto& control : m_controls)
    if (control->Id() == id) return control.get();
  return nullptr;
}

CWnd* WindowState::Item(int id) const {
  if (id == res::IDC_STATIC) return nullptr;
  for (size_t i = 0; i < m_controls.size(); ++i)
    if (m_controls[i]->Id() == id) return m_items[i].get();
  return nullptr;
}

void WindowState::Attach(CWnd& wrapper, Control& control) {
  if (wrapper.m_pControl) Detach(wrapper);
  wrapper.m_pControl = &control;
  wrapper.m_pParentWnd = &m_owner;
  m_attached.push_back(&wrapper);
}

void WindowState::Detach(CWnd& wrapper) {
  std::erase(m_attached, &wrapper);
  wrapper.m_pControl = nullptr;
}

void WindowState::SetFocusId(int id) {
  m_focusId = id;
  ++m_focusSerial;
}

int WindowState::FirstTabStop() const {
  for (const auto& control : m_controls)
    if ((control->Style() & res::WS_TABSTOP) && control->Enabled()) return control->Id();
  return -1;
}

void WindowState::End(int result) {
  m_ended = true;
  m_result = result;
}
