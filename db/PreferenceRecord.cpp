#include "db/PreferenceRecord.h"

#include "db/CRSPreferences.h"
#include "db/RowMutation.h"

namespace {

void SetColumns(const PreferenceRecord& preference, CRSPreferences& preferences) {
  preferences.m_Description = preference.Description;
  preferences.m_Settings = preference.Settings;
  preferences.m_VirtualServerID = preference.VirtualServerID;
}

RowSelection ByKey(const PreferenceRecord& preference) {
  return {"SELECT * FROM Preferences where PreferenceID = ?", {preference.PreferenceID}};
}

}  // namespace

int PreferenceRecord::Add(int quiet) const {
  // Preferences have no duplicate test: the guarding statement selects nothing.
  return AddRow<CRSPreferences>(quiet, {"SELECT * FROM Preferences where 1=2", {}}, std::nullopt,
                                "Can not add preference. Database error!! Can not append",
                                [this](CRSPreferences& preferences) { SetColumns(*this, preferences); });
}

int PreferenceRecord::Update(int quiet) const {
  return UpdateRow<CRSPreferences>(
      quiet, ByKey(*this),
      WithValue("Can not update preference. Preference %s does not exist!!", Description),
      "Can not update preference. Database error!! Can not delete",
      [this](CRSPreferences& preferences) { SetColumns(*this, preferences); });
}
