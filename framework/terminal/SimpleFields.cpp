#include "framework/terminal/SimpleFields.h"

#include "framework/Control.h"
#include "framework/terminal/Utf8.h"

namespace {

Look ButtonLook(const Control& control, bool focused) {
  if (!control.Enabled()) return Look::Disabled;
  return focused ? Look::Focused : Look::Plain;
}

}  // namespace

void LabelField::Draw(Canvas& canvas, bool) const {
  if ((m_control.Style() & res::SS_TYPEMASK) == res::SS_BITMAP) return;  // pictures are left out
  canvas.Text(m_cell.row, m_cell.col, WithoutMnemonic(m_control.Text()), m_cell.cols,
              m_control.Enabled() ? Look::Plain : Look::Disabled);
}

void GroupField::Draw(Canvas& canvas, bool) const {
  canvas.Frame(m_cell.row, m_cell.col, m_cell.rows, m_cell.cols);
  const std::string title = WithoutMnemonic(m_control.Text());
  if (!title.empty()) canvas.Text(m_cell.row, m_cell.col + 1, " " + title + " ", m_cell.cols - 2, Look::Title, '\0');
}

void ButtonField::Draw(Canvas& canvas, bool focused) const {
  const std::u32string text = DecodeUtf8(WithoutMnemonic(m_control.Text()));
  const bool isDefault = IsDefaultButton();
  const std::string open = isDefault ? "<" : "[", close = isDefault ? ">" : "]";
  const int room = m_cell.cols - CellWidth(text);
  std::string shown = EncodeUtf8(text);
  if (room >= 4) shown = open + " " + shown + " " + close;
  else if (room >= 2) shown = open + shown + close;
  const int indent = std::max(0, (m_cell.cols - CellWidth(DecodeUtf8(shown))) / 2);
  const Look look = isDefault && !focused && m_control.Enabled() ? Look::Default : ButtonLook(m_control, focused);
  canvas.Text(m_cell.row, m_cell.col + indent, shown, m_cell.cols - indent, look);
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
  const std::string box = m_control.Check() == BST_CHECKED ? "[x] " : "[ ] ";
  canvas.Text(m_cell.row, m_cell.col, box + WithoutMnemonic(m_control.Text()), m_cell.cols,
              ButtonLook(m_control, focused));
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
