#include "db/CRSVirtualServers.h"

void CRSVirtualServers::DoFieldExchange(CFieldExchange& exchange) {
  exchange.Long("[VServerID]", m_VServerID);
  exchange.Text("[VServerIPAddr]", m_VServerIPAddr);
  exchange.Text("[VServerDesc]", m_VServerDesc);
  exchange.Long("[VServerGroupID]", m_VServerGroupID);
}
