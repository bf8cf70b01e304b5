#pragma once
// A value copy of one Preferences row, and its mutations. Key -1 until filled from a row.

#include <cstdint>
#include <list>
#include <string>

struct PreferenceRecord {
  std::string Description;
  int32_t PreferenceID = -1;
  int32_t VirtualServerID = -1;
  std::string Settings;

  // Each returns 1 when the row change was made, else 0 after reporting why (unless quiet).
  int Add(int quiet) const;
  int Update(int quiet) const;
};

using PreferenceList = std::list<PreferenceRecord>;
