#pragma once
// A value copy of one Users row, and its mutations. Key -1 until filled from a row.

#include <cstdint>
#include <list>
#include <string>

struct UserRecord {
  int32_t UserID = -1;
  std::string UserName;
  std::string Password;  // the password's digest, never the password
  std::string HomeDir;
  int32_t Permissions = -1;
  int32_t VirtualServerID = -1;
  int32_t DiskQuota = 0;
  int32_t Flag = 0;

  // Each returns 1 when the row change was made, else 0 after reporting why (unless quiet).
  int Add(int quiet) const;
  int Update(int quiet) const;
  int Delete(int quiet) const;

  // 1 when the digest of `password` is the stored Password, else 0.
  int CheckPassword(const std::string& password) const;
};

using UserList = std::list<UserRecord>;
