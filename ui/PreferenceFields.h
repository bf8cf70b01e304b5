#pragma once
// The eight preferences of a virtual server as the controls show them: the display values that
// the General page and the Edit Preferences dialog exchange with their fields.

#include <array>
#include <string>

#include "db/PreferenceSet.h"
#include "db/PreferenceTable.h"

class CDataExchange;

// A window's control of each preference, in the order of kPreferences.
using PreferenceControlIds = std::array<int, kPreferenceCount>;

struct PreferenceFields {
  // Each preference as its field shows it, in the order of kPreferences: a Text one in
  // m_texts, a Number one in m_numbers, a Flag one in m_numbers as 0 or 1.
  std::array<std::string, kPreferenceCount> m_texts;
  std::array<int, kPreferenceCount> m_numbers{};

  // Takes the set's values for display.
  void ShowValues(const PreferenceSet& prefs);
  // Writes back into the set the displayed values that differ from what the set shows: a
  // stored value that its field cannot show as it is (Anonymous 5 shows as a check) stays
  // unless the user changes the field. The set's rows and key stay as they are.
  void StoreValues(PreferenceSet& prefs) const;
  // Exchanges each value with its control: text, whole number or check.
  void ExchangeFields(CDataExchange* pDX, const PreferenceControlIds& controlIds);
};
