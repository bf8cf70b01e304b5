// The session's queries: each refills one cached list inside the guarded region, keeping
// the rows read before a failure, and remembers its kind and key only once it completed;
// and the account lists, which go straight to the caller and are not kept.

#include <functional>
#include <optional>

#include "db/CRSUsers.h"
#include "db/CRSVirtualServerGroup.h"
#include "db/CRSVirtualServers.h"
#include "db/ConfigDatabase.h"
#include "db/GuardedOperation.h"
#include "db/UserMatch.h"

namespace {

// Lists come in one order on every engine and after every change (a table scan's order moves
// rows that were updated, such as an account whose lock was set): accounts by name, then by
// key; virtual servers by key, the order they were added in, which the sheet's choice of a
// computer's site by the first address that begins with it relies on.
const std::string kServerOrder = " ORDER BY VServerID";
const std::string kUserOrder = " ORDER BY UserName, UserID";
// The same order for accounts that match a text: the engine reads the table as it lies and
// sorts what matches. Read in name order through the index, each row would be a jump to
// another page of the table: five times slower at a million accounts when a hundred match,
// and slower still when all do. An expression has no index, so neither engine takes one.
const std::string kMatchedUserOrder = " ORDER BY UserName || '', UserID";

// The accounts that meet `condition` (none: all) and match `match` (empty: all), in order.
RowSelection UsersWhere(std::string condition, const std::string& match) {
  RowSelection selection{"SELECT * FROM Users", {}};
  if (!match.empty()) {
    UserCondition matching = UserMatchCondition(match);
    condition += (condition.empty() ? "" : " AND ") + matching.sql;
    selection.params = std::move(matching.params);
  }
  if (!condition.empty()) selection.sql += " where " + condition;
  selection.sql += match.empty() ? kUserOrder : kMatchedUserOrder;
  return selection;
}

// Refills a cached list by the query of `kind` and `key`, unless the list holds that query's
// result already. The query is remembered only once `read` has completed.
template <typename List>
void RefillUnlessRemembered(List& list, int& rememberedKind, std::string& rememberedKey, int kind,
                            const std::string& key,
                            const std::function<std::optional<RowSelection>()>& select,
                            const std::function<bool(const RowSelection&)>& read) {
  if (kind == rememberedKind && key == rememberedKey) return;
  list.clear();
  rememberedKind = 0;
  rememberedKey.clear();
  const auto selection = select();
  if (!selection || !read(*selection)) return;
  rememberedKind = kind;
  rememberedKey = key;
}

}  // namespace

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
    rows.Open("SELECT * FROM VirtualServerGroup ORDER BY Name, ID");
    for (; !rows.IsEOF(); rows.MoveNext())
      computers.push_back({rows.m_Name.Value(), rows.m_ID.Value(), rows.m_CurrentSite.Value()});
    rows.Close();
  });
}

std::optional<RowSelection> ConfigDatabase::VirtualServersSelection(const std::string& key, int kind) const {
  switch (kind) {
    case kAll:
      return RowSelection{"SELECT * FROM VirtualServers" + kServerOrder, {}};
    case kOfComputer:
      return RowSelection{"SELECT * FROM VirtualServers where VServerGroupID = ?" + kServerOrder,
                          {FindComputerIdByName(key)}};
    case kOfAddress:
      return RowSelection{"SELECT * FROM VirtualServers where VServerIPAddr = ?" + kServerOrder, {key}};
    case kOfComputerKey:
      return RowSelection{"SELECT * FROM VirtualServers where VServerGroupID = ?" + kServerOrder,
                          {std::stoi(key)}};
    default:
      return std::nullopt;
  }
}

void ConfigDatabase::LoadVirtualServers(const std::string& key, int kind) {
  const auto read = [this](const RowSelection& selection) {
    return RunGuarded(quiet, [&] {
      CRSVirtualServers rows;
      rows.Open(selection.sql, selection.params);
      for (; !rows.IsEOF(); rows.MoveNext())
        virtualServers.push_back({rows.m_VServerDesc.Value(), rows.m_VServerID.Value(),
                                  rows.m_VServerGroupID.Value(), rows.m_VServerIPAddr.Value()});
      rows.Close();
    });
  };
  RefillUnlessRemembered(
      virtualServers, virtualServerQueryKind, virtualServerQueryKey, kind, key,
      [&] { return VirtualServersSelection(key, kind); }, read);
}

std::optional<RowSelection> ConfigDatabase::UsersSelection(const std::string& key, int kind) {
  switch (kind) {
    case kAll:
      return RowSelection{"SELECT * FROM Users" + kUserOrder, {}};
    case kOfComputer:
      LoadVirtualServers(key, kOfComputer);
      if (virtualServers.empty()) return std::nullopt;
      return UsersOfComputer(FindComputerIdByName(key));
    case kOfAddress:
      LoadVirtualServers(key, kOfAddress);
      if (virtualServers.empty()) return std::nullopt;
      return RowSelection{"SELECT * FROM Users where VirtualServerID = " +
                              std::to_string(FindVirtualServerIdByAddress(key)) + kUserOrder,
                          {}};
    case kUserNamed:
      return RowSelection{"SELECT * FROM Users where UserName = ?", {key}};
    default:
      return std::nullopt;
  }
}

void ConfigDatabase::LoadUsers(const std::string& key, int kind) {
  const auto read = [this](const RowSelection& selection) {
    const auto keep = [this](const UserRecord& user) { users.push_back(user); };
    return ListUsers(selection, keep, CRecordset::kRowsPerFetch) != 0;
  };
  RefillUnlessRemembered(
      users, userQueryKind, userQueryKey, kind, key, [&] { return UsersSelection(key, kind); }, read);
}

const VirtualServerList& ConfigDatabase::LoadVirtualServersOfComputer(int32_t computerId) {
  LoadVirtualServers(std::to_string(computerId), kOfComputerKey);
  return virtualServers;
}

int ConfigDatabase::ListUsers(const RowSelection& selection, const UserVisitor& show, size_t rowsPerFetch) {
  return RunGuarded(quiet,
                    [&] {
                      CRSUsers rows;
                      rows.Open(selection.sql, selection.params, rowsPerFetch);
                      UserRecord user;
                      for (; !rows.IsEOF(); rows.MoveNext()) {
                        rows.CurrentRecord(user);
                        show(user);
                      }
                      rows.Close();
                    })
             ? 1
             : 0;
}

// Keys are written in decimal rather than bound: the SQLite driver hands rows over as it
// reads them only for a statement without markers, so a bound key would make it read the
// whole result first. The filter's text is bound; only its matches are read ahead.
RowSelection ConfigDatabase::UsersOfVirtualServer(int32_t serverId, const std::string& match) {
  return UsersWhere("VirtualServerID = " + std::to_string(serverId), match);
}

RowSelection ConfigDatabase::UsersOfComputer(int32_t computerId, const std::string& match) {
  return UsersWhere("VirtualServerID in (SELECT VServerID FROM VirtualServers where VServerGroupID = " +
                        std::to_string(computerId) + ")",
                    match);
}

RowSelection ConfigDatabase::AllUsers(const std::string& match) { return UsersWhere("", match); }

int ConfigDatabase::ListUsersOfVirtualServer(int32_t serverId, const UserVisitor& show,
                                             const std::string& match) {
  return ListUsers(UsersOfVirtualServer(serverId, match), show, CRecordset::kRowsPerFetch);
}

int ConfigDatabase::ListUsersOfComputer(int32_t computerId, const UserVisitor& show,
                                        const std::string& match) {
  return ListUsers(UsersOfComputer(computerId, match), show, CRecordset::kRowsPerFetch);
}

int ConfigDatabase::ListAllUsers(const UserVisitor& show, const std::string& match) {
  return ListUsers(AllUsers(match), show, CRecordset::kRowsPerFetch);
}

int ConfigDatabase::ReadUser(int32_t userId, UserRecord& user) {
  int found = 0;
  ListUsers(
      {"SELECT * FROM Users where UserID = ?", {userId}},
      [&](const UserRecord& row) {
        user = row;
        found = 1;
      },
      1);
  return found;
}
