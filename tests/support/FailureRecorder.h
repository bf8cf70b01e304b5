#pragma once
// Records every failure the model reports while it lives, quiet ones included.

#include <string>
#include <vector>

#include "db/FailureReport.h"

class FailureRecorder {
 public:
  FailureRecorder();
  ~FailureRecorder();
  FailureRecorder(const FailureRecorder&) = delete;
  FailureRecorder& operator=(const FailureRecorder&) = delete;

  const std::vector<Failure>& Failures() const { return m_failures; }
  // The one failure reported since the last call, as "kind: text" ("quiet kind: text" for a
  // quiet one); "N failures" when there was not exactly one. Forgets them.
  std::string TakeOne();

 private:
  std::vector<Failure> m_failures;
  FailureSink m_previous;
};
