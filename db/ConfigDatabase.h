#pragma once
// The configuration model every front end works on: the one database session. It connects
// through the connection string kept in the registry, makes sure the built-in accounts
// exist, checks the log-in and takes the session lock (the Flag of the logged-in account),
// and keeps cached lists of computers, virtual servers and users with the queries that
// refill them (each remembering its kind and key, so a repeated query returns at once).
//
// Front ends read the lists through the loads by key below and change rows only through the
// model's changes, which keep the lists and their remembered queries true; they never edit
// a list or decide which query refills it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "db/ComputerRecord.h"
#include "db/RowSelection.h"
#include "db/SessionLock.h"
#include "db/UserRecord.h"
#include "db/VirtualServerRecord.h"

class ConfigDatabase {
 public:
  // Query kinds of LoadVirtualServers and LoadUsers.
  static constexpr int kAll = 1;            // every row; the key is remembered but not used
  static constexpr int kOfComputer = 2;     // key: a computer's Name
  static constexpr int kOfAddress = 3;      // key: a virtual server's address
  static constexpr int kUserNamed = 4;      // key: a user name (LoadUsers only)
  static constexpr int kOfComputerKey = 5;  // key: a computer's ID in decimal (LoadVirtualServers only)

  ConfigDatabase() = default;
  ~ConfigDatabase() { Close(); }
  ConfigDatabase(const ConfigDatabase&) = delete;
  ConfigDatabase& operator=(const ConfigDatabase&) = delete;

  // 1 when connected, logged in and (unless quiet) holding the lock; else 0. A wrong name or
  // password shows nothing; everything else that fails is reported unless quiet.
  int Connect(int quiet, const std::string& userName, const std::string& password);
  // The log-in of every front end but the launch sequence: 1 only with a checked password and
  // the lock taken. An empty name or password is refused before anything is connected.
  int LogIn(const std::string& userName, const std::string& password);
  // Releases the lock (saving the computer name when it was held) and empties the lists.
  // The release is tried again for up to 30 seconds while the database is down, recovering
  // or busy (SessionLock.h). A lock left set is reported on standard error; one that does
  // not go by itself (no proof of life) also in a box unless quiet, with the way to release
  // it. Never throws.
  void Close();
  // The account's UserID when name and password match; 0 when no loaded account has the
  // name; -1 when the log-in query loaded no account; -2 for a wrong password. An address
  // "Default" and a computer "LocalHost" (any case) count as none.
  int32_t CheckLogIn(const std::string& userName, const std::string& password, const std::string& address,
                     const std::string& computer);
  // Loads the accounts the log-in looks at (of the address, else of the computer, else all;
  // "admin" only for "admin") and copies the first named exactly `userName`. Results as above.
  int32_t FindUserForLogIn(const std::string& userName, UserRecord& user, const std::string& address,
                           const std::string& computer);
  // Frees the account's session lock that a session left behind: 1 when freed; -1, freeing
  // nothing, when the session holding it proves to be alive; 0 after a failure (reported
  // unless quiet).
  int FreeLock(int32_t userId);
  int SaveComputerName();
  int SetComputerCurrentSite(int32_t computerId, const std::string& site);

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

  // The computer's virtual servers, by key, in the session's list (from the remembered query
  // when the session has changed no row since). The reference stays valid until the next
  // load or change.
  const VirtualServerList& LoadVirtualServersOfComputer(int32_t computerId);

  // Accounts read afresh (another machine may have changed them) and handed to `show` one by
  // one as the driver delivers them, without being kept: a list of a million accounts is
  // held once, by whatever shows it. A failure is reported unless quiet and ends the list
  // there; the result is then 0, else 1. A non-empty `match` keeps only the accounts whose
  // name or home folder contains it (db/UserMatch.h), chosen by the database.
  using UserVisitor = std::function<void(const UserRecord&)>;
  int ListUsersOfVirtualServer(int32_t serverId, const UserVisitor& show, const std::string& match = "");
  int ListUsersOfComputer(int32_t computerId, const UserVisitor& show, const std::string& match = "");
  int ListAllUsers(const UserVisitor& show, const std::string& match = "");
  // The statements of these listings, for a list that reads them a batch at a time
  // (db/UserStream.h).
  static RowSelection UsersOfVirtualServer(int32_t serverId, const std::string& match = "");
  static RowSelection UsersOfComputer(int32_t computerId, const std::string& match = "");
  static RowSelection AllUsers(const std::string& match = "");
  // One row read from the database by key: 1 and the copy, or 0 when no row has the key
  // (or the read failed, reported unless quiet).
  int ReadUser(int32_t userId, UserRecord& user);

  // The changes. Each runs the record's mutation (or the cascade) with the session's quiet
  // flag, returns its 1 or 0, and then brings the lists up to date.
  int AddUser(const UserRecord& user);
  int UpdateUser(const UserRecord& user);
  // For front ends without the dialogs, which digest what is typed themselves: the account
  // with the digest of the clear-text password, added or rewritten. An empty password is
  // refused ("Please specify Password") and nothing is stored.
  int AddUserWithPassword(UserRecord user, const std::string& password);
  int ChangePassword(UserRecord user, const std::string& password);
  int DeleteUser(const UserRecord& user);
  int AddVirtualServer(const VirtualServerRecord& server);
  int UpdateVirtualServer(const VirtualServerRecord& server);
  // Deletes the virtual server with its preference rows and its own accounts (those whose
  // VirtualServerID is its key), in one transaction: all of it or, after one report,
  // nothing. The address names the server in a refusal.
  int DeleteVirtualServer(const VirtualServerRecord& server);
  int AddComputer(const std::string& name);
  int RenameComputer(int32_t computerId, const std::string& name);
  // Deletes the computer with its virtual servers, their preference rows and their accounts,
  // in one transaction, all or nothing. The name names the computer in a refusal.
  int DeleteComputer(const ComputerRecord& computer);

  ComputerList computers;
  VirtualServerList virtualServers;
  UserList users;
  std::string computerName;
  int lockHeld = 0;
  // Set by Close when the lock could not be released (and was reported): every later log-in
  // as the account is refused until it is.
  int lockLeftSet = 0;
  int32_t lockedUserId = 0;
  int quiet = 0;
  int userQueryKind = 0;
  int virtualServerQueryKind = 0;
  std::string virtualServerQueryKey;
  std::string userQueryKey;

 private:
  void ForgetQueries();
  // After a computer was added, renamed or deleted: the computers read again, every
  // remembered query forgotten.
  void ComputersChanged();
  // The statement of a query, or none when there is nothing to select.
  std::optional<RowSelection> VirtualServersSelection(const std::string& key, int kind) const;
  std::optional<RowSelection> UsersSelection(const std::string& key, int kind);
  int ListUsers(const RowSelection& selection, const UserVisitor& show, size_t rowsPerFetch);
  int TakeLock(int32_t userId);
  void ReleaseLock();
  void ReportLockLeftSet(const std::string& cause) const;
  int EnsureBuiltInAccount(const std::string& name, const std::string& password, int addQuiet);
  // Writes the digest of `password` into the account; false, reported, when it is empty.
  bool TakePassword(const std::string& password, UserRecord& user) const;

  SessionLock m_sessionLock;
  // "ComputerName" as the log-in read it ("" when none was stored), or none when it could not
  // be read (a value this process may not trust). Close stores the name only when it differs,
  // so a session that changed nothing never overwrites what another user stored.
  std::optional<std::string> m_computerNameAsRead;
};
