#pragma once
// The eight preferences of a virtual server as the controls show them: the display values that
// the General page and the Edit Preferences dialog exchange with their fields.

#include <string>

#include "db/PreferenceSet.h"
#include "framework/FrameworkTypes.h"

struct PreferenceFields {
  int m_bAnonymous = FALSE;
  std::string m_strGoodbye;
  std::string m_strWelcome;
  int m_nMaxPerIp = 0;
  int m_nMaxPerUser = 0;
  int m_nTimeout = 0;
  int m_nFtpPort = 0;
  int m_nMaxConnections = 0;

  // Takes the set's values for display (anonymous as 0 or 1).
  void ShowValues(const PreferenceSet& prefs);
  // Writes back into the set the displayed values that differ from what the set shows: a
  // stored value that its field cannot show as it is (Anonymous 5 shows as a check) stays
  // unless the user changes the field. The set's rows and key stay as they are.
  void StoreValues(PreferenceSet& prefs) const;
};
