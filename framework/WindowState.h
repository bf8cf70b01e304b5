#pragma once
// The state of a created window: its controls (in tab order) with a typed wrapper each for
// GetDlgItem, its caption, which control has the focus, its timers and whether its modal
// loop has been ended. Dialogs and pages are made from a template; a sheet adds its buttons.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/Control.h"
#include "framework/FrameworkTypes.h"
#include "res/DialogTemplate.h"

class CWnd;
struct ModuleResources;

class WindowState {
 public:
  WindowState(CWnd& owner, std::string caption, const res::DialogTemplate* tmpl);
  ~WindowState();
  WindowState(const WindowState&) = delete;
  WindowState& operator=(const WindowState&) = delete;

  // A window with the template's caption and controls; bitmaps come from `module`.
  static std::unique_ptr<WindowState> FromTemplate(CWnd& owner, const res::DialogTemplate& tmpl,
                                                   const ModuleResources& module);

  Control& AddControl(int id, res::ControlKind kind, uint32_t style, const std::string& text);

  CWnd& Owner() const { return m_owner; }
  const res::DialogTemplate* Template() const { return m_template; }
  const std::string& Caption() const { return m_caption; }
  void SetCaption(const std::string& caption) { m_caption = caption; }
  const std::vector<std::unique_ptr<Control>>& Controls() const { return m_controls; }
  Control* FindControl(int id) const;
  CWnd* Item(int id) const;  // the control's wrapper

  // Binds `wrapper` to `control` of this window until the window ends or the wrapper goes.
  void Attach(CWnd& wrapper, Control& control);
  void Detach(CWnd& wrapper);

  int FocusId() const { return m_focusId; }
  // Moves on every request for the focus, so a backend applies each request once.
  unsigned FocusSerial() const { return m_focusSerial; }
  void SetFocusId(int id);
  // The first enabled tab stop, where the focus goes when a dialog opens; -1 when none.
  int FirstTabStop() const;

  const std::map<UINT_PTR, UINT>& Timers() const { return m_timers; }
  void SetTimer(UINT_PTR id, UINT elapse) { m_timers[id] = elapse; }
  bool KillTimer(UINT_PTR id) { return m_timers.erase(id) > 0; }

  bool Ended() const { return m_ended; }
  int Result() const { return m_result; }
  void End(int result);

 private:
  CWnd& m_owner;
  const res::DialogTemplate* m_template;
  std::string m_caption;
  std::vector<std::unique_ptr<Control>> m_controls;
  std::vector<std::unique_ptr<CWnd>> m_items;  // parallel to m_controls
  std::vector<CWnd*> m_attached;
  int m_focusId = -1;
  unsigned m_focusSerial = 0;
  std::map<UINT_PTR, UINT> m_timers;
  bool m_ended = false;
  int m_result = 0;
};
