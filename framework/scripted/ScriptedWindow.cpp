#include "framework/scripted/ScriptedWindow.h"

#include <algorithm>

#include "framework/Control.h"
#include "framework/Dialog.h"
#include "framework/PropertySheet.h"
#include "framework/WindowState.h"
#include "framework/scripted/ScriptError.h"
#include "framework/scripted/ScriptParser.h"

namespace {

std::string ControlName(int id) { return "control " + std::to_string(id); }

bool AllDigits(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

ScriptedWindow::ScriptedWindow(CWnd& window)
    : m_window(window),
      m_dialog(dynamic_cast<CDialog*>(&window)),
      m_sheet(dynamic_cast<CPropertySheet*>(&window)) {}

int ScriptedWindow::TemplateId() const { return m_dialog ? static_cast<int>(m_dialog->GetTemplateId()) : 0; }

std::string ScriptedWindow::Caption() const { return m_window.GetWindowText(); }

std::string ScriptedWindow::Describe() const {
  if (m_sheet) return "sheet " + QuoteForReport(Caption());
  return "dialog " + std::to_string(TemplateId()) + " " + QuoteForReport(Caption());
}

bool ScriptedWindow::Ended() const {
  const WindowState* state = m_window.GetWindowState();
  return !state || state->Ended();
}

void ScriptedWindow::Refuse(const std::string& why) const { throw ScriptError(Describe() + ": " + why); }

CWnd& ScriptedWindow::Surface() const {
  if (m_sheet && m_sheet->GetActivePage()) return *m_sheet->GetActivePage();
  return m_window;
}

ScriptedWindow::Target ScriptedWindow::Find(int id) const {
  for (CWnd* window : {&Surface(), &m_window})
    if (WindowState* state = window->GetWindowState())
      if (Control* control = state->FindControl(id)) return {window, control};
  Refuse("there is no " + ControlName(id));
}

ScriptedWindow::Target ScriptedWindow::FindForAction(int id) const {
  if (Ended()) Refuse("the window has closed");
  Target target = Find(id);
  if (!target.control->Enabled()) Refuse(ControlName(id) + " is disabled");
  target.window->GetWindowState()->SetFocusId(id);
  return target;
}

CPropertySheet& ScriptedWindow::Sheet(const char* action) const {
  if (!m_sheet) Refuse(std::string("only a sheet can ") + action);
  if (Ended()) Refuse("the window has closed");
  return *m_sheet;
}

void ScriptedWindow::SetText(int id, const std::string& text) {
  const Target target = FindForAction(id);
  Control& control = *target.control;
  if (control.Kind() != res::ControlKind::Edit) Refuse(ControlName(id) + " is not an edit field");
  if (control.ReadOnly()) Refuse(ControlName(id) + " is read-only");
  if ((control.Style() & res::ES_NUMBER) && !AllDigits(text))
    Refuse(ControlName(id) + " takes digits only, not " + QuoteForReport(text));
  control.SetText(text);
}

void ScriptedWindow::SetCheck(int id, bool checked) {
  const Target target = FindForAction(id);
  if (!target.control->IsCheckBox()) Refuse(ControlName(id) + " is not a check box");
  if ((target.control->Check() == BST_CHECKED) != checked) Click(id);
}

void ScriptedWindow::Select(int id, const std::string& prefix) {
  const Target target = FindForAction(id);
  Control& control = *target.control;
  if (control.Kind() != res::ControlKind::ComboBox) Refuse(ControlName(id) + " is not a combo box");
  const int row = control.FindRowWithPrefix(-1, prefix);
  if (row < 0) Refuse(ControlName(id) + " has no entry beginning with " + QuoteForReport(prefix));
  control.SetSelection(row);
  target.window->OnCommand(id, CBN_SELCHANGE);
}

void ScriptedWindow::SelectRow(int id, int row) {
  const Target target = FindForAction(id);
  Control& control = *target.control;
  if (control.Kind() != res::ControlKind::ListView) Refuse(ControlName(id) + " is not a list view");
  if (!control.HasRow(row)) Refuse(ControlName(id) + " has no row " + std::to_string(row));
  control.SetSelection(row);
}

void ScriptedWindow::Filter(int id, const std::string& text) {
  const Target target = FindForAction(id);
  if (target.control->Kind() != res::ControlKind::ListView) Refuse(ControlName(id) + " is not a list view");
  target.control->SetFilterText(text);
  target.window->OnCommand(id, LVN_FILTERCHANGED);
}

void ScriptedWindow::Click(int id) {
  const Target target = FindForAction(id);
  Control& control = *target.control;
  if (control.Kind() != res::ControlKind::Button || control.IsButtonOfType(res::BS_GROUPBOX))
    Refuse(ControlName(id) + " is not a button");
  if (control.IsCheckBox()) control.SetCheck(control.Check() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
  target.window->OnCommand(id, BN_CLICKED);
}

void ScriptedWindow::Cancel() {
  if (Ended()) Refuse("the window has closed");
  m_window.OnCommand(IDCANCEL, BN_CLICKED);
}

void ScriptedWindow::ActivatePage(int index) {
  CPropertySheet& sheet = Sheet("change tabs");
  if (!sheet.GetPage(index)) Refuse("there is no tab " + std::to_string(index));
  sheet.SetActivePage(index);
}

void ScriptedWindow::FireTimer(UINT_PTR id) {
  if (Ended()) Refuse("the window has closed");
  std::vector<CWnd*> windows{&Surface()};
  for (int i = 0; m_sheet && i < m_sheet->GetPageCount(); ++i) windows.push_back(m_sheet->GetPage(i));
  windows.push_back(&m_window);
  for (CWnd* window : windows)
    if (const WindowState* state = window->GetWindowState(); state && state->Timers().count(id)) {
      window->OnTimer(id);
      return;
    }
  Refuse("no timer " + std::to_string(id) + " is running");
}

void ScriptedWindow::CloseSheet(bool ok) {
  Sheet("be closed with OK or Cancel");
  Click(ok ? IDOK : IDCANCEL);
}

bool ScriptedWindow::Exists(int id) const {
  for (CWnd* window : {&Surface(), &m_window})
    if (WindowState* state = window->GetWindowState(); state && state->FindControl(id)) return true;
  return false;
}

std::string ScriptedWindow::Text(int id) const {
  const Control& control = *Find(id).control;
  if (control.Kind() != res::ControlKind::ComboBox) return control.Text();
  return control.HasRow(control.Selection()) ? std::string(control.Cell(control.Selection(), 0))
                                             : std::string();
}

bool ScriptedWindow::Enabled(int id) const { return Find(id).control->Enabled(); }

bool ScriptedWindow::Checked(int id) const { return Find(id).control->Check() == BST_CHECKED; }

int ScriptedWindow::Count(int id) const { return Find(id).control->RowCount(); }

int ScriptedWindow::Selection(int id) const { return Find(id).control->Selection(); }

std::string ScriptedWindow::Cell(int id, int row, int column) const {
  const Control& control = *Find(id).control;
  if (!control.HasRow(row)) Refuse(ControlName(id) + " has no row " + std::to_string(row));
  return std::string(control.Cell(row, column));
}

int ScriptedWindow::FocusId() const {
  const WindowState* state = Surface().GetWindowState();
  return state ? state->FocusId() : -1;
}

int ScriptedWindow::PageCount() const { return m_sheet ? m_sheet->GetPageCount() : 0; }

int ScriptedWindow::ActivePage() const { return m_sheet ? m_sheet->GetActiveIndex() : -1; }

std::string ScriptedWindow::PageCaption(int index) const {
  const res::DialogTemplate* tmpl = m_sheet ? m_sheet->GetPageTemplate(index) : nullptr;
  return tmpl ? tmpl->caption : std::string();
}
