#pragma once
// The median of a non-empty set of measurements (the upper middle one of an even count).

#include <algorithm>
#include <vector>

inline double Median(std::vector<double> values) {
  const auto middle = values.begin() + static_cast<long>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}
