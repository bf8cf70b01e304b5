#include "db/CRSUsers.h"

#include <limits>
#include <stdexcept>

void CRSUsers::DoFieldExchange(CFieldExchange& exchange) {
  exchange.Long("[UserID]", m_UserID);
  exchange.Text("[UserName]", m_UserName);
  exchange.Text("[Password]", m_Password);
  exchange.Text("[HomeDir]", m_HomeDir);
  exchange.Long("[Permissions]", m_Permissions);
  exchange.Long("[VirtualServerID]", m_VirtualServerID);
  exchange.Short("[Flag]", m_Flag);
  exchange.Long("[DiskQuota]", m_DiskQuota);
  exchange.Text("[WO_UserEmail]", m_WO_UserEmail);
  exchange.Long("[WO_UserAdminLevelID]", m_WO_UserAdminLevelID);
  exchange.Long("[WO_GroupID]", m_WO_GroupID);
  exchange.Long("[WO_PreviousPermissions]", m_WO_PreviousPermissions);
  exchange.Text("[WO_NonMD5Password]", m_WO_NonMD5Password);
}

void CRSUsers::CurrentRecord(UserRecord& user) const {
  user.UserID = m_UserID.Value();
  user.UserName = m_UserName.Value();
  user.Password = m_Password.Value();
  user.HomeDir = m_HomeDir.Value();
  user.Permissions = m_Permissions.Value();
  user.VirtualServerID = m_VirtualServerID.Value();
  user.DiskQuota = m_DiskQuota.Value();
  user.Flag = m_Flag.Value();
}

int16_t ToFlagColumn(int32_t flag) {
  if (flag < std::numeric_limits<int16_t>::min() || flag > std::numeric_limits<int16_t>::max())
    throw std::out_of_range("The user's Flag " + std::to_string(flag) + " does not fit its column.");
  return static_cast<int16_t>(flag);
}
