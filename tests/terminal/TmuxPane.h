#pragma once
// A program run in a real pseudo-terminal: a pane of a tmux server of its own, read back as
// text. The server goes when the object does.

#include <string>

class TmuxPane {
 public:
  // Starts `command` (a shell command line) in a pane of `cols` x `rows`.
  TmuxPane(const std::string& command, int cols, int rows);
  ~TmuxPane();
  TmuxPane(const TmuxPane&) = delete;
  TmuxPane& operator=(const TmuxPane&) = delete;

  // Keys as tmux's send-keys names them ("Enter", "Tab", "F2") or, with `literally`, text.
  void Send(const std::string& keys, bool literally = false);
  std::string Screen() const;
  // The terminal goes away: the pane and its server end.
  void Close();
  // What tmux says of the pane in its format language, e.g. "#{alternate_on}".
  std::string Describe(const std::string& format) const;
  // The process the pane's shell runs now (its only child), or 0.
  int ShellChild() const;
  // Waits, at most 20 seconds, until the pane shows `text`; true when it did.
  bool WaitFor(const std::string& text) const;

 private:
  std::string Tmux(const std::string& arguments) const;

  std::string m_socket;
};
