#include "db/ConfigImport.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <unordered_map>

#include "db/ChangeStatement.h"
#include "db/ConnectionPool.h"
#include "db/GuardedOperation.h"
#include "db/OdbcConnection.h"
#include "db/TextLimit.h"
#include "db/TextRows.h"
#include "db/Transaction.h"

namespace {

using Row = TextRow;
using Document = ConfigDocument;

// Rows per multi-row INSERT: few statements, and few enough markers for any engine.
constexpr size_t kRowsPerInsert = 200;
constexpr size_t kNone = static_cast<size_t>(-1);

int32_t Number(const std::string& text) { return text.empty() ? 0 : static_cast<int32_t>(std::stol(text)); }

int32_t MaxKey(OdbcConnection& connection, const std::string& sql) {
  int32_t key = 0;
  ForEachTextRow(connection, sql, {}, [&](const Row& row) { key = Number(row[0]); });
  return key;
}

// A virtual server an imported row refers to: an existing one by key, or one the import adds.
struct ServerRef {
  int32_t id = -1;
  size_t added = kNone;
};

struct ExistingServer {
  int32_t id;
  int32_t computer;
  std::string address;
  std::string description;
};

struct ExistingAccount {
  int32_t id;
  std::string digest;
  std::string home;
  int32_t quota;
  int32_t permissions;
  int32_t server;
};

// The target's rows as they are before the import.
struct Existing {
  std::map<std::string, std::pair<int32_t, std::string>> computers;  // name: key and site
  std::map<int32_t, std::string> computerNames;
  std::vector<ExistingServer> servers;
  std::map<std::pair<int32_t, std::string>, std::pair<int32_t, std::string>> preferences;
  std::unordered_map<std::string, ExistingAccount> accounts;

  explicit Existing(OdbcConnection& connection) {
    ForEachTextRow(connection, "SELECT ID, Name, CurrentSite FROM VirtualServerGroup ORDER BY ID", {},
                   [&](const Row& row) {
                     computers.try_emplace(row[1], Number(row[0]), row[2]);
                     computerNames.emplace(Number(row[0]), row[1]);
                   });
    ForEachTextRow(
        connection,
        "SELECT VServerID, VServerGroupID, VServerIPAddr, VServerDesc FROM VirtualServers ORDER BY "
        "VServerID",
        {}, [&](const Row& row) {
          servers.push_back({Number(row[0]), Number(row[1]), row[2], row[3]});
        });
    ForEachTextRow(connection,
                   "SELECT PreferenceID, VirtualServerID, Description, Settings FROM Preferences ORDER BY "
                   "PreferenceID",
                   {}, [&](const Row& row) {
                     preferences.try_emplace({Number(row[1]), row[2]}, Number(row[0]), row[3]);
                   });
    ForEachTextRow(connection,
                   "SELECT UserID, UserName, Password, HomeDir, DiskQuota, Permissions, VirtualServerID FROM "
                   "Users ORDER BY UserID",
                   {}, [&](const Row& row) {
                     accounts.try_emplace(row[1],
                                          ExistingAccount{Number(row[0]), row[2], row[3], Number(row[4]),
                                                          Number(row[5]), Number(row[6])});
                   });
  }
};

// Rows that change: the existing key and the new content.
template <typename Item>
using Changes = std::vector<std::pair<int32_t, const Item*>>;

// What the import will do, worked out before anything is written.
class ImportPlan {
 public:
  ImportPlan(const Document& document, const Existing& existing, bool replace)
      : m_existing(existing), m_replace(replace) {
    for (const auto& computer : document.computers) PlanComputer(computer);
    for (const auto& server : document.servers) PlanServer(server);
    for (const auto& preference : document.preferences) PlanPreference(preference);
    for (const auto& account : document.accounts) PlanAccount(account);
  }

  void Apply(OdbcConnection& connection) const;

  ImportSummary summary;

 private:
  struct KnownServer {
    std::string computer;
    ServerRef ref;
  };

  // Counts a row whose name is taken: unchanged when equal, else changed or refused.
  bool Differs(ImportCounts& counts, bool equal, const std::string& what) {
    if (equal) {
      ++counts.unchanged;
      return false;
    }
    if (!m_replace) {
      summary.refusals.push_back(what + " exists with other values (--replace changes it)");
      return false;
    }
    ++counts.changed;
    return true;
  }
  bool Storable(const std::string& what, std::initializer_list<const std::string*> texts) {
    for (const std::string* text : texts)
      if (ExceedsMaxCharacters(*text) || HoldsNul(*text)) {
        summary.refusals.push_back(what + ": a text is longer than 255 characters or holds a NUL character");
        return false;
      }
    return true;
  }
  bool FirstTime(std::set<std::string>& seen, const std::string& key, const std::string& what) {
    if (seen.insert(key).second) return true;
    summary.refusals.push_back(what + " appears twice in the document");
    return false;
  }

  void PlanComputer(const Document::Computer& computer);
  void PlanServer(const Document::Server& server);
  void PlanPreference(const Document::Preference& preference);
  void PlanAccount(const Document::Account& account);
  std::optional<ServerRef> FindServer(const std::string& computer, const std::string& address,
                                      const std::string& what);
  int32_t ServerKey(const ServerRef& ref, const std::vector<int32_t>& addedKeys) const {
    return ref.added == kNone ? ref.id : addedKeys[ref.added];
  }

  const Existing& m_existing;
  bool m_replace;
  std::set<std::string> m_seenComputers, m_seenServers, m_seenPreferences, m_seenAccounts;
  std::multimap<std::string, KnownServer> m_serversByAddress;
  bool m_indexed = false;

  std::vector<const Document::Computer*> m_addComputers;
  Changes<Document::Computer> m_changeComputers;
  std::vector<const Document::Server*> m_addServers;
  Changes<Document::Server> m_changeServers;
  std::vector<std::pair<ServerRef, const Document::Preference*>> m_addPreferences;
  Changes<Document::Preference> m_changePreferences;
  std::vector<std::pair<ServerRef, const Document::Account*>> m_addAccounts;
  std::vector<std::tuple<int32_t, ServerRef, const Document::Account*>> m_changeAccounts;
};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

void ImportPlan::PlanComputer(const Document::Computer& computer) {
  const std::string what = "computer " + Quoted(computer.name);
  if (!FirstTime(m_seenComputers, computer.name, what) || !Storable(what, {&computer.name, &computer.site}))
    return;
  if (computer.name.empty()) {
    summary.refusals.push_back("a computer has no name");
    return;
  }
  const auto found = m_existing.computers.find(computer.name);
  if (found == m_existing.computers.end()) {
    m_addComputers.push_back(&computer);
    ++summary.computers.added;
  } else if (Differs(summary.computers, found->second.second == computer.site, what)) {
    m_changeComputers.emplace_back(found->second.first, &computer);
  }
}

void ImportPlan::PlanServer(const Document::Server& server) {
  const std::string what = "virtual server " + server.address + " of computer " + Quoted(server.computer);
  if (!FirstTime(m_seenServers, server.computer + '\n' + server.address, what) ||
      !Storable(what, {&server.address, &server.description}))
    return;
  if (server.address.empty()) {
    summary.refusals.push_back("a virtual server of computer " + Quoted(server.computer) + " has no address");
    return;
  }
  if (!m_seenComputers.contains(server.computer) && !m_existing.computers.contains(server.computer)) {
    summary.refusals.push_back(what + ": there is no such computer");
    return;
  }
  for (const ExistingServer& existing : m_existing.servers) {
    if (existing.address != server.address) continue;
    const auto name = m_existing.computerNames.find(existing.computer);
    if (name == m_existing.computerNames.end() || name->second != server.computer) {
      summary.refusals.push_back(what + ": the address is in use by computer " +
                                 Quoted(name == m_existing.computerNames.end() ? "" : name->second));
    } else if (Differs(summary.servers, existing.description == server.description, what)) {
      m_changeServers.emplace_back(existing.id, &server);
    }
    return;
  }
  m_addServers.push_back(&server);
  ++summary.servers.added;
}

std::optional<ServerRef> ImportPlan::FindServer(const std::string& computer, const std::string& address,
                                                const std::string& what) {
  if (!m_indexed) {  // every server is planned by now: those there are and those added
    for (const ExistingServer& server : m_existing.servers) {
      const auto name = m_existing.computerNames.find(server.computer);
      m_serversByAddress.emplace(
          server.address,
          KnownServer{name == m_existing.computerNames.end() ? "" : name->second, {server.id, kNone}});
    }
    for (size_t i = 0; i < m_addServers.size(); ++i)
      m_serversByAddress.emplace(m_addServers[i]->address, KnownServer{m_addServers[i]->computer, {-1, i}});
    m_indexed = true;
  }
  std::vector<ServerRef> matches;
  const auto [first, last] = m_serversByAddress.equal_range(address);
  for (auto known = first; known != last; ++known)
    if (computer.empty() || known->second.computer == computer) matches.push_back(known->second.ref);
  if (matches.size() == 1) return matches.front();
  summary.refusals.push_back(
      what + (matches.empty() ? ": there is no virtual server " + address
                              : ": several computers have the address " + address + "; name the computer"));
  return std::nullopt;
}

void ImportPlan::PlanPreference(const Document::Preference& preference) {
  const std::string what = "preference " + Quoted(preference.description) + " of " + preference.address;
  if (!FirstTime(m_seenPreferences,
                 preference.computer + '\n' + preference.address + '\n' + preference.description, what) ||
      !Storable(what, {&preference.description, &preference.settings}))
    return;
  const auto server = FindServer(preference.computer, preference.address, what);
  if (!server) return;
  const auto found = server->added == kNone
                         ? m_existing.preferences.find(std::make_pair(server->id, preference.description))
                         : m_existing.preferences.end();
  if (found == m_existing.preferences.end()) {
    m_addPreferences.emplace_back(*server, &preference);
    ++summary.preferences.added;
  } else if (Differs(summary.preferences, found->second.second == preference.settings, what)) {
    m_changePreferences.emplace_back(found->second.first, &preference);
  }
}

void ImportPlan::PlanAccount(const Document::Account& account) {
  const std::string what = "account " + Quoted(account.name);
  if (!FirstTime(m_seenAccounts, account.name, what) ||
      !Storable(what, {&account.name, &account.digest, &account.home}))
    return;
  if (account.name.empty() || account.digest.empty() || account.home.empty() || account.quota < 0) {
    summary.refusals.push_back(what +
                               ": an account needs a name, a password or digest, a home folder and a "
                               "quota of 0 or more");
    return;
  }
  ServerRef server;
  if (!account.address.empty()) {
    const auto found = FindServer(account.computer, account.address, what);
    if (!found) return;
    server = *found;
  }
  const auto existing = m_existing.accounts.find(account.name);
  if (existing == m_existing.accounts.end()) {
    m_addAccounts.emplace_back(server, &account);
    ++summary.accounts.added;
    return;
  }
  const ExistingAccount& row = existing->second;
  const bool equal = row.digest == account.digest && row.home == account.home && row.quota == account.quota &&
                     row.permissions == account.permissions && server.added == kNone &&
                     row.server == server.id;
  if (Differs(summary.accounts, equal, what)) m_changeAccounts.emplace_back(row.id, server, &account);
}

// Inserts `count` rows in multi-row INSERTs; `values` appends one row's parenthesised values,
// texts as markers with their parameters, whole numbers in decimal.
void InsertInBlocks(OdbcConnection& connection, const std::string& head, size_t count,
                    const std::function<void(size_t, std::string&, std::vector<SqlParam>&)>& values) {
  std::string sql;
  std::vector<SqlParam> params;
  for (size_t start = 0; start < count; start += kRowsPerInsert) {
    sql = head + " VALUES ";
    params.clear();
    for (size_t i = start; i < std::min(count, start + kRowsPerInsert); ++i) {
      if (i != start) sql += ", ";
      values(i, sql, params);
    }
    RunChangeStatement(connection, sql, params);
  }
}

std::string Decimal(int32_t number) { return std::to_string(number); }

void ImportPlan::Apply(OdbcConnection& connection) const {
  const int32_t lastComputer = MaxKey(connection, "SELECT MAX(ID) FROM VirtualServerGroup");
  for (const auto* computer : m_addComputers)
    RunChangeStatement(connection, "INSERT INTO VirtualServerGroup (Name, CurrentSite) VALUES (?, ?)",
                       {computer->name, computer->site});
  for (const auto& [key, computer] : m_changeComputers)
    RunChangeStatement(connection, "UPDATE VirtualServerGroup SET CurrentSite = ? WHERE ID = ?",
                       {computer->site, key});
  // Keys are handed out in rising order, so the new rows are those above the old highest.
  std::map<std::string, int32_t> computerKeys;
  for (const auto& [name, row] : m_existing.computers) computerKeys.emplace(name, row.first);
  ForEachTextRow(connection, "SELECT ID, Name FROM VirtualServerGroup WHERE ID > ?", {lastComputer},
                 [&](const Row& row) { computerKeys[row[1]] = Number(row[0]); });

  const int32_t lastServer = MaxKey(connection, "SELECT MAX(VServerID) FROM VirtualServers");
  for (const auto* server : m_addServers)
    RunChangeStatement(
        connection,
        "INSERT INTO VirtualServers (VServerIPAddr, VServerDesc, VServerGroupID) VALUES (?, ?, ?)",
        {server->address, server->description, computerKeys.at(server->computer)});
  for (const auto& [key, server] : m_changeServers)
    RunChangeStatement(connection, "UPDATE VirtualServers SET VServerDesc = ? WHERE VServerID = ?",
                       {server->description, key});
  std::map<std::pair<int32_t, std::string>, int32_t> newServers;
  ForEachTextRow(connection,
                 "SELECT VServerID, VServerGroupID, VServerIPAddr FROM VirtualServers WHERE VServerID > ?",
                 {lastServer}, [&](const Row& row) {
                   newServers[{Number(row[1]), row[2]}] = Number(row[0]);
                 });
  std::vector<int32_t> addedKeys;
  for (const auto* server : m_addServers)
    addedKeys.push_back(newServers.at({computerKeys.at(server->computer), server->address}));

  InsertInBlocks(connection, "INSERT INTO Preferences (Description, Settings, VirtualServerID)",
                 m_addPreferences.size(), [&](size_t i, std::string& sql, std::vector<SqlParam>& params) {
                   const auto& [server, preference] = m_addPreferences[i];
                   sql += "(?, ?, " + Decimal(ServerKey(server, addedKeys)) + ")";
                   params.insert(params.end(), {preference->description, preference->settings});
                 });
  for (const auto& [key, preference] : m_changePreferences)
    RunChangeStatement(connection, "UPDATE Preferences SET Settings = ? WHERE PreferenceID = ?",
                       {preference->settings, key});

  InsertInBlocks(
      connection,
      "INSERT INTO Users (UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota)",
      m_addAccounts.size(), [&](size_t i, std::string& sql, std::vector<SqlParam>& params) {
        const auto& [server, account] = m_addAccounts[i];
        sql += "(?, ?, ?, " + Decimal(account->permissions) + ", " + Decimal(ServerKey(server, addedKeys)) +
               ", 0, " + Decimal(account->quota) + ")";
        params.insert(params.end(), {account->name, account->digest, account->home});
      });
  // The Flag (the session lock) stays as it is: the administrator running the import holds it.
  for (const auto& [key, server, account] : m_changeAccounts)
    RunChangeStatement(connection,
                       "UPDATE Users SET Password = ?, HomeDir = ?, Permissions = ?, VirtualServerID = ?, "
                       "DiskQuota = ? WHERE UserID = ?",
                       {account->digest, account->home, account->permissions, ServerKey(server, addedKeys),
                        account->quota, key});
}

}  // namespace

ImportSummary ImportConfiguration(const ConfigDocument& document, bool replace, bool dryRun) {
  ImportSummary summary;
  ConnectionLease lease;
  RunReconnectingOnce(lease, [&](OdbcConnection& connection) {
    // The plan is made inside the transaction, so it is made against the rows it changes.
    Transaction transaction(lease);
    const Existing existing(connection);
    const ImportPlan plan(document, existing, replace);
    summary = plan.summary;
    if (!summary.refusals.empty() || dryRun) return;
    if (connection.IsReadOnly()) throw Refusal("The database accepts no changes: nothing was imported.");
    plan.Apply(connection);
    transaction.Commit();
    summary.applied = true;
  });
  return summary;
}
