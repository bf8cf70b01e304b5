#pragma once
// This process's standard input and output moved onto a new pseudo-terminal of a given size
// ($TERM xterm-256color), as a terminal emulator would run a program: what the program writes
// is read off and dropped meanwhile. Both are put back when it goes. Throws
// std::runtime_error when no pseudo-terminal can be had.

#include <thread>

class PseudoTerminal {
 public:
  PseudoTerminal(int rows, int cols);
  ~PseudoTerminal();  // not copyable, as its reading thread is not

 private:
  int m_master = -1;
  int m_savedInput = -1, m_savedOutput = -1;
  std::thread m_reader;
};
