#pragma once
// The recordset of table VirtualServerGroup, its columns in table order.

#include "db/Recordset.h"

class CRSVirtualServerGroup : public CRecordset {
 public:
  LongField m_ID;
  TextField m_Name;
  TextField m_CurrentSite;

 protected:
  std::string GetDefaultSQL() const override { return "[VirtualServerGroup]"; }
  void DoFieldExchange(CFieldExchange& exchange) override;
};
