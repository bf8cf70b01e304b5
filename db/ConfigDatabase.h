#pragma once
// The applet's one database session: its cached lists of computers, virtual servers and
// users, the queries that refill them (each remembering its kind and key, so a repeated
// query returns at once), and lookups in the lists.

#include <cstdint>
#include <optional>
#include <string>

#include "db/ComputerRecord.h"
#include "db/RowSelection.h"
#include "db/UserRecord.h"
#include "db/VirtualServerRecord.h"

class ConfigDatabase {
 public:
  // Query kinds of LoadVirtualServers and LoadUsers.
  static constexpr int kAll = 1;           // every row; the key is remembered but not used
  static constexpr int kOfComputer = 2;    // key: a computer's Name
  static constexpr int kOfAddress = 3;     // key: a virtual server's address
  static constexpr int kUserNamed = 4;     // key: a user name (LoadUsers only)

  // Refills `computers` with every computer.
  void LoadComputers();
  // Refills `virtualServers` by kind 1 to 3, unless the list already holds that query's result.
  void LoadVirtualServers(const std::string& key, int kind);
  // Refills `users` by kind 1 to 4, unless the list already holds that query's result.
  // Kinds 2 and 3 first load the virtual servers of the computer or address.
  void LoadUsers(const std::string& key, int kind);
  void ForgetUserQuery();
  void ForgetVirtualServerQuery();

  // Lookups in the lists, no database access. Each copies the first match and returns 1,
  // or returns 0.
  int FindUserById(int32_t id, UserRecord& user) const;
  int FindVirtualServerById(int32_t id, VirtualServerRecord& server) const;
  int FindComputerById(int32_t id, ComputerRecord& computer) const;
  // The key of the first entry with exactly that address or name, else 0.
  int32_t FindVirtualServerIdByAddress(const std::string& address) const;
  int32_t FindComputerIdByName(const std::string& name) const;
  // Overwrites the cached user with the same UserID, if there is one.
  void UpdateCachedUser(const UserRecord& user);

  ComputerList computers;
  VirtualServerList virtualServers;
  UserList users;
  std::string computerName;
  int lockHeld = 0;
  int32_t lockedUserId = 0;
  int quiet = 0;
  int userQueryKind = 0;
  int virtualServerQueryKind = 0;
  std::string virtualServerQueryKey;
  std::string userQueryKey;

 private:
  // The statement of a query, or none when there is nothing to select.
  std::optional<RowSelection> VirtualServersSelection(const std::string& key, int kind) const;
  std::optional<RowSelection> UsersSelection(const std::string& key, int kind);
};
