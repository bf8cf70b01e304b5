#pragma once
// CPropertyPage: one tab of a property sheet, made from a dialog template whose caption is
// the tab's text. Its window is made the first time the sheet shows it and lives until the
// sheet closes. Activation: OnSetActive refreshes the controls from the members (from the
// second activation on); OnKillActive takes them back and may refuse to let the page go.

#include "framework/Dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
 public:
  explicit CPropertyPage(UINT idTemplate);

  virtual BOOL OnSetActive();
  virtual BOOL OnKillActive();  // UpdateData(TRUE)
  // The sheet's OK and Cancel: nothing by default; the sheet ends itself.
  void OnOK() override;
  void OnCancel() override;
  // A page's EndDialog ends its sheet.
  void EndModalLoop(int result) override;

 private:
  friend class CPropertySheet;
  bool Create(CPropertySheet& sheet);
  void Destroy();

  bool m_bFirstSetActive = true;
};
