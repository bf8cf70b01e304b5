#pragma once
// The backend without windows: every modal window, message box and folder chooser is handed
// to a ScriptDriver (a test's steps, or a UI script being replayed).
//
// The first ScriptError of a run is kept as its failure and passed on to the caller. From
// then on the backend winds the program down without further changes: every window is
// closed with IDCANCEL as it opens, every message box is answered with its most cautious
// button (Cancel, else No, else OK) and every folder chooser is cancelled.

#include <string>

#include "framework/Backend.h"
#include "framework/scripted/ScriptDriver.h"

class ScriptedBackend : public Backend {
 public:
  explicit ScriptedBackend(ScriptDriver& driver);

  void RunModal(CWnd& window) override;
  void EndModal(CWnd& window) override;
  int MessageBox(CWnd* owner, const std::string& text, const std::string& caption, UINT style) override;
  std::optional<std::string> BrowseForFolder(CWnd* owner, const std::string& title, UINT flags) override;

  const std::string& Failure() const { return m_failure; }  // empty while all went as scripted

  // A list's fill runs to its end as it begins, unless a test feeds fills itself
  // (ContinueListFills), to act on a list that is still filling.
  bool FeedsListFills() const override { return m_feedsListFills; }
  void SetFeedsListFills(bool feeds) { m_feedsListFills = feeds; }

 private:
  template <class Action>
  auto Guarded(Action&& action);

  ScriptDriver& m_driver;
  std::string m_failure;
  bool m_feedsListFills = false;
};
