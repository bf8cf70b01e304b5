#pragma once
// CButton: a push button, check box or group box.

#include "framework/Wnd.h"

class CButton : public CWnd {
 public:
  int GetCheck() const;  // BST_CHECKED or BST_UNCHECKED
  void SetCheck(int check);
};
