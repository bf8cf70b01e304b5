#include "framework/terminal/DialogSurface.h"

#include "framework/MessageBox.h"
#include "framework/WindowState.h"
#include "framework/Wnd.h"
#include "framework/terminal/Panel.h"

DialogSurface::DialogSurface(CWnd& dialog, WindowForm::Deliver deliver)
    : m_dialog(dialog), m_deliver(deliver), m_form(dialog, deliver) {}

void DialogSurface::Fit(CellSize screen) {
  m_form.LayOut(screen.rows - 2);
  m_corner = Centred({m_form.Rows() + 2, m_form.Cols() + 2}, screen);
}

CellSize DialogSurface::Smallest() const {
  const CellLayout squeezed = CellLayout::Of(*m_dialog.GetWindowState()->Template(), 0);
  return {squeezed.rows + 2, squeezed.cols + 2};
}

void DialogSurface::Draw(Canvas& canvas, bool active) {
  if (!m_form.FollowFocusRequest() && !m_form.HasFocus()) m_form.FocusEdge(true);
  OriginScope corner(canvas, m_corner.rows, m_corner.cols);
  DrawPanel(canvas, m_form.Rows() + 2, m_form.Cols() + 2, m_dialog.GetWindowText());
  OriginScope client(canvas, 1, 1);
  m_form.Draw(canvas, active);
}

void DialogSurface::HandleKey(const Key& key) {
  m_form.FollowFocusRequest();
  if (key.Is(Key::Code::Click)) {
    m_form.Click(key.row - m_corner.rows - 1, key.col - m_corner.cols - 1);
    return;
  }
  if (m_form.HandleKey(key)) return;
  switch (key.code) {
    case Key::Code::Tab:
    case Key::Code::BackTab:
      if (!m_form.MoveFocus(key.Is(Key::Code::Tab))) m_form.FocusEdge(key.Is(Key::Code::Tab));
      break;
    case Key::Code::Enter:
      if (!m_form.PressDefault()) m_deliver([this] { m_dialog.OnCommand(IDOK, BN_CLICKED); });
      break;
    case Key::Code::Escape:
      m_deliver([this] { m_dialog.OnCommand(IDCANCEL, BN_CLICKED); });
      break;
    default:
      break;
  }
}

bool DialogSurface::Done() const { return m_dialog.GetWindowState()->Ended(); }

void DialogSurface::Abandon() { m_dialog.EndModalLoop(IDCANCEL); }
