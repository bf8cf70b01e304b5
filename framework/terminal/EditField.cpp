#include "framework/terminal/EditField.h"

#include <algorithm>

#include "framework/Control.h"
#include "framework/terminal/Utf8.h"

bool EditField::TakesFocus() const { return Field::TakesFocus() && !m_control.ReadOnly(); }

void EditField::Follow() const {
  if (m_started && m_followed == m_control.Text()) return;
  m_started = true;
  m_followed = m_control.Text();
  m_text = DecodeUtf8(m_followed);
  m_caret = m_text.size();
  m_scroll = 0;
}

void EditField::Draw(Canvas& canvas, bool focused) const {
  Follow();
  const bool password = m_control.Style() & res::ES_PASSWORD;
  const std::u32string shown = password ? std::u32string(m_text.size(), U'*') : m_text;
  // Scroll so that the caret, one cell past the text at most, stays inside the field.
  // Walks back from the caret, so that a long paste costs the field's width, not its text's.
  if (m_caret < m_scroll) m_scroll = m_caret;
  size_t start = m_caret;
  for (int cells = 0; start > m_scroll && cells + CellWidth(shown[start - 1]) < m_cell.cols; --start)
    cells += CellWidth(shown[start - 1]);
  m_scroll = start;
  const bool typable = m_control.Enabled() && !m_control.ReadOnly();
  Look look = focused && typable ? Look::Focused : Look::Field;
  if (!m_control.Enabled())
    look = Look::Disabled;
  else if (m_control.ReadOnly())
    look = Look::ReadOnly;
  // Without the focus a field shows its text from the start, as a caret is not there to follow.
  const size_t first = focused ? m_scroll : 0;
  const bool marked = focused && typable && m_selected && !m_text.empty();
  canvas.Text(m_cell.row, m_cell.col, marked ? "" : EncodeUtf8(shown.substr(first)), m_cell.cols, look,
              typable ? '_' : ' ');
  if (marked)
    canvas.Text(m_cell.row, m_cell.col, EncodeUtf8(shown.substr(first)), m_cell.cols, Look::Selected, '\0');
  if (focused && typable)
    canvas.Caret(m_cell.row, m_cell.col + CellWidth(shown.substr(m_scroll, m_caret - m_scroll)));
}

bool EditField::HandleKey(const Key& key) {
  Follow();
  switch (key.code) {
    case Key::Code::Left:
      MoveCaret(m_selected || m_caret == 0 ? 0 : m_caret - 1);
      return true;
    case Key::Code::Right:
      MoveCaret(m_selected ? m_text.size() : std::min(m_caret + 1, m_text.size()));
      return true;
    case Key::Code::Home:
      MoveCaret(0);
      return true;
    case Key::Code::End:
      MoveCaret(m_text.size());
      return true;
    case Key::Code::Backspace:
      if (EraseSelection()) return true;
      return m_caret > 0 ? Erase(--m_caret) : true;
    case Key::Code::Delete:
      return EraseSelection() || Erase(m_caret);
    case Key::Code::Char:
      return !key.alt && Type(std::u32string(1, key.ch));
    case Key::Code::Paste:
      return Type(key.text);
    default:
      return false;
  }
}

void EditField::MoveCaret(size_t to) {
  m_selected = false;
  m_caret = to;
}

bool EditField::EraseSelection() {
  if (!m_selected || m_control.ReadOnly()) return false;
  m_selected = false;
  m_text.clear();
  m_caret = 0;
  Store();
  return true;
}

// Inserts typed or pasted text at the caret, in place of the selection; a digits-only field
// takes it only when it is all digits.
bool EditField::Type(const std::u32string& text) {
  if (m_control.ReadOnly()) return true;
  const auto digit = [](char32_t ch) { return ch >= U'0' && ch <= U'9'; };
  if ((m_control.Style() & res::ES_NUMBER) && !std::all_of(text.begin(), text.end(), digit)) return true;
  EraseSelection();
  m_text.insert(m_caret, text);
  m_caret += text.size();
  Store();
  return true;
}

bool EditField::Erase(size_t at) {
  if (m_control.ReadOnly() || at >= m_text.size()) return true;
  m_text.erase(at, 1);
  Store();
  return true;
}

void EditField::Store() {
  m_followed = EncodeUtf8(m_text);
  m_control.SetText(m_followed);
}
