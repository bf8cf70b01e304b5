#include "tests/cli/AdminRun.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

namespace {

struct Child {
  int pid;
  int input, out, err;
};

Child Start(const std::vector<std::string>& words) {
  int in[2], out[2], err[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
    throw std::runtime_error("no pipes for veltrane-admin");
  const int pid = fork();
  if (pid == 0) {
    dup2(in[0], STDIN_FILENO);
    dup2(out[1], STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    std::vector<char*> argv{const_cast<char*>(ADMIN_PROGRAM)};
    for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    execv(ADMIN_PROGRAM, argv.data());
    _exit(127);
  }
  for (const int end : {in[0], out[1], err[1]}) close(end);
  return {pid, in[1], out[0], err[0]};
}

int Wait(int pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Everything both pipes carry until they close.
void Collect(int out, int err, AdminOutcome& outcome) {
  pollfd watched[2] = {{out, POLLIN, 0}, {err, POLLIN, 0}};
  std::string* texts[2] = {&outcome.out, &outcome.err};
  for (int open = 2; open > 0;) {
    poll(watched, 2, -1);
    for (int i = 0; i < 2; ++i) {
      if (watched[i].fd < 0 || !watched[i].revents) continue;
      char buffer[4096];
      const ssize_t got = read(watched[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        texts[i]->append(buffer, static_cast<size_t>(got));
      } else {
        close(watched[i].fd);
        watched[i].fd = -1;
        --open;
      }
    }
  }
}

}  // namespace

AdminOutcome RunAdmin(const std::vector<std::string>& words, const std::string& input) {
  const Child child = Start(words);
  signal(SIGPIPE, SIG_IGN);
  (void)!write(child.input, input.data(), input.size());
  close(child.input);
  AdminOutcome outcome;
  Collect(child.out, child.err, outcome);
  outcome.status = Wait(child.pid);
  return outcome;
}

RunningAdmin::RunningAdmin(const std::vector<std::string>& words, const std::string& firstInput) {
  const Child child = Start(words);
  pid_ = child.pid;
  input_ = child.input;
  output_[0] = child.out;  // kept open, unread: its prompt is far smaller than a pipe's buffer
  output_[1] = child.err;
  (void)!write(input_, firstInput.data(), firstInput.size());
}

RunningAdmin::~RunningAdmin() {
  for (const int fd : {input_, output_[0], output_[1]})
    if (fd >= 0) close(fd);
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    Wait(pid_);
  }
}

AdminOutcome RunningAdmin::EndWith(int signal) {
  kill(pid_, signal);
  AdminOutcome outcome;
  outcome.status = Wait(pid_);
  pid_ = -1;
  return outcome;
}
