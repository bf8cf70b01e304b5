#include "db/CRSVirtualServerGroup.h"

void CRSVirtualServerGroup::DoFieldExchange(CFieldExchange& exchange) {
  exchange.Long("[ID]", m_ID);
  exchange.Text("[Name]", m_Name);
  exchange.Text("[CurrentSite]", m_CurrentSite);
}
