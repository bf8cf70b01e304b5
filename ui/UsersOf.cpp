#include "ui/UsersOf.h"

#include "db/ConfigDatabase.h"
#include "ui/ComputerContents.h"

void LoadUsersOfVirtualServer(ConfigDatabase& database, int32_t serverId, const std::string& address) {
  database.ForgetUserQuery();
  database.LoadUsers(address, ConfigDatabase::kOfAddress);
  if (database.FindVirtualServerIdByAddress(address) == serverId) return;
  database.ForgetUserQuery();
  database.LoadUsers("", ConfigDatabase::kAll);
  std::erase_if(database.users, [serverId](const UserRecord& user) { return user.VirtualServerID != serverId; });
  // The list no longer holds the whole result of the query it remembers.
  database.ForgetUserQuery();
}

void LoadUsersOfComputer(ConfigDatabase& database, const ComputerRecord& computer) {
  database.ForgetUserQuery();
  UserList users = LoadContentsOf(database, computer).users;
  database.users = std::move(users);
  database.ForgetUserQuery();
}
