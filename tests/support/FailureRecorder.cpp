#include "tests/support/FailureRecorder.h"

namespace {

const char* KindName(FailureKind kind) {
  switch (kind) {
    case FailureKind::refused:
      return "refused";
    case FailureKind::locked:
      return "locked";
    case FailureKind::unreachable:
      return "unreachable";
    case FailureKind::lost:
      return "lost";
    case FailureKind::commitUnknown:
      return "commitUnknown";
    case FailureKind::failed:
      return "failed";
    case FailureKind::lockLeftSet:
      return "lockLeftSet";
    case FailureKind::unexpected:
      return "unexpected";
  }
  return "?";
}

}  // namespace

FailureRecorder::FailureRecorder()
    : m_previous(SetFailureSink([this](const Failure& failure) { m_failures.push_back(failure); })) {}

FailureRecorder::~FailureRecorder() { SetFailureSink(std::move(m_previous)); }

std::string FailureRecorder::TakeOne() {
  const std::vector<Failure> failures = std::move(m_failures);
  m_failures.clear();
  if (failures.size() != 1) return std::to_string(failures.size()) + " failures";
  const Failure& failure = failures[0];
  return (failure.quiet ? "quiet " : "") + std::string(KindName(failure.kind)) + ": " + failure.text;
}
