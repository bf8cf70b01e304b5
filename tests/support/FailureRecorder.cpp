#include "tests/support/FailureRecorder.h"

FailureRecorder::FailureRecorder()
    : m_previous(SetFailureSink([this](const Failure& failure) { m_failures.push_back(failure); })) {}

FailureRecorder::~FailureRecorder() { SetFailureSink(std::move(m_previous)); }

std::string FailureRecorder::TakeOne() {
  // In the order of FailureKind.
  static const char* const kinds[] = {"refused",       "locked", "unreachable", "lost",
                                      "commitUnknown", "failed", "lockLeftSet", "unexpected"};
  const std::vector<Failure> failures = std::move(m_failures);
  m_failures.clear();
  if (failures.size() != 1) return std::to_string(failures.size()) + " failures";
  const Failure& failure = failures[0];
  return (failure.quiet ? "quiet " : "") + std::string(kinds[static_cast<int>(failure.kind)]) + ": " +
         failure.text;
}
