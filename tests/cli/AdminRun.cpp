#include "tests/cli/AdminRun.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

namespace {

// A file of its own, in memory, for a child's output.
int TemporaryFile() {
  const int fd = memfd_create("veltrane-admin", MFD_CLOEXEC);
  if (fd < 0) throw std::runtime_error("no temporary file for veltrane-admin");
  return fd;
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  lseek(fd, 0, SEEK_SET);
  for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
    text.append(buffer, static_cast<size_t>(got));
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
  struct stat output {};
  const bool toFile = fstat(m_out, &output) == 0 && S_ISREG(output.st_mode);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), toFile ? ReadAll(m_out) : "",
          ReadAll(m_err)};
}

AdminOutcome AdminRun::EndWith(int signal) {
  kill(m_pid, signal);
  return Wait();
}

size_t AdminRun::OutputSize() const {
  struct stat status {};
  return fstat(m_out, &status) == 0 ? static_cast<size_t>(status.st_size) : 0;
}
