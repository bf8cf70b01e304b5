#pragma once
// The real terminal, on ncurses (wide build), on standard input and output. It takes the
// terminal over when made and gives it back, as it found it, when destroyed, when the
// process exits, and when a signal ends the process (a crash, or a termination signal that
// ends it at once: TerminalRescue.h). Standard error is held back meanwhile (it would write
// over the screen) and written out once the terminal is given back.
//
// A terminal that goes away (end of file or a read error, as when the session leader ignores
// the hang-up and none comes) is Gone(): the backend winds the applet down, and the process
// then ends by SIGHUP, as it would have on the hang-up.

#include <optional>
#include <stdexcept>

#include "framework/terminal/KeyDecoder.h"
#include "framework/terminal/Terminal.h"

class TerminalScreen : public Terminal, private Canvas {
 public:
  // Throws TerminalUnavailable when standard input and output are not a terminal that
  // ncurses can run.
  TerminalScreen();
  ~TerminalScreen() override;
  TerminalScreen(const TerminalScreen&) = delete;
  TerminalScreen& operator=(const TerminalScreen&) = delete;

  CellSize Size() const override;
  Canvas& BeginFrame() override;
  void EndFrame() override;
  std::optional<Key> WaitForKey(int timeoutMs, int wakeDescriptor) override;
  bool Gone() const override { return m_gone; }

 private:
  void Text(int row, int col, const std::string& text, int width, Look look, char fill) override;
  void Frame(int row, int col, int rows, int cols) override;
  void Caret(int row, int col) override;
  bool Dims() const override { return m_dims; }
  bool FollowResize();
  bool ReadInput();

  std::optional<KeyDecoder> m_decoder;
  int m_escapeDelayMs = 0;
  CellSize m_size;
  bool m_gone = false;
  bool m_dims = true;
  bool m_caretShown = false;
  int m_caretRow = 0, m_caretCol = 0;
};

class TerminalUnavailable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
