#pragma once
// CEdit: an edit control.

#include "framework/Wnd.h"

class CEdit : public CWnd {
 public:
  BOOL SetReadOnly(BOOL readOnly = TRUE);  // EM_SETREADONLY
};
