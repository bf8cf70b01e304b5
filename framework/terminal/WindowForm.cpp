#include "framework/terminal/WindowForm.h"

#include <cwctype>

#include "framework/AccessKeys.h"
#include "framework/Control.h"
#include "framework/WindowState.h"
#include "framework/Wnd.h"

WindowForm::WindowForm(CWnd& window, Deliver deliver, bool chooseAccessKeys)
    : m_window(window), m_chooseAccessKeys(chooseAccessKeys) {
  const WindowState& state = *window.GetWindowState();
  for (const auto& control : state.Controls()) {
    const int id = control->Id();
    m_fields.push_back(MakeField(*control, [this, deliver, id](UINT code) {
      deliver([this, id, code] { m_window.OnCommand(id, code); });
    }));
  }
  m_focusSerial = state.FocusSerial() - 1;  // the request made before the window showed counts
}

void WindowForm::LayOut(int maxRows, int growCols) {
  const res::DialogTemplate& tmpl = *m_window.GetWindowState()->Template();
  CellLayout layout = CellLayout::Of(tmpl, maxRows);
  if (growCols > 0) layout.Grow(tmpl, maxRows, growCols);
  Place(layout.cells, layout.rows, layout.cols);
}

void WindowForm::Place(const std::vector<CellRect>& cells, int rows, int cols) {
  for (size_t i = 0; i < m_fields.size() && i < cells.size(); ++i) m_fields[i]->SetCell(cells[i]);
  m_rows = rows;
  m_cols = cols;
}

void WindowForm::ChooseAccessKeys() const {
  if (!m_chooseAccessKeys) return;
  const std::vector<int> chosen = ::ChooseAccessKeys(m_window.GetWindowState()->Controls());
  for (size_t i = 0; i < m_fields.size(); ++i) m_fields[i]->SetChosenAccess(chosen[i]);
}

void WindowForm::Draw(Canvas& canvas, bool active) const {
  ChooseAccessKeys();
  // Frames first, so that what they hold draws over their lines.
  for (const auto& field : m_fields)
    if (field->GetControl().IsButtonOfType(res::BS_GROUPBOX)) field->Draw(canvas, false);
  for (size_t i = 0; i < m_fields.size(); ++i)
    if (!m_fields[i]->GetControl().IsButtonOfType(res::BS_GROUPBOX))
      m_fields[i]->Draw(canvas, active && static_cast<int>(i) == m_focus);
  if (active && HasFocus()) m_fields[m_focus]->DrawOver(canvas);
}

bool WindowForm::FollowFocusRequest() {
  const WindowState& state = *m_window.GetWindowState();
  if (state.FocusSerial() == m_focusSerial) return false;
  m_focusSerial = state.FocusSerial();
  // The control asked for, or when it takes no input (a read-only field) the next that does.
  for (size_t i = 0; i < m_fields.size(); ++i)
    if (m_fields[i]->GetControl().Id() == state.FocusId())
      return FocusOn(NextTaking(static_cast<int>(i) - 1, true));
  return false;
}

int WindowForm::NextTaking(int from, bool forward) const {
  const int count = static_cast<int>(m_fields.size());
  for (int i = from + (forward ? 1 : -1); i >= 0 && i < count; i += forward ? 1 : -1)
    if (m_fields[i]->TakesFocus()) return i;
  return -1;
}

bool WindowForm::FocusOn(int index) {
  m_focus = index;
  if (index >= 0) m_fields[index]->FocusArrived();
  return index >= 0;
}

bool WindowForm::MoveFocus(bool forward) { return FocusOn(NextTaking(m_focus, forward)); }

bool WindowForm::FocusEdge(bool forward) {
  return FocusOn(NextTaking(forward ? -1 : static_cast<int>(m_fields.size()), forward));
}

bool WindowForm::Click(int row, int col) {
  if (HasFocus() && m_fields[m_focus]->TakesEveryClick()) {
    m_fields[m_focus]->Click(row, col);
    return true;
  }
  for (size_t i = 0; i < m_fields.size(); ++i) {
    Field& field = *m_fields[i];
    if (!field.Contains(row, col) || !field.GetControl().Enabled() ||
        !(field.TakesFocus() || field.IsPushButton()))
      continue;
    m_focus = static_cast<int>(i);
    field.Click(row, col);
    return true;
  }
  return false;
}

bool WindowForm::PressDefault() {
  for (const auto& field : m_fields)
    if (field->IsDefaultButton() && field->GetControl().Enabled()) return field->Activate();
  return false;
}

std::optional<std::chrono::steady_clock::time_point> WindowForm::Due() const {
  std::optional<std::chrono::steady_clock::time_point> first;
  for (const auto& field : m_fields)
    if (const auto due = field->Due(); due && (!first || *due < *first)) first = due;
  return first;
}

void WindowForm::SettleDue(std::chrono::steady_clock::time_point now) {
  for (const auto& field : m_fields)
    if (const auto due = field->Due(); due && *due <= now) field->Settle();
}

bool WindowForm::HandleKey(const Key& key) {
  if (HasFocus() && !m_fields[m_focus]->TakesFocus()) MoveFocus(true);  // it was disabled meanwhile
  if (key.Is(Key::Code::Paste)) {  // text for the focused field, never a command
    if (HasFocus() && m_fields[m_focus]->TakesPaste()) m_fields[m_focus]->HandleKey(key);
    return true;
  }
  if (HasFocus() && m_fields[m_focus]->HandleKey(key)) return true;
  return key.Is(Key::Code::Char) && key.alt && Mnemonic(key.ch);
}

// A button or check box with the letter acts; a label's letter focuses the next field.
bool WindowForm::Mnemonic(char32_t letter) {
  const auto wanted = static_cast<char32_t>(std::towlower(static_cast<wint_t>(letter)));
  ChooseAccessKeys();
  for (size_t i = 0; i < m_fields.size(); ++i) {
    const char32_t mnemonic = m_fields[i]->AccessLetter();
    if (mnemonic == 0 || mnemonic != wanted) continue;
    const int target =
        m_fields[i]->TakesFocus() ? static_cast<int>(i) : NextTaking(static_cast<int>(i), true);
    if (target < 0) continue;
    FocusOn(target);
    if (target == static_cast<int>(i)) m_fields[i]->Activate();
    return true;
  }
  return false;
}
