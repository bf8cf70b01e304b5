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

AdminOutcome RunAdmin(const std::vector<std::string>& words, const std::string& input = "");

// A run that is left waiting for more input, to be signalled while it holds the lock.
class RunningAdmin {
 public:
  RunningAdmin(const std::vector<std::string>& words, const std::string& firstInput);
  ~RunningAdmin();
  RunningAdmin(const RunningAdmin&) = delete;
  RunningAdmin& operator=(const RunningAdmin&) = delete;

  // Sends the signal and waits for the end; the outcome's out and err are not collected.
  AdminOutcome EndWith(int signal);

 private:
  int pid_ = -1;
  int input_ = -1;
  int output_[2] = {-1, -1};
};
