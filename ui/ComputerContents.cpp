#include "ui/ComputerContents.h"

#include <unordered_set>

namespace {

bool ReachedByName(const ConfigDatabase& db, const ComputerRecord& computer) {
  return db.FindComputerIdByName(computer.Name) == computer.ID;
}

}  // namespace

VirtualServerList LoadVirtualServersOf(ConfigDatabase& db, const ComputerRecord& computer) {
  if (ReachedByName(db, computer))
    db.LoadVirtualServers(computer.Name, ConfigDatabase::kOfComputer);
  else
    db.LoadVirtualServers("", ConfigDatabase::kAll);
  VirtualServerList servers;
  for (const VirtualServerRecord& server : db.virtualServers)
    if (server.VServerGroupID == computer.ID) servers.push_back(server);
  return servers;
}

ComputerContents LoadContentsOf(ConfigDatabase& db, const ComputerRecord& computer) {
  ComputerContents contents{LoadVirtualServersOf(db, computer), {}};
  if (contents.virtualServers.empty()) return contents;
  if (ReachedByName(db, computer))
    db.LoadUsers(computer.Name, ConfigDatabase::kOfComputer);
  else
    db.LoadUsers("", ConfigDatabase::kAll);
  std::unordered_set<int32_t> serverIds;
  for (const VirtualServerRecord& server : contents.virtualServers) serverIds.insert(server.VServerID);
  for (const UserRecord& user : db.users)
    if (serverIds.contains(user.VirtualServerID)) contents.users.push_back(user);
  return contents;
}
