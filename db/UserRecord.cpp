#include "db/UserRecord.h"

#include "db/CRSUsers.h"
#include "db/RowMutation.h"
#include "digest/Digest.h"

namespace {

// The columns the user mutations write; the record's DiskQuota and Flag each go to the
// column of the same name, whatever their order in the record.
void SetColumns(const UserRecord& user, CRSUsers& users) {
  users.m_UserName = user.UserName;
  users.m_Password = user.Password;
  users.m_HomeDir = user.HomeDir;
  users.m_Permissions = user.Permissions;
  users.m_VirtualServerID = user.VirtualServerID;
  users.m_Flag = ToFlagColumn(user.Flag);
  users.m_DiskQuota = user.DiskQuota;
}

RowSelection ByKey(const UserRecord& user) { return {"SELECT * FROM Users where UserID = ?", {user.UserID}}; }

}  // namespace

int UserRecord::Add(int quiet) const {
  return AddRow<CRSUsers>(quiet, {"SELECT * FROM Users where UserName = ?", {UserName}},
                          WithValue("Can not add user. User %s already exists!!", UserName),
                          "Can not add user. Database error!! Can not append",
                          [this](CRSUsers& users) { SetColumns(*this, users); });
}

int UserRecord::Update(int quiet) const {
  return UpdateRow<CRSUsers>(quiet, ByKey(*this),
                             WithValue("Can not update user. User %s does not exist!!", UserName),
                             "Can not update user. Database error!! Can not upadte",
                             [this](CRSUsers& users) { SetColumns(*this, users); });
}

int UserRecord::Delete(int quiet) const {
  return DeleteRow<CRSUsers>(quiet, ByKey(*this),
                             WithValue("Can not delete user. User %s does not exist!!", UserName),
                             "Can not delete user. Database error!! Can not delete");
}

int UserRecord::CheckPassword(const std::string& password) const {
  std::string digest;
  DigestText(password, digest);
  return digest == Password ? 1 : 0;
}
