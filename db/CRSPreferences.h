#pragma once
// The recordset of table Preferences, its columns in table order.

#include "db/Recordset.h"

class CRSPreferences : public CRecordset {
 public:
  LongField m_PreferenceID;
  TextField m_Description;
  TextField m_Settings;
  LongField m_VirtualServerID;

 protected:
  std::string GetDefaultSQL() const override { return "[Preferences]"; }
  void DoFieldExchange(CFieldExchange& exchange) override;
};
