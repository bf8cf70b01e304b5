#include "framework/terminal/SimpleFields.h"

#include "framework/Control.h"
#include "framework/terminal/Utf8.h"

namespace {

// Writes a control's text from the cell, its access letter underlined: the one its text marks,
// else the one chosen for it (`chosen`, an index among the characters shown, or -1).
void TextWithAccess(Canvas& canvas, int row, int col, const std::string& prefix, const std::string& text,
                    int width, Look look, int chosen) {
  int before = -1;
  const std::string plain = WithoutMnemonic(text, nullptr, &before);
  if (before < 0 && chosen >= 0) before = CellWidth(DecodeUtf8(plain).substr(0, chosen));
  const std::u32string shown = DecodeUtf8(prefix + plain);
  canvas.Text(row, col, EncodeUtf8(shown), width, look);
  if (before < 0) return;
  const int at = CellWidth(DecodeUtf8(prefix)) + before;
  int cells = 0;
  for (char32_t ch : shown) {
    if (cells == at && at < width)
      canvas.Text(row, col + at, EncodeUtf8(std::u32string(1, ch)), 1, Look::Access);
    cells += CellWidth(ch);
  }
}

Look ButtonLook(const Control& control, bool focused) {
  if (!control.Enabled()) return Look::Disabled;
  return focused ? Look::Focused : Look::Plain;
}

}  // namespace

void LabelField::Draw(Canvas& canvas, bool) const {
  if ((m_control.Style() & res::SS_TYPEMASK) == res::SS_BITMAP) return;  // pictures are left out
  TextWithAccess(canvas, m_cell.row, m_cell.col, "", m_control.Text(), m_cell.cols,
                 m_control.Enabled() ? Look::Plain : Look::Disabled, m_chosenAccess);
}

void GroupField::Draw(Canvas& canvas, bool) const {
  canvas.Frame(m_cell.row, m_cell.col, m_cell.rows, m_cell.cols);
  const std::string title = WithoutMnemonic(m_control.Text());
  if (!title.empty())
    canvas.Text(m_cell.row, m_cell.col + 1, " " + title + " ", m_cell.cols - 2, Look::Title, '\0');
}

void ButtonField::Draw(Canvas& canvas, bool focused) const {
  const std::u32string text = DecodeUtf8(WithoutMnemonic(m_control.Text()));
  const bool isDefault = IsDefaultButton();
  const bool marked = !m_control.Enabled() && !canvas.Dims();  // "( Start )" for a disabled one
  const std::string open = marked ? "(" : isDefault ? "<" : "[", close = marked ? ")" : isDefault ? ">" : "]";
  const int room = m_cell.cols - CellWidth(text);
  std::string before, after;  // the brackets, where there is room for them
  if (room >= 4)
    before = open + " ", after = " " + close;
  else if (room >= 2)
    before = open, after = close;
  const int shown = CellWidth(text) + static_cast<int>(before.size() + after.size());
  const int indent = std::max(0, (m_cell.cols - shown) / 2);
  const Look look =
      isDefault && !focused && m_control.Enabled() ? Look::Default : ButtonLook(m_control, focused);
  TextWithAccess(canvas, m_cell.row, m_cell.col + indent, before, m_control.Text() + after,
                 m_cell.cols - indent, look, m_chosenAccess);
}

bool ButtonField::HandleKey(const Key& key) {
  if (!key.Is(Key::Code::Enter) && !(key.Is(Key::Code::Char) && key.ch == U' ' && !key.alt)) return false;
  return Activate();
}

bool ButtonField::Activate() {
  if (m_control.Enabled()) m_notify(BN_CLICKED);
  return true;
}

void CheckField::Draw(Canvas& canvas, bool focused) const {
  const bool marked = !m_control.Enabled() && !canvas.Dims();
  std::string box = m_control.Check() == BST_CHECKED ? "[x] " : "[ ] ";
  if (marked) {  // "(x) " for a disabled box where the terminal cannot dim it
    box.front() = '(';
    box[2] = ')';
  }
  TextWithAccess(canvas, m_cell.row, m_cell.col, box, m_control.Text(), m_cell.cols,
                 ButtonLook(m_control, focused), m_chosenAccess);
}

bool CheckField::HandleKey(const Key& key) {
  if (!(key.Is(Key::Code::Char) && key.ch == U' ' && !key.alt)) return false;
  return Activate();
}

bool CheckField::Activate() {
  if (!m_control.Enabled()) return true;
  m_control.SetCheck(m_control.Check() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
  m_notify(BN_CLICKED);
  return true;
}
