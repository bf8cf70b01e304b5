#include "ui/EditPreferences.h"

#include "db/PreferenceSet.h"
#include "ui/PreferencesDlg.h"

bool EditPreferences(CWnd* owner, int32_t serverId, const std::string& address) {
  PreferenceSet prefs;
  const int loaded = prefs.LoadPreferences(serverId);
  CPreferencesDlg dlg(owner);
  dlg.m_prefs = prefs;
  dlg.m_strCaption = "Preferences for " + address;
  if (dlg.DoModal() != IDOK) return false;
  prefs.TakeValues(dlg.m_prefs);
  prefs.StorePreferences(serverId, loaded < 1 ? PreferenceSet::kCreateRows : PreferenceSet::kWriteLoadedRows);
  return true;
}
