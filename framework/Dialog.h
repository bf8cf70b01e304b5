#pragma once
// CDialog: a modal dialog made from a dialog template of the current module.
//
// DoModal makes the window and its controls, runs OnInitDialog, puts the focus on the first
// tab stop (unless OnInitDialog answered FALSE, having placed it itself), runs the backend's
// modal loop until EndDialog, destroys the window and returns the result: IDOK, IDCANCEL,
// or -1 when the window could not be made.

#include "framework/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT idTemplate, CWnd* parent = nullptr);

  virtual INT_PTR DoModal();
  void EndDialog(int result);
  // FALSE: members to controls; TRUE: controls to members. Answers FALSE when a value was refused.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  UINT GetTemplateId() const { return m_idTemplate; }

  virtual BOOL OnInitDialog();  // UpdateData(FALSE); TRUE
  virtual void OnOK();          // UpdateData(TRUE), then EndDialog(IDOK)
  virtual void OnCancel();      // EndDialog(IDCANCEL)

 protected:
  virtual void DoDataExchange(CDataExchange* pDX);
  const CommandMap& GetCommandMap() const override;

  // Makes the window from the template and runs OnInitDialog; false when the template or
  // the backend is missing (reported to the user).
  bool CreateFromTemplate();
  void DestroyWindow();

 private:
  UINT m_idTemplate;
};
