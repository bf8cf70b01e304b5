#include "tests/terminal/TmuxPane.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include "tests/support/ShellCommand.h"

namespace {

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

TmuxPane::TmuxPane(const std::string& command, int cols, int rows) {
  static std::atomic<int> count{0};
  m_socket = "veltrane-test-" + std::to_string(getpid()) + "-" + std::to_string(count++);
  Tmux("new-session -d -x " + std::to_string(cols) + " -y " + std::to_string(rows) + " " + Quoted(command));
}

TmuxPane::~TmuxPane() { Close(); }

std::string TmuxPane::Tmux(const std::string& arguments) const {
  return RunShellCommand("tmux -L " + m_socket + " -f /dev/null " + arguments + " 2>&1").output;
}

void TmuxPane::Send(const std::string& keys, bool literally) {
  Tmux(std::string("send-keys ") + (literally ? "-l " + Quoted(keys) : keys));
}

std::string TmuxPane::Screen() const { return Tmux("capture-pane -p"); }

void TmuxPane::Close() { Tmux("kill-server"); }

std::string TmuxPane::Describe(const std::string& format) const {
  std::string answer = Tmux("display-message -p " + Quoted(format));
  if (!answer.empty() && answer.back() == '\n') answer.pop_back();
  return answer;
}

int TmuxPane::ShellChild() const {
  const std::string shell = Describe("#{pane_pid}");
  std::ifstream children("/proc/" + shell + "/task/" + shell + "/children");
  int child = 0;
  children >> child;
  return child;
}

bool TmuxPane::WaitFor(const std::string& text) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    if (Screen().find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}
