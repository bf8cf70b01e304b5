#include "framework/terminal/DialogSurface.h"

#include "framework/MessageBox.h"
#include "framework/WindowState.h"
#include "framework/Wnd.h"
#include "framework/terminal/Panel.h"

DialogSurface::DialogSurface(CWnd& dialog, WindowForm::Deliver deliver)
    : WindowSurface(dialog, deliver), m_form(dialog, deliver) {}

CellSize DialogSurface::SmallestFor(const res::DialogTemplate& tmpl) {
  const CellLayout squeezed = CellLayout::Of(tmpl, 0);
  return {squeezed.rows + 2, squeezed.cols + 2};
}

void DialogSurface::Fit(CellSize screen) {
  m_form.LayOut(screen.rows - 2);
  m_corner = Centred({m_form.Rows() + 2, m_form.Cols() + 2}, screen);
}

CellSize DialogSurface::Smallest() const { return SmallestFor(*m_window.GetWindowState()->Template()); }

void DialogSurface::Draw(Canvas& canvas, bool active) {
  if (!m_form.FollowFocusRequest() && !m_form.HasFocus()) m_form.FocusEdge(true);
  OriginScope corner(canvas, m_corner.rows, m_corner.cols);
  DrawPanel(canvas, m_form.Rows() + 2, m_form.Cols() + 2, m_window.GetWindowText(),
            HelpLine(m_form, "Tab next  Enter OK  Esc cancel  Alt+letter"));
  OriginScope client(canvas, 1, 1);
  m_form.Draw(canvas, active);
}

void DialogSurface::HandleKey(const Key& key) {
  m_form.FollowFocusRequest();
  if (key.Is(Key::Code::Click)) {
    m_form.Click(key.row - m_corner.rows - 1, key.col - m_corner.cols - 1);
    return;
  }
  if (!m_form.HandleKey(key)) HandleWindowKey(key);
}

void DialogSurface::MoveFocus(bool forward) {
  if (!m_form.MoveFocus(forward)) m_form.FocusEdge(forward);
}

void DialogSurface::PressDefault() {
  if (!m_form.PressDefault()) m_deliver([this] { m_window.OnCommand(IDOK, BN_CLICKED); });
}
