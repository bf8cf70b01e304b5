#include "db/ExportRows.h"

#include "db/CRSPreferences.h"
#include "db/CRSUsers.h"
#include "db/GuardedOperation.h"

namespace {

int ListUsers(int quiet, const std::string& sql, const std::vector<SqlParam>& params,
              const std::function<void(const UserRecord&)>& take) {
  return RunGuarded(quiet,
                    [&] {
                      CRSUsers rows;
                      rows.Open(sql, params);
                      UserRecord user;
                      for (; !rows.IsEOF(); rows.MoveNext()) {
                        rows.CurrentRecord(user);
                        take(user);
                      }
                      rows.Close();
                    })
             ? 1
             : 0;
}

}  // namespace

int ListAllPreferenceRows(int quiet, const std::function<void(const PreferenceRecord&)>& take) {
  return RunGuarded(quiet,
                    [&] {
                      CRSPreferences rows;
                      rows.Open("SELECT * FROM Preferences ORDER BY VirtualServerID, PreferenceID");
                      for (; !rows.IsEOF(); rows.MoveNext())
                        take({rows.m_Description.Value(), rows.m_PreferenceID.Value(),
                              rows.m_VirtualServerID.Value(), rows.m_Settings.Value()});
                      rows.Close();
                    })
             ? 1
             : 0;
}

int ListUsersByKey(int quiet, const std::function<void(const UserRecord&)>& take) {
  return ListUsers(quiet, "SELECT * FROM Users ORDER BY UserID", {}, take);
}

int ListUsersOfComputerByKey(int quiet, int32_t computerId,
                             const std::function<void(const UserRecord&)>& take) {
  return ListUsers(quiet,
                   "SELECT * FROM Users WHERE VirtualServerID IN (SELECT VServerID FROM VirtualServers WHERE "
                   "VServerGroupID = ?) ORDER BY UserID",
                   {computerId}, take);
}
