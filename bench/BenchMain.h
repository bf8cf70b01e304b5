#pragma once
// The frame of the benchmark's programs: a usage line when the arguments do not fit (status
// 2), and a failure as "PROGRAM: message" on standard error (status 1).

#include <cstdio>
#include <exception>

// Runs body, which prints the program's figures, when the arguments fit.
template <class Body>
int BenchMain(const char* program, const char* arguments, bool fit, Body&& body) {
  if (!fit) {
    std::fprintf(stderr, "usage: %s %s\n", program, arguments);
    return 2;
  }
  try {
    body();
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", program, error.what());
    return 1;
  }
}
