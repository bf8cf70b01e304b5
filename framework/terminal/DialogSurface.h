#pragma once
// A dialog in a frame with its caption. Tab and Shift-Tab go round its fields, Enter presses
// the focused button or else the default one, Escape sends Cancel.

#include "framework/terminal/WindowSurface.h"

namespace res {
struct DialogTemplate;
}

class DialogSurface : public WindowSurface {
 public:
  DialogSurface(CWnd& dialog, WindowForm::Deliver deliver);

  // The smallest screen a dialog made from the template can be laid out on.
  static CellSize SmallestFor(const res::DialogTemplate& tmpl);

  void Fit(CellSize screen) override;
  CellSize Smallest() const override;
  void Draw(Canvas& canvas, bool active) override;
  void HandleKey(const Key& key) override;
  std::vector<CWnd*> TimedWindows() const override { return {&m_window}; }

 private:
  void MoveFocus(bool forward) override;
  void PressDefault() override;
  WindowForm* KeyForm() override { return &m_form; }

  WindowForm m_form;
  CellSize m_corner;
};
