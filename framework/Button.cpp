#include "framework/Button.h"

#include "framework/Control.h"

void CButton::SetCheck(int check) {
  if (Control* control = GetControl())
    control->SetCheck(check == BST_UNCHECKED ? BST_UNCHECKED : BST_CHECKED);
}
