#include "framework/Button.h"

#include "framework/Control.h"

int CButton::GetCheck() const {
  const Control* control = GetControl();
  return control ? control->Check() : BST_UNCHECKED;
}

void CButton::SetCheck(int check) {
  if (Control* control = GetControl())
    control->SetCheck(check == BST_UNCHECKED ? BST_UNCHECKED : BST_CHECKED);
}
