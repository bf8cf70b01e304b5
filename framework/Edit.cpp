#include "framework/Edit.h"

#include "framework/Control.h"

BOOL CEdit::SetReadOnly(BOOL readOnly) {
  Control* control = GetControl();
  if (!control) return FALSE;
  control->SetReadOnly(readOnly != FALSE);
  return TRUE;
}
