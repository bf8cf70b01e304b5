#pragma once
// Runs veltrane-admin as a user would: the words as its arguments, `input` on its standard
// input (a pipe, so passwords come from its lines), in the test's environment.

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <stdexcept>
#include <string>
#include <vector>

struct AdminOutcome {
  int status = -1;  // the exit status, or 128 + the signal that ended it
  std::string out;
  std::string err;
};

// A run, ended by Wait once its input is closed, or by a signal while it still waits for more
// input (holding the lock); killed if it still runs when destroyed. Its standard output goes to
// `outputPath` when one is given, else to a file in memory as its standard error does.
class AdminRun {
 public:
  explicit AdminRun(const std::vector<std::string>& words, const std::string& input = "",
                    const char* outputPath = nullptr)
      : m_out(outputPath ? open(outputPath, O_WRONLY | O_CLOEXEC) : memfd_create("out", MFD_CLOEXEC)),
        m_err(memfd_create("err", MFD_CLOEXEC)) {
    int in[2];
    if (m_out < 0 || m_err < 0 || pipe2(in, O_CLOEXEC) != 0) throw std::runtime_error("no files for a run");
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
  ~AdminRun() {
    if (m_pid > 0) EndWith(SIGKILL);
    for (const int fd : {m_input, m_out, m_err})
      if (fd >= 0) close(fd);
  }
  AdminRun(const AdminRun&) = delete;
  AdminRun& operator=(const AdminRun&) = delete;

  // Closes its input and waits for the end.
  AdminOutcome Wait() {
    close(m_input);
    m_input = -1;
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), ReadAll(m_out), ReadAll(m_err)};
  }
  // Sends the signal and waits for the end.
  AdminOutcome EndWith(int signal) {
    kill(m_pid, signal);
    return Wait();
  }
  // How many bytes it has written to standard output so far; 0 for a device such as /dev/full.
  size_t OutputSize() const { return FileSize(m_out); }

 private:
  static size_t FileSize(int fd) {
    struct stat status {};
    return fstat(fd, &status) == 0 && S_ISREG(status.st_mode) ? static_cast<size_t>(status.st_size) : 0;
  }
  static std::string ReadAll(int fd) {
    std::string text(FileSize(fd), '\0');
    return text.substr(0, static_cast<size_t>(std::max<ssize_t>(pread(fd, text.data(), text.size(), 0), 0)));
  }

  int m_pid = -1;
  int m_input = -1;
  int m_out;
  int m_err;
};
