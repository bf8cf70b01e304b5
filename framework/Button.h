#pragma once
// CButton: a push button, check box or group box.

#include "framework/Wnd.h"

class CButton : public CWnd {
 public:
  void SetCheck(int check);
};
