// The session's queries: each refills one cached list inside the guarded region, keeping
// the rows read before a failure, and remembers its kind and key only once it completed.

#include "db/CRSUsers.h"
#include "db/CRSVirtualServerGroup.h"
#include "db/CRSVirtualServers.h"
#include "db/ConfigDatabase.h"
#include "db/GuardedOperation.h"

void ConfigDatabase::ForgetUserQuery() {
  userQueryKind = 0;
  userQueryKey.clear();
}

void ConfigDatabase::ForgetVirtualServerQuery() {
  virtualServerQueryKind = 0;
  virtualServerQueryKey.clear();
}

void ConfigDatabase::LoadComputers() {
  computers.clear();
  RunGuarded(quiet, [this] {
    CRSVirtualServerGroup rows;
    rows.Open("SELECT * FROM VirtualServerGroup");
    for (; !rows.IsEOF(); rows.MoveNext())
      computers.push_back({rows.m_Name.Value(), rows.m_ID.Value(), rows.m_CurrentSite.Value()});
    rows.Close();
  });
}

std::optional<RowSelection> ConfigDatabase::VirtualServersSelection(const std::string& key, int kind) const {
  switch (kind) {
    case kAll:
      return RowSelection{"SELECT * FROM VirtualServers", {}};
    case kOfComputer:
      return RowSelection{"SELECT * FROM VirtualServers where VServerGroupID = ?", {FindComputerIdByName(key)}};
    case kOfAddress:
      return RowSelection{"SELECT * FROM VirtualServers where VServerIPAddr = ?", {key}};
    default:
      return std::nullopt;
  }
}

void ConfigDatabase::LoadVirtualServers(const std::string& key, int kind) {
  if (kind == virtualServerQueryKind && key == virtualServerQueryKey) return;
  virtualServers.clear();
  ForgetVirtualServerQuery();
  const auto selection = VirtualServersSelection(key, kind);
  if (!selection) return;
  const bool loaded = RunGuarded(quiet, [&] {
    CRSVirtualServers rows;
    rows.Open(selection->sql, selection->params);
    for (; !rows.IsEOF(); rows.MoveNext())
      virtualServers.push_back({rows.m_VServerDesc.Value(), rows.m_VServerID.Value(), rows.m_VServerGroupID.Value(),
                                rows.m_VServerIPAddr.Value()});
    rows.Close();
  });
  if (!loaded) return;
  virtualServerQueryKind = kind;
  virtualServerQueryKey = key;
}

std::optional<RowSelection> ConfigDatabase::UsersSelection(const std::string& key, int kind) {
  switch (kind) {
    case kAll:
      return RowSelection{"SELECT * FROM Users", {}};
    case kOfComputer: {
      LoadVirtualServers(key, kOfComputer);
      if (virtualServers.empty()) return std::nullopt;
      // Keys are written in decimal: a computer may have more virtual servers than an
      // engine accepts parameters.
      std::string sql = "SELECT * FROM Users where VirtualServerID in (";
      for (const auto& server : virtualServers)
        sql += (&server == &virtualServers.front() ? "" : ",") + std::to_string(server.VServerID);
      return RowSelection{sql + ")", {}};
    }
    case kOfAddress:
      LoadVirtualServers(key, kOfAddress);
      if (virtualServers.empty()) return std::nullopt;
      return RowSelection{"SELECT * FROM Users where VirtualServerID = ?", {FindVirtualServerIdByAddress(key)}};
    case kUserNamed:
      return RowSelection{"SELECT * FROM Users where UserName = ?", {key}};
    default:
      return std::nullopt;
  }
}

void ConfigDatabase::LoadUsers(const std::string& key, int kind) {
  if (kind == userQueryKind && key == userQueryKey) return;
  users.clear();
  ForgetUserQuery();
  const auto selection = UsersSelection(key, kind);
  if (!selection) return;
  const bool loaded = RunGuarded(quiet, [&] {
    CRSUsers rows;
    rows.Open(selection->sql, selection->params);
    for (; !rows.IsEOF(); rows.MoveNext())
      users.push_back({rows.m_UserID.Value(), rows.m_UserName.Value(), rows.m_Password.Value(),
                       rows.m_HomeDir.Value(), rows.m_Permissions.Value(), rows.m_VirtualServerID.Value(),
                       rows.m_DiskQuota.Value(), rows.m_Flag.Value()});
    rows.Close();
  });
  if (!loaded) return;
  userQueryKind = kind;
  userQueryKey = key;
}
