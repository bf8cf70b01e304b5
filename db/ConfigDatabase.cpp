#include "db/ConfigDatabase.h"

#include <strings.h>

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "db/AccountBootstrap.h"
#include "db/ConnectString.h"
#include "db/ConnectStringCompletion.h"
#include "db/ConnectionPool.h"
#include "db/FailureReport.h"
#include "db/GuardedOperation.h"
#include "db/RegistryKey.h"
#include "digest/Digest.h"

namespace {

constexpr const char* kRegistryPath = "SOFTWARE\\Orvindel\\Veltrane Server";
constexpr const char* kLockedText = "Database Access is locked. It is being accessed from another machine.";

// Failures the user would otherwise see no cause for are named on standard error, one line
// each (a driver's text may hold several).
void LogCause(std::string line) {
  std::replace(line.begin(), line.end(), '\n', ' ');
  std::cerr << "veltrane: " << line << '\n';
}

// Why a connection failed, as the user can act on it. The SQLite driver says only "connect
// failed" when the file it is told not to create is missing; the file is named instead.
std::string ConnectFailureCause(const std::string& connectionString, const std::string& driverText) {
  const auto file = DatabaseAttribute(connectionString);
  std::error_code error;
  if (driverText.starts_with("[SQLite]") && file && !file->empty() && !std::filesystem::exists(*file, error))
    return "The database file " + *file + " does not exist.";
  return driverText;
}

// Opens the session's registry key, creating it when it is missing. Returns 0 or the error.
LONG OpenOrCreateKey(RegistryKey& key, bool& created) {
  created = false;
  if (key.Open(HKEY_LOCAL_MACHINE, kRegistryPath, KEY_ALL_ACCESS) == ERROR_SUCCESS) return ERROR_SUCCESS;
  const LONG result = key.Create(HKEY_LOCAL_MACHINE, kRegistryPath);
  created = result == ERROR_SUCCESS;
  if (!created)
    LogCause("the registry key HKEY_LOCAL_MACHINE\\" + std::string(kRegistryPath) +
             " can be neither opened nor created (error " + std::to_string(result) + ")");
  return result;
}

bool EqualsIgnoringCase(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

}  // namespace

int ConfigDatabase::Connect(int quietArg, const std::string& userName, const std::string& password) {
  // Every attempt reads the accounts afresh: a remembered result of an earlier attempt would
  // still show a lock that has been released since.
  ForgetUserQuery();
  ForgetVirtualServerQuery();
  RegistryKey key;
  bool created = false;
  if (OpenOrCreateKey(key, created) != ERROR_SUCCESS) return 0;
  if (created)
    connectString() = "DSN=Veltrane;";
  else
    ReadRegistryString(key, "ConnectionString", connectString());

  SessionConnectStrings completed;
  try {
    completed = CompleteConnectString(connectString());
  } catch (const std::exception& error) {
    const std::string cause = ConnectFailureCause(connectString(), error.what());
    LogCause("unable to connect to the database: " + cause);
    ReportFailure({FailureKind::unreachable, "Unable to Connect to Database.\n\n" + cause, quietArg != 0});
    return 0;
  }
  connectString() = "ODBC;" + completed.used;
  if (!quietArg && key.SetValue(completed.stored, "ConnectionString") != ERROR_SUCCESS)
    LogCause("the connection string could not be stored in the registry");

  LoadComputers();
  if (!EnsureBuiltInAccount("admin", "brelk", quietArg)) return 0;

  int32_t userId = 0;
  if (!userName.empty() && !password.empty()) {
    userId = CheckLogIn(userName, password, "Default", "LocalHost");
    if (userId < 1) return 0;
  }
  quiet = quietArg;
  if (!quiet && userId > 0) {
    if (!TakeLock(userId)) return 0;
    lockHeld = 1;
    lockedUserId = userId;
  }
  const LONG nameRead = ReadRegistryString(key, "ComputerName", computerName);
  m_computerNameAsRead.reset();
  if (nameRead == ERROR_SUCCESS || nameRead == ERROR_FILE_NOT_FOUND) m_computerNameAsRead = computerName;
  if (!quiet) EnsureBuiltInAccount("ftp", "qov", 0);  // a failure here does not fail the connect
  return 1;
}

int ConfigDatabase::LogIn(const std::string& userName, const std::string& password) {
  if (userName.empty() || password.empty()) return 0;
  if (!Connect(0, userName, password)) return 0;
  if (lockHeld) return 1;
  Close();
  return 0;
}

int ConfigDatabase::EnsureBuiltInAccount(const std::string& name, const std::string& password, int addQuiet) {
  LoadUsers(name, kUserNamed);
  if (!users.empty()) return 1;
  UserRecord account;
  account.UserName = name;
  DigestText(password, account.Password);
  account.HomeDir = "c:\\";
  account.Permissions = -1;
  account.VirtualServerID = -1;
  if (!RunGuarded(addQuiet, [&account] { AddAccountUnlessNamed(account); })) return 0;
  ForgetUserQuery();
  return 1;
}

int ConfigDatabase::TakeLock(int32_t userId) {
  SessionLock::Outcome outcome = SessionLock::Outcome::held;
  if (!RunGuarded(quiet, [&] { outcome = m_sessionLock.Take(userId); })) return 0;
  if (outcome == SessionLock::Outcome::held) {
    ReportFailure({FailureKind::locked, kLockedText, quiet != 0});
    return 0;
  }
  if (outcome == SessionLock::Outcome::tookOver)
    LogCause("took over the session lock of a session that ended without releasing it");
  return 1;
}

void ConfigDatabase::Close() {
  // A close runs on every way out of a session, from destructors too: nothing may escape it.
  try {
    if (lockHeld && lockedUserId > 0) {
      ReleaseLock();
      if (computerName != m_computerNameAsRead.value_or("")) SaveComputerName();
    }
  } catch (...) {
    LogCause("an unexpected error while the session closed");
  }
  lockHeld = 0;
  lockedUserId = 0;
  computers.clear();
  virtualServers.clear();
  users.clear();
  ForgetQueries();
  // Nothing stays open between two sessions.
  CloseIdleConnections();
}

void ConfigDatabase::ReleaseLock() {
  const bool tiedToLife = m_sessionLock.TiedToLife();
  const std::string cause = m_sessionLock.Release();
  if (cause.empty()) return;
  if (tiedToLife) {
    LogCause("the session lock could not be released (" + cause +
             "); it was tied to this session, so the next log-in takes it over");
    return;
  }
  lockLeftSet = 1;
  ReportLockLeftSet(cause);
}

void ConfigDatabase::ReportLockLeftSet(const std::string& cause) const {
  const std::string release = "UPDATE Users SET Flag = 0 WHERE UserID = " + std::to_string(lockedUserId);
  LogCause("the session lock could not be released (" + cause +
           "); every log-in as this account is refused until it is: run `veltrane-admin unlock`, or the SQL "
           "statement " +
           release);
  try {
    ReportFailure(
        {FailureKind::lockLeftSet,
         "The session lock could not be released:\n" + cause +
             "\n\nEvery log-in as this account is refused until it is. To release it, run \"veltrane-admin "
             "unlock\", or the SQL statement\n" +
             release,
         quiet != 0});
  } catch (...) {
    // A user interface that can show nothing more (a UI script that has ended) has had its say,
    // and the line above has told the cause.
  }
}

int32_t ConfigDatabase::CheckLogIn(const std::string& userName, const std::string& password,
                                   const std::string& address, const std::string& computer) {
  UserRecord account;
  const int32_t found =
      FindUserForLogIn(userName, account, EqualsIgnoringCase(address, "Default") ? "" : address,
                       EqualsIgnoringCase(computer, "LocalHost") ? "" : computer);
  if (found < 1) return found;
  return account.CheckPassword(password) ? found : -2;
}

int32_t ConfigDatabase::FindUserForLogIn(const std::string& userName, UserRecord& user,
                                         const std::string& address, const std::string& computer) {
  if (userName == "admin")
    LoadUsers("admin", kUserNamed);  // the administrator belongs to no virtual server
  else if (!address.empty())
    LoadUsers(address, kOfAddress);
  else if (!computer.empty())
    LoadUsers(computer, kOfComputer);
  else
    LoadUsers("", kAll);
  if (users.empty()) return -1;
  for (const UserRecord& candidate : users) {
    user = candidate;
    if (candidate.UserName == userName) return candidate.UserID;
  }
  return 0;
}

int ConfigDatabase::FreeLock(int32_t userId) {
  bool freed = false;
  if (!RunGuarded(quiet, [&] { freed = SessionLock::Free(userId); })) return 0;
  return freed ? 1 : -1;
}

int ConfigDatabase::SaveComputerName() {
  RegistryKey key;
  bool created = false;
  if (OpenOrCreateKey(key, created) != ERROR_SUCCESS) return 0;
  if (const LONG result = key.SetValue(computerName, "ComputerName"); result != ERROR_SUCCESS) {
    LogCause("the computer name could not be stored in the registry (error " + std::to_string(result) + ")");
    return 0;
  }
  return 1;
}

int ConfigDatabase::SetComputerCurrentSite(int32_t computerId, const std::string& site) {
  ComputerRecord computer;
  if (!FindComputerById(computerId, computer)) return 0;
  computer.CurrentSite = site;
  return computer.Update(0);
}
