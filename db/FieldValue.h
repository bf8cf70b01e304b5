#pragma once
// A recordset member: the value of one column of the current row, and whether the caller
// assigned it since the last AddNew or Edit. Only assigned members are written, so a new
// row leaves every other column (the key, the WO_ columns) to the database.

#include <cstdint>
#include <string>

template <typename T>
class FieldValue {
 public:
  FieldValue& operator=(const T& value) {
    value_ = value;
    assigned_ = true;
    return *this;
  }

  const T& Value() const { return value_; }
  bool IsAssigned() const { return assigned_; }

  // Fetching a row sets the value without counting as an assignment.
  void Load(const T& value) {
    value_ = value;
    assigned_ = false;
  }
  void Reset() { Load(T{}); }
  void ClearAssigned() { assigned_ = false; }

 private:
  T value_{};
  bool assigned_ = false;
};

using LongField = FieldValue<int32_t>;
using ShortField = FieldValue<int16_t>;
using TextField = FieldValue<std::string>;
