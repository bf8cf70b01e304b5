// The model's changes: each runs one record mutation or one cascade with the session's quiet
// flag, then brings the cached lists up to date, so that no front end has to know which
// list a change made stale. A failed change forgets the remembered queries too: another
// machine may have changed the rows it refused.

#include "db/Cascade.h"
#include "db/ConfigDatabase.h"
#include "db/FailureReport.h"
#include "db/GuardedOperation.h"
#include "digest/Digest.h"

void ConfigDatabase::ForgetQueries() {
  ForgetUserQuery();
  ForgetVirtualServerQuery();
}

void ConfigDatabase::ComputersChanged() {
  LoadComputers();
  ForgetQueries();
}

int ConfigDatabase::AddUser(const UserRecord& user) {
  const int added = user.Add(quiet);
  ForgetUserQuery();
  return added;
}

int ConfigDatabase::UpdateUser(const UserRecord& user) {
  const int updated = user.Update(quiet);
  if (updated)
    UpdateCachedUser(user);
  else
    ForgetUserQuery();
  return updated;
}

int ConfigDatabase::DeleteUser(const UserRecord& user) {
  const int deleted = user.Delete(quiet);
  ForgetUserQuery();
  return deleted;
}

bool ConfigDatabase::TakePassword(const std::string& password, UserRecord& user) const {
  if (password.empty()) {
    ReportFailure({FailureKind::refused, "Please specify Password", quiet != 0});
    return false;
  }
  DigestText(password, user.Password);
  return true;
}

int ConfigDatabase::AddUserWithPassword(UserRecord user, const std::string& password) {
  return TakePassword(password, user) ? AddUser(user) : 0;
}

int ConfigDatabase::ChangePassword(UserRecord user, const std::string& password) {
  return TakePassword(password, user) ? UpdateUser(user) : 0;
}

int ConfigDatabase::AddVirtualServer(const VirtualServerRecord& server) {
  const int added = server.Add(quiet);
  ForgetQueries();
  return added;
}

int ConfigDatabase::UpdateVirtualServer(const VirtualServerRecord& server) {
  const int updated = server.Update(quiet);
  ForgetQueries();
  return updated;
}

int ConfigDatabase::DeleteVirtualServer(const VirtualServerRecord& server) {
  const bool deleted = RunGuarded(quiet, [&server] { DeleteVirtualServerCascade(server); });
  ForgetQueries();
  return deleted ? 1 : 0;
}

int ConfigDatabase::AddComputer(const std::string& name) {
  ComputerRecord computer;
  computer.Name = name;
  const int added = computer.Add(quiet);
  ComputersChanged();
  return added;
}

int ConfigDatabase::RenameComputer(int32_t computerId, const std::string& name) {
  ComputerRecord computer;
  if (!FindComputerById(computerId, computer)) return 0;
  computer.Name = name;
  const int renamed = computer.Update(quiet);
  ComputersChanged();
  return renamed;
}

int ConfigDatabase::DeleteComputer(const ComputerRecord& computer) {
  const bool deleted = RunGuarded(quiet, [&computer] { DeleteComputerCascade(computer); });
  ComputersChanged();
  return deleted ? 1 : 0;
}
