#include "framework/terminal/ComboField.h"

#include <algorithm>

#include "framework/Control.h"
#include "framework/terminal/Utf8.h"

namespace {

constexpr int kLongestDropDown = 8;

// Not F4, as the platform has it: the function keys change the sheet's tabs.
bool Opens(const Key& key) { return key.Is(Key::Code::Char) && key.ch == U' ' && !key.alt; }

}  // namespace

std::string ComboField::KeyHelp() const {
  return m_open ? "\u2191\u2193 move  Enter choose  Esc close" : "Space open  \u2191\u2193 choose";
}

int ComboField::ShownRows() const { return std::min(kLongestDropDown, std::max(1, m_control.RowCount())); }

void ComboField::Draw(Canvas& canvas, bool focused) const {
  const int selection = m_control.Selection();
  const std::string text = m_control.HasRow(selection) ? std::string(m_control.Cell(selection, 0)) : "";
  Look look = focused ? Look::Focused : Look::Field;
  if (!m_control.Enabled()) look = Look::Disabled;
  canvas.Text(m_cell.row, m_cell.col, Clip(text, m_cell.cols - 1), m_cell.cols - 1, look);
  // Without a dim attribute a disabled list shows no arrow to open it.
  canvas.Text(m_cell.row, m_cell.Right(), m_control.Enabled() || canvas.Dims() ? "v" : " ", 1, look);
}

void ComboField::DrawOver(Canvas& canvas) const {
  if (!m_open) return;
  const int shown = ShownRows();
  m_top = std::clamp(m_top, std::max(0, m_highlight - shown + 1), std::max(0, m_highlight));
  canvas.Frame(m_cell.row + 1, m_cell.col - 1, shown + 2, m_cell.cols + 2);
  for (int line = 0; line < shown; ++line) {
    const int row = m_top + line;
    const std::string text = m_control.HasRow(row) ? std::string(m_control.Cell(row, 0)) : "";
    canvas.Text(m_cell.row + 2 + line, m_cell.col, Clip(text, m_cell.cols), m_cell.cols,
                row == m_highlight ? Look::Focused : Look::Plain);
  }
  // Entries above or below the shown ones are marked on the frame.
  if (m_top > 0) canvas.Text(m_cell.row + 1, m_cell.col, "\u2191 more", m_cell.cols, Look::Plain, '\0');
  if (m_top + shown < m_control.RowCount())
    canvas.Text(m_cell.row + 2 + shown, m_cell.col, "\u2193 more", m_cell.cols, Look::Plain, '\0');
}

bool ComboField::HandleKey(const Key& key) {
  if (m_open) return HandleOpenKey(key);
  if (Opens(key) || (key.Is(Key::Code::Down) && key.alt)) {
    m_open = true;
    m_highlight = m_control.Selection();
    return true;
  }
  const std::optional<int> target = m_motion.Target(key, m_control, m_control.Selection(), ShownRows());
  if (!target) return false;
  Choose(*target);
  return true;
}

bool ComboField::HandleOpenKey(const Key& key) {
  if (key.Is(Key::Code::Escape)) {
    m_open = false;
    return true;
  }
  if (key.Is(Key::Code::Enter) || Opens(key)) {
    m_open = false;
    Choose(m_highlight);
    return true;
  }
  if (key.Is(Key::Code::Tab) || key.Is(Key::Code::BackTab)) {
    m_open = false;
    return false;
  }
  const std::optional<int> target = m_motion.Target(key, m_control, m_highlight, ShownRows());
  if (target) m_highlight = *target;
  return true;
}

// A click opens the list; in the open list it chooses the entry, anywhere else closes it.
void ComboField::Click(int row, int col) {
  if (!m_open) {
    HandleKey(Key::Char(U' '));
    return;
  }
  m_open = false;
  const int line = row - (m_cell.row + 2);
  if (line >= 0 && line < ShownRows() && col >= m_cell.col && col <= m_cell.Right()) Choose(m_top + line);
}

void ComboField::Choose(int row) {
  if (!m_control.HasRow(row) || row == m_control.Selection()) return;
  m_control.SetSelection(row);
  m_notify(CBN_SELCHANGE);
}
