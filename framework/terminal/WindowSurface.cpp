#include "framework/terminal/WindowSurface.h"

#include "framework/MessageBox.h"
#include "framework/WindowState.h"
#include "framework/Wnd.h"

bool WindowSurface::Done() const { return m_window.GetWindowState()->Ended(); }

void WindowSurface::Abandon() { m_window.EndModalLoop(IDCANCEL); }

std::optional<std::chrono::steady_clock::time_point> WindowSurface::Due() {
  const WindowForm* form = KeyForm();
  return form ? form->Due() : std::nullopt;
}

void WindowSurface::SettleDue(std::chrono::steady_clock::time_point now) {
  if (WindowForm* form = KeyForm()) form->SettleDue(now);
}

std::string WindowSurface::HelpLine(const WindowForm& focused, const std::string& windowKeys) {
  const std::string field = focused.KeyHelp();
  return field.empty() ? windowKeys : field + "  " + windowKeys;
}

bool WindowSurface::HandleWindowKey(const Key& key) {
  switch (key.code) {
    case Key::Code::Tab:
    case Key::Code::BackTab:
      MoveFocus(key.Is(Key::Code::Tab));
      return true;
    case Key::Code::Enter:
      PressDefault();
      return true;
    case Key::Code::Escape:
      m_deliver([this] { m_window.OnCommand(IDCANCEL, BN_CLICKED); });
      return true;
    default:
      return false;
  }
}
