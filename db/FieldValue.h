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
    m_value = value;
    m_assigned = true;
    return *this;
  }

  const T& Value() const { return m_value; }
  bool IsAssigned() const { return m_assigned; }

  // Fetching a row sets the value without counting as an assignment; a text may come as a
  // view, assigned into the buffer the value already has.
  template <typename V>
  void Load(const V& value) {
    m_value = value;
    m_assigned = false;
  }
  void Reset() { Load(T{}); }
  void ClearAssigned() { m_assigned = false; }

 private:
  T m_value{};
  bool m_assigned = false;
};

using LongField = FieldValue<int32_t>;
using ShortField = FieldValue<int16_t>;
using TextField = FieldValue<std::string>;
