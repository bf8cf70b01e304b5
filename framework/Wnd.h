#pragma once
// CWnd: a window. Either a window made from a template (a dialog, a property page, a sheet),
// which owns its controls while it exists, or a wrapper for one of those controls (CEdit,
// CComboBox, ...), which reads and writes that control's state. A wrapper that is not
// attached, or a window not yet created, answers every call with nothing done.

#include <cstddef>
#include <memory>
#include <string>

#include "framework/FrameworkTypes.h"
#include "framework/MessageBox.h"

class CommandMap;
class Control;
class WindowState;

class CWnd {
 public:
  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // A window: its caption. A control: its text.
  void SetWindowText(const std::string& text);
  std::string GetWindowText() const;
  // Returns TRUE when the control was disabled before.
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  // Gives a control the keyboard focus in its window; returns the control that had it.
  CWnd* SetFocus();

  CWnd* GetDlgItem(int id) const;  // null when the window has no such control
  CWnd* GetParent() const;
  // Attaches this wrapper to control `id` of `parent`'s window.
  BOOL SubclassDlgItem(int id, CWnd* parent);

  // Window timers: OnTimer runs every `elapse` milliseconds on the user-interface thread
  // until KillTimer or the window's end. Returns the id, or 0 when there is no window.
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, std::nullptr_t timerProc = nullptr);
  BOOL KillTimer(UINT_PTR id);
  virtual void OnTimer(UINT_PTR id);

  int MessageBox(const std::string& text, const std::string& caption = "Error", UINT type = MB_OK);

  // A notification from control `id` (WM_COMMAND): runs the class's handler for it.
  // Returns FALSE when there is none.
  virtual BOOL OnCommand(int id, UINT code);

  // For backends and data exchange: the state behind this window or wrapper (null when
  // there is none).
  WindowState* GetWindowState() const { return m_pWindow.get(); }
  Control* GetControl() const { return m_pControl; }
  bool IsWindowCreated() const { return m_pWindow != nullptr; }

  // Ends this window's modal loop with `result`.
  virtual void EndModalLoop(int result);

 protected:
  virtual const CommandMap& GetCommandMap() const;
  void SetParentWnd(CWnd* parent) { m_pParentWnd = parent; }
  void CreateWindowState(std::unique_ptr<WindowState> state);
  void DestroyWindowState();

 private:
  friend class WindowState;
  Control* m_pControl = nullptr;
  CWnd* m_pParentWnd = nullptr;
  std::unique_ptr<WindowState> m_pWindow;
};
