#include "cli/Lookups.h"

#include <vector>

#include "cli/CliError.h"

ComputerRecord FindComputer(ConfigDatabase& database, const std::string& name) {
  std::vector<ComputerRecord> named;
  for (const ComputerRecord& computer : database.computers)
    if (computer.Name == name) named.push_back(computer);
  if (named.empty()) throw Refused("no computer is named \"" + name + "\"");
  if (named.size() > 1)
    throw Refused(std::to_string(named.size()) + " computers are named \"" + name + "\"; rename one first");
  return named.front();
}

VirtualServerRecord FindVirtualServer(ConfigDatabase& database, const std::string& address,
                                      const std::optional<std::string>& computer) {
  const int32_t computerId = computer ? FindComputer(database, *computer).ID : 0;
  database.LoadVirtualServers(address, ConfigDatabase::kOfAddress);
  std::vector<VirtualServerRecord> matches;
  for (const VirtualServerRecord& server : database.virtualServers)
    if (!computer || server.VServerGroupID == computerId) matches.push_back(server);
  const std::string where = computer ? " on computer \"" + *computer + "\"" : "";
  if (matches.empty()) throw Refused("no virtual server has the address \"" + address + "\"" + where);
  if (matches.size() > 1)
    throw Refused(std::to_string(matches.size()) + " virtual servers have the address \"" + address + "\"" +
                  where + "; choose one with --computer");
  return matches.front();
}

UserRecord FindUser(ConfigDatabase& database, const std::string& name) {
  database.ForgetUserQuery();
  database.LoadUsers(name, ConfigDatabase::kUserNamed);
  if (database.users.empty()) throw Refused("no account is named \"" + name + "\"");
  if (database.users.size() > 1)
    throw Refused(std::to_string(database.users.size()) + " accounts are named \"" + name + "\"");
  return database.users.front();
}

std::string ComputerName(const ConfigDatabase& database, int32_t computerId) {
  ComputerRecord computer;
  return database.FindComputerById(computerId, computer) ? computer.Name : std::string();
}
