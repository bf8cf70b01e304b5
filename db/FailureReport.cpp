#include "db/FailureReport.h"

#include <iostream>
#include <utility>

namespace {

FailureSink& Sink() {
  static FailureSink sink;
  return sink;
}

}  // namespace

FailureSink SetFailureSink(FailureSink sink) { return std::exchange(Sink(), std::move(sink)); }

void ReportFailure(const Failure& failure) {
  if (const auto& sink = Sink()) {
    sink(failure);
  } else if (!failure.quiet) {
    std::cerr << "veltrane: " << failure.text << '\n';
  }
}
