#pragma once
// The recordset of table Users, its columns in table order.

#include "db/Recordset.h"
#include "db/UserRecord.h"

class CRSUsers : public CRecordset {
 public:
  LongField m_UserID;
  TextField m_UserName;
  TextField m_Password;
  TextField m_HomeDir;
  LongField m_Permissions;
  LongField m_VirtualServerID;
  ShortField m_Flag;
  LongField m_DiskQuota;
  TextField m_WO_UserEmail;
  LongField m_WO_UserAdminLevelID;
  LongField m_WO_GroupID;
  LongField m_WO_PreviousPermissions;
  TextField m_WO_NonMD5Password;

  // The current row into `user`: reused from row to row, its texts keep their buffers, so a
  // long listing allocates nothing per row.
  void CurrentRecord(UserRecord& user) const;

 protected:
  std::string GetDefaultSQL() const override { return "[Users]"; }
  void DoFieldExchange(CFieldExchange& exchange) override;
};

// The Flag column's value for a record's Flag; a number the column cannot hold is refused.
int16_t ToFlagColumn(int32_t flag);
