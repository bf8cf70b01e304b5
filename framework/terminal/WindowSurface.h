#pragma once
// What a dialog and a property sheet share as surfaces: the window they stand for, how they
// end, and the keys every window takes alike (Tab and Shift-Tab go round the fields, Enter
// presses the default button, Escape sends Cancel).

#include <string>
#include <utility>

#include "framework/terminal/Surface.h"
#include "framework/terminal/WindowForm.h"

class WindowSurface : public Surface {
 public:
  bool Done() const override;
  void Abandon() override;
  std::optional<std::chrono::steady_clock::time_point> Due() override;
  void SettleDue(std::chrono::steady_clock::time_point now) override;

 protected:
  WindowSurface(CWnd& window, WindowForm::Deliver deliver)
      : m_window(window), m_deliver(std::move(deliver)) {}

  // The help line: the focused field's keys, then the window's.
  static std::string HelpLine(const WindowForm& focused, const std::string& windowKeys);
  // Tab, Shift-Tab, Enter and Escape; false for any other key.
  bool HandleWindowKey(const Key& key);
  // Tab and Shift-Tab: the next (or previous) field, round the end.
  virtual void MoveFocus(bool forward) = 0;
  // Enter with a field focused that does not take it.
  virtual void PressDefault() = 0;
  // The fields that take the keys now (a sheet's: its active page's); null when none.
  virtual WindowForm* KeyForm() = 0;

  CWnd& m_window;
  WindowForm::Deliver m_deliver;
};
