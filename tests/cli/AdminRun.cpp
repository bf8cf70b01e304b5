#include "tests/cli/AdminRun.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <stdexcept>

namespace {

// A file of its own, in memory, for a child's output.
int TemporaryFile() {
  const int fd = memfd_create("veltrane-admin", MFD_CLOEXEC);
  if (fd < 0) throw std::runtime_error("no temporary file for veltrane-admin");
  return fd;
}

// 0 for a device such as /dev/full.
size_t FileSize(int fd) {
  struct stat status {};
  return fstat(fd, &status) == 0 && S_ISREG(status.st_mode) ? static_cast<size_t>(status.st_size) : 0;
}

std::string ReadAll(int fd) {
  std::string text(FileSize(fd), '\0');
  text.resize(static_cast<size_t>(std::max<ssize_t>(pread(fd, text.data(), text.size(), 0), 0)));
  return text;
}

}  // namespace

AdminRun::AdminRun(const std::vector<std::string>& words, const std::string& input, const char* outputPath)
    : m_out(outputPath ? open(outputPath, O_WRONLY | O_CLOEXEC) : TemporaryFile()), m_err(TemporaryFile()) {
  if (m_out < 0) throw std::runtime_error(std::string("cannot open ") + outputPath);
  int in[2];
  if (pipe2(in, O_CLOEXEC) != 0) throw std::runtime_error("no pipe for veltrane-admin");
  m_pid = fork();
  if (m_pid == 0) {
    dup2(in[0], STDIN_FILENO);
    dup2(m_out, STDOUT_FILENO);
    dup2(m_err, STDERR_FILENO);
    std::vector<char*> argv{const_cast<char*>(ADMIN_PROGRAM)};
    for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    execv(ADMIN_PROGRAM, argv.data());
    _exit(127);
  }
  close(in[0]);
  m_input = in[1];
  signal(SIGPIPE, SIG_IGN);  // it may end before it reads
  (void)!write(m_input, input.data(), input.size());
}

AdminRun::~AdminRun() {
  if (m_pid > 0) EndWith(SIGKILL);
  for (const int fd : {m_input, m_out, m_err})
    if (fd >= 0) close(fd);
}

AdminOutcome AdminRun::Wait() {
  close(m_input);
  m_input = -1;
  int status = 0;
  waitpid(m_pid, &status, 0);
  m_pid = -1;
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), ReadAll(m_out), ReadAll(m_err)};
}

AdminOutcome AdminRun::EndWith(int signal) {
  kill(m_pid, signal);
  return Wait();
}

size_t AdminRun::OutputSize() const { return FileSize(m_out); }
