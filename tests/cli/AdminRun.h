#pragma once
// Runs veltrane-admin as a user would: the words as its arguments, `input` on its standard
// input (a pipe, so passwords come from its lines), in the test's environment.

#include <string>
#include <vector>

struct AdminOutcome {
  int status = -1;  // the exit status, or 128 + the signal that ended it
  std::string out;
  std::string err;
};

// A run, ended by Wait once its input is closed, or by a signal while it still waits for more
// input (holding the lock); killed if it still runs when destroyed. Its standard output goes to
// `outputPath` when one is given (its outcome's `out` is then empty).
class AdminRun {
 public:
  explicit AdminRun(const std::vector<std::string>& words, const std::string& input = "",
                    const char* outputPath = nullptr);
  ~AdminRun();
  AdminRun(const AdminRun&) = delete;
  AdminRun& operator=(const AdminRun&) = delete;

  // Closes its input and waits for the end.
  AdminOutcome Wait();
  // Sends the signal and waits for the end.
  AdminOutcome EndWith(int signal);
  // How many bytes it has written to standard output so far.
  size_t OutputSize() const;

 private:
  int m_pid = -1;
  int m_input = -1;
  int m_out;
  int m_err;
};
