#include "db/StatementCounter.h"

#include <atomic>

namespace {

std::atomic<uint64_t>& ExecutionCount() {
  static std::atomic<uint64_t> count{0};
  return count;
}

}  // namespace

uint64_t StatementsExecuted() { return ExecutionCount().load(); }

void CountStatementExecution() { ++ExecutionCount(); }
