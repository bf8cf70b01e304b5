#pragma once
// A dialog in a frame with its caption. Tab and Shift-Tab go round its fields, Enter presses
// the focused button or else the default one, Escape sends Cancel.

#include "framework/terminal/Surface.h"
#include "framework/terminal/WindowForm.h"

class DialogSurface : public Surface {
public:
  DialogSurface(CWnd& dialog, WindowForm::Deliver deliver);

  void Fit(CellSize screen) override;
  CellSize Smallest() const override;
  void Draw(Canvas& canvas, bool active) override;
  void HandleKey(const Key& key) override;
  bool Done() const override;
  void Abandon() override;
  std::vector<CWnd*> TimedWindows() const override { return {&m_dialog}; }

private:
  CWnd& m_dialog;
  WindowForm::Deliver m_deliver;
  WindowForm m_form;
  CellSize m_corner;
};
