#pragma once
// Seconds on the monotonic clock since construction or the last Restart.

#include <chrono>

class Stopwatch {
 public:
  void Restart() { m_start = std::chrono::steady_clock::now(); }
  double Seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
  }

 private:
  std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};
