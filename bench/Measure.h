#pragma once
// What the benchmark's programs measure with: a monotonic stopwatch, the median of a set of
// measurements and the process's peak resident set size.

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

// Seconds on the monotonic clock since construction.
class Stopwatch {
 public:
  double Seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
  }

 private:
  std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// The median of a non-empty set (the upper middle one of an even count).
inline double Median(std::vector<double> values) {
  const auto middle = values.begin() + static_cast<long>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

// The peak resident set size of this process so far (VmHWM), in KiB; 0 when unknown.
inline long PeakRssKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
  return 0;
}
