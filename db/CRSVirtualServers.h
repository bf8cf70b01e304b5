#pragma once
// The recordset of table VirtualServers, its columns in table order.

#include "db/Recordset.h"

class CRSVirtualServers : public CRecordset {
 public:
  LongField m_VServerID;
  TextField m_VServerIPAddr;
  TextField m_VServerDesc;
  LongField m_VServerGroupID;

 protected:
  std::string GetDefaultSQL() const override { return "[VirtualServers]"; }
  void DoFieldExchange(CFieldExchange& exchange) override;
};
