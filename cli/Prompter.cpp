#include "cli/Prompter.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <iostream>

#include "cli/CliError.h"
#include "platform/TerminationSignals.h"

namespace {

// Turns the terminal's echo off for as long as it lives.
class EchoOff {
 public:
  EchoOff() : m_active(tcgetattr(STDIN_FILENO, &m_saved) == 0) {
    if (!m_active) return;
    termios quiet = m_saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
  }
  ~EchoOff() {
    if (m_active) tcsetattr(STDIN_FILENO, TCSAFLUSH, &m_saved);
  }

 private:
  termios m_saved{};
  bool m_active;
};

bool FromTerminal() { return isatty(STDIN_FILENO) != 0; }

// Waits for input or a termination signal, which ends the command.
void WaitForInput() {
  pollfd watched[2] = {{STDIN_FILENO, POLLIN, 0}, {TerminationDescriptor(), POLLIN, 0}};
  while (!TerminationRequested() && poll(watched, 2, -1) < 0) {
  }
  if (TerminationRequested()) throw Refused("interrupted; nothing was changed");
}

// One line of standard input without its line end, read a byte at a time so that nothing
// after it is taken from the caller's input.
std::string ReadLine(const char* what) {
  std::string line;
  for (;;) {
    WaitForInput();
    char c = 0;
    const ssize_t got = read(STDIN_FILENO, &c, 1);
    if (got <= 0) {
      if (line.empty()) throw Refused(std::string("no ") + what + " on standard input");
      break;
    }
    if (c == '\n') break;
    line += c;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::string AskHidden(const std::string& prompt, const char* what) {
  if (!FromTerminal()) return ReadLine(what);
  std::cerr << prompt << std::flush;
  std::string answer;
  {
    EchoOff echoOff;
    answer = ReadLine(what);
  }
  std::cerr << '\n';
  return answer;
}

}  // namespace

std::string AskAdministratorPassword(const std::string& why) {
  if (FromTerminal() && !why.empty()) std::cerr << why << '\n';
  std::string password = AskHidden("Password for admin: ", "administrator's password");
  if (password.empty()) throw Refused("the password is empty");
  return password;
}

std::string AskDatabasePassword() {
  std::string password = AskHidden("Password of the database account: ", "database password");
  if (password.empty()) throw Refused("the database password is empty");
  return password;
}

std::string AskNewPassword(const std::string& account) {
  const std::string password = AskHidden("New password for " + account + ": ", "new password");
  if (password.empty()) throw Refused("Please specify Password");
  if (FromTerminal() && AskHidden("Retype the new password: ", "new password") != password)
    throw Refused("Passwords do not match!!");
  return password;
}

void ConfirmDeletion(const std::string& what, bool yes) {
  if (yes) return;
  std::cerr << "This deletes " << what << ". Continue? [y/N] " << std::flush;
  std::string answer = ReadLine("answer");
  std::transform(answer.begin(), answer.end(), answer.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  if (answer != "y" && answer != "yes") throw Refused("nothing was deleted");
}
