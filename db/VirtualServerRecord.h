#pragma once
// A value copy of one VirtualServers row, and its mutations. Key -1 until filled from a row.

#include <cstdint>
#include <list>
#include <string>

struct VirtualServerRecord {
  std::string VServerDesc;
  int32_t VServerID = -1;
  int32_t VServerGroupID = -1;
  std::string VServerIPAddr;

  // Each returns 1 when the row change was made, else 0 after reporting why (unless quiet).
  int Add(int quiet) const;
  int Update(int quiet) const;
};

using VirtualServerList = std::list<VirtualServerRecord>;
