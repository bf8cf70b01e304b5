#include "db/CRSPreferences.h"

void CRSPreferences::DoFieldExchange(CFieldExchange& exchange) {
  exchange.Long("[PreferenceID]", m_PreferenceID);
  exchange.Text("[Description]", m_Description);
  exchange.Text("[Settings]", m_Settings);
  exchange.Long("[VirtualServerID]", m_VirtualServerID);
}
