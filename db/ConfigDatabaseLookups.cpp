// The session's lookups in its cached lists: first match from the head, copies handed out.

#include <algorithm>

#include "db/ConfigDatabase.h"

namespace {

template <typename List, typename Predicate>
int CopyFirst(const List& list, Predicate matches, typename List::value_type& found) {
  const auto match = std::find_if(list.begin(), list.end(), matches);
  if (match == list.end()) return 0;
  found = *match;
  return 1;
}

}  // namespace

int ConfigDatabase::FindUserById(int32_t id, UserRecord& user) const {
  return CopyFirst(
      users, [id](const UserRecord& candidate) { return candidate.UserID == id; }, user);
}

int ConfigDatabase::FindVirtualServerById(int32_t id, VirtualServerRecord& server) const {
  return CopyFirst(
      virtualServers, [id](const VirtualServerRecord& candidate) { return candidate.VServerID == id; },
      server);
}

int ConfigDatabase::FindComputerById(int32_t id, ComputerRecord& computer) const {
  return CopyFirst(
      computers, [id](const ComputerRecord& candidate) { return candidate.ID == id; }, computer);
}

int32_t ConfigDatabase::FindVirtualServerIdByAddress(const std::string& address) const {
  VirtualServerRecord server;
  return CopyFirst(
             virtualServers,
             [&address](const VirtualServerRecord& candidate) { return candidate.VServerIPAddr == address; },
             server)
             ? server.VServerID
             : 0;
}

int32_t ConfigDatabase::FindComputerIdByName(const std::string& name) const {
  ComputerRecord computer;
  return CopyFirst(
             computers, [&name](const ComputerRecord& candidate) { return candidate.Name == name; }, computer)
             ? computer.ID
             : 0;
}

void ConfigDatabase::UpdateCachedUser(const UserRecord& user) {
  const auto cached = std::find_if(users.begin(), users.end(), [&user](const UserRecord& candidate) {
    return candidate.UserID == user.UserID;
  });
  if (cached != users.end()) *cached = user;
}
