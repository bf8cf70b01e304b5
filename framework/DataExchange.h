#pragma once
// Data exchange between a dialog's members and its controls. DoDataExchange lists one DDX_
// call per member; UpdateData runs it towards the controls (FALSE) or towards the members
// (TRUE). A value that cannot be taken is reported, the focus goes to its control, and the
// whole exchange stops with UpdateData answering FALSE.

#include <string>

#include "framework/FrameworkTypes.h"

class CWnd;
class Control;

class CDataExchange {
 public:
  CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate);

  BOOL m_bSaveAndValidate;  // TRUE: controls to members
  CWnd* m_pDlgWnd;

  // The dialog's control `id`, remembered as the one a failure points at. A missing control
  // is reported and fails the exchange.
  Control& PrepareCtrl(int id);
  // Puts the focus on the last prepared control and abandons the exchange.
  [[noreturn]] void Fail();

 private:
  int m_idLastControl = -1;
};

// Thrown by CDataExchange::Fail once the user has been told; UpdateData catches it.
struct CUserException {};

void DDX_Text(CDataExchange* pDX, int id, std::string& value);
// Accepts optional blanks, an optional sign and decimal digits within 32 bits.
void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Check(CDataExchange* pDX, int id, int& value);
// Attaches a control wrapper member to control `id` (once per window).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
