#include "db/CRSUsers.h"

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
