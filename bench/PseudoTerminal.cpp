#include "bench/PseudoTerminal.h"

#include <pty.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

PseudoTerminal::PseudoTerminal(int rows, int cols) {
  winsize size{};
  size.ws_row = static_cast<unsigned short>(rows);
  size.ws_col = static_cast<unsigned short>(cols);
  int terminal = -1;
  if (openpty(&m_master, &terminal, nullptr, nullptr, &size) != 0)
    throw std::runtime_error("no pseudo-terminal");
  setenv("TERM", "xterm-256color", 1);
  unsetenv("LINES");  // the size is the terminal's own
  unsetenv("COLUMNS");
  std::fflush(stdout);
  m_savedInput = dup(STDIN_FILENO);
  m_savedOutput = dup(STDOUT_FILENO);
  dup2(terminal, STDIN_FILENO);
  dup2(terminal, STDOUT_FILENO);
  close(terminal);
  // Reads until the terminal side is closed (the read then fails).
  m_reader = std::thread([master = m_master] {
    char buffer[65536];
    while (read(master, buffer, sizeof buffer) > 0) {
    }
  });
}

PseudoTerminal::~PseudoTerminal() {
  std::fflush(stdout);
  dup2(m_savedInput, STDIN_FILENO);
  dup2(m_savedOutput, STDOUT_FILENO);
  close(m_savedInput);
  close(m_savedOutput);
  m_reader.join();
  close(m_master);
}
