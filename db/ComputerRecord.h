#pragma once
// A value copy of one VirtualServerGroup row (one computer), and its mutations. Key -1 until
// filled from a row.

#include <cstdint>
#include <list>
#include <string>

struct ComputerRecord {
  std::string Name;
  int32_t ID = -1;
  std::string CurrentSite;

  // Each returns 1 when the row change was made, else 0 after reporting why (unless quiet).
  int Add(int quiet) const;
  int Update(int quiet) const;
};

using ComputerList = std::list<ComputerRecord>;
