#pragma once
// A modal dialog or sheet as a script sees it: the actions a user could take on it and the
// things a user could read from it. On a sheet, control ids name the active page's controls
// first, then the sheet's own buttons. An action that a user could not take (a disabled or
// missing control, text in a read-only field, letters in a digits-only field, a window that
// has closed) throws ScriptError.

#include <string>

#include "framework/FrameworkTypes.h"

class CDialog;
class CPropertySheet;
class CWnd;
class Control;

class ScriptedWindow {
 public:
  explicit ScriptedWindow(CWnd& window);

  bool IsSheet() const { return m_sheet != nullptr; }
  int TemplateId() const;  // a dialog's template; 0 for a sheet
  std::string Caption() const;
  std::string Describe() const;  // dialog TEMPLATE-ID "CAPTION", or sheet "CAPTION"
  bool Ended() const;

  // Acting: each sends the notification the control would send.
  void SetText(int id, const std::string& text);
  void SetCheck(int id, bool checked);             // a click when the state differs
  void Select(int id, const std::string& prefix);  // combo box: first entry with that prefix
  void SelectRow(int id, int row);                 // list view
  void Filter(int id, const std::string& text);    // list view: the text typed to filter it
  void Click(int id);
  void Cancel();                 // Escape, or the close box
  void ActivatePage(int index);  // sheet: click on a tab
  void FireTimer(UINT_PTR id);   // one tick of a running timer
  void CloseSheet(bool ok);      // sheet: OK or Cancel

  // Reading.
  bool Exists(int id) const;
  std::string Text(int id) const;  // a combo box: its selected entry's text
  bool Enabled(int id) const;
  bool Checked(int id) const;
  int Count(int id) const;  // combo box entries or list rows
  int Selection(int id) const;
  std::string Cell(int id, int row, int column) const;
  int FocusId() const;  // the control with the focus, -1 when none
  int PageCount() const;
  int ActivePage() const;
  std::string PageCaption(int index) const;

 private:
  struct Target {
    CWnd* window;  // the dialog or page the control belongs to
    Control* control;
  };
  Target Find(int id) const;
  Target FindForAction(int id) const;  // enabled, in an open window
  CWnd& Surface() const;               // the dialog, or the sheet's active page
  CPropertySheet& Sheet(const char* action) const;
  [[noreturn]] void Refuse(const std::string& why) const;

  CWnd& m_window;
  CDialog* m_dialog;
  CPropertySheet* m_sheet;
};
