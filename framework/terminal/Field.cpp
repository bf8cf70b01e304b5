#include "framework/terminal/Field.h"

#include <cwctype>

#include "framework/Control.h"
#include "framework/terminal/ComboField.h"
#include "framework/terminal/EditField.h"
#include "framework/terminal/ListField.h"
#include "framework/terminal/SimpleFields.h"
#include "framework/terminal/Utf8.h"

bool Field::TakesFocus() const { return m_control.Enabled() && (m_control.Style() & res::WS_TABSTOP); }

char32_t Field::AccessLetter() const {
  char32_t marked = 0;
  const std::u32string shown = DecodeUtf8(WithoutMnemonic(m_control.Text(), &marked));
  if (marked != 0 || m_chosenAccess < 0 || m_chosenAccess >= static_cast<int>(shown.size())) return marked;
  return static_cast<char32_t>(std::towlower(static_cast<wint_t>(shown[m_chosenAccess])));
}

bool Field::IsPushButton() const {
  return m_control.IsButtonOfType(res::BS_PUSHBUTTON) || m_control.IsButtonOfType(res::BS_DEFPUSHBUTTON);
}

bool Field::IsDefaultButton() const { return m_control.IsButtonOfType(res::BS_DEFPUSHBUTTON); }

std::unique_ptr<Field> MakeField(Control& control, Field::Notify notify) {
  switch (control.Kind()) {
    case res::ControlKind::Edit:
      return std::make_unique<EditField>(control, std::move(notify));
    case res::ControlKind::Static:
      return std::make_unique<LabelField>(control, std::move(notify));
    case res::ControlKind::ComboBox:
      return std::make_unique<ComboField>(control, std::move(notify));
    case res::ControlKind::ListView:
      return std::make_unique<ListField>(control, std::move(notify));
    case res::ControlKind::Button:
      break;
  }
  if (control.IsButtonOfType(res::BS_GROUPBOX))
    return std::make_unique<GroupField>(control, std::move(notify));
  if (control.IsCheckBox()) return std::make_unique<CheckField>(control, std::move(notify));
  return std::make_unique<ButtonField>(control, std::move(notify));
}
