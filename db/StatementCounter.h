#pragma once
// The number of statements executed in this process so far, so that tests can see how many
// statements really reached the database.

#include <cstdint>

uint64_t StatementsExecuted();

// Called by the ODBC layer once per execution.
void CountStatementExecution();
