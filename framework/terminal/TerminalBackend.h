#pragma once
// The backend in a text terminal: every dialog, property sheet, message box and folder
// chooser drawn in character cells from the same templates, run by the keyboard.
//
// While a window waits for keys its timers (and those of the windows below it) keep firing.
// A window opened from a module (its templates) not seen before measures the terminal
// against the largest window the module can make, so a terminal too small for a later window
// is told before the first shows. When it does not fit, the run ends: the window is closed
// with Cancel, and so is every later window, and every later question is answered with its most
// cautious button, so the applet unwinds as if cancelled; Failure() then says what size the
// terminal needs. A terminal made too small while a window is open shows the size it needs
// until it is large enough again, and no key reaches a window meanwhile. A wind-down request (a termination
// signal) is handled the same way as a window that does not fit, without the failure.

#include <functional>
#include <string>
#include <vector>

#include "framework/Backend.h"
#include "framework/terminal/Surface.h"
#include "framework/terminal/TimerSchedule.h"

class Terminal;
struct ModuleResources;

class TerminalBackend : public Backend {
 public:
  explicit TerminalBackend(Terminal& terminal);

  void RunModal(CWnd& window) override;
  void EndModal(CWnd& window) override;
  int MessageBox(CWnd* owner, const std::string& text, const std::string& caption, UINT style) override;
  std::optional<std::string> BrowseForFolder(CWnd* owner, const std::string& title, UINT flags) override;
  // Between keys, rows for about 10 ms at a time: the first screen is drawn after the first
  // batch and a key waits for one batch at most.
  bool FeedsListFills() const override { return true; }

  // `requested` says whether to wind down; `descriptor` (or -1) becomes readable when it should.
  void SetWindDown(std::function<bool()> requested, int descriptor);
  const std::string& Failure() const { return m_failure; }  // empty unless a window did not fit

 private:
  // Runs the surface's modal loop, or abandons it at once while winding down.
  void Run(Surface& surface);
  bool WindingDown() const;
  // Ends the run (Failure()) unless the terminal holds the current module's largest window.
  void CheckModuleFits();
  const Surface* FirstHidden(CellSize screen) const;
  void Redraw();
  void WaitAndDispatch(Surface& surface);
  int MillisecondsToWait(Surface& surface) const;
  void FollowTimers();
  void FireTimers();
  // Runs logic for one user action; a failure escaping it is reported, never passed on.
  void Deliver(const std::function<void()>& action);

  Terminal& m_terminal;
  std::vector<Surface*> m_open;  // bottom first
  TimerSchedule m_timers;
  std::function<bool()> m_windDownRequested;
  int m_windDownDescriptor = -1;
  std::string m_failure;
  const ModuleResources* m_checkedModule = nullptr;
};
