#include "ui/PreferenceFields.h"

#include "framework/DataExchange.h"

void PreferenceFields::ShowValues(const PreferenceSet& prefs) {
  for (size_t i = 0; i < kPreferenceCount; ++i) {
    const PreferenceDefinition& preference = kPreferences[i];
    if (preference.kind == PreferenceKind::Text)
      m_texts[i] = prefs.*preference.text;
    else if (preference.kind == PreferenceKind::Flag)
      m_numbers[i] = prefs.*preference.number ? TRUE : FALSE;
    else
      m_numbers[i] = prefs.*preference.number;
  }
}

void PreferenceFields::StoreValues(PreferenceSet& prefs) const {
  PreferenceFields shown;
  shown.ShowValues(prefs);
  for (size_t i = 0; i < kPreferenceCount; ++i) {
    const PreferenceDefinition& preference = kPreferences[i];
    if (preference.kind == PreferenceKind::Text) {
      if (m_texts[i] != shown.m_texts[i]) prefs.*preference.text = m_texts[i];
    } else if (m_numbers[i] != shown.m_numbers[i]) {
      prefs.*preference.number =
          preference.kind == PreferenceKind::Flag ? (m_numbers[i] ? 1 : 0) : m_numbers[i];
    }
  }
}

void PreferenceFields::ExchangeFields(CDataExchange* pDX, const PreferenceControlIds& controlIds) {
  for (size_t i = 0; i < kPreferenceCount; ++i) {
    switch (kPreferences[i].kind) {
      case PreferenceKind::Text:
        DDX_Text(pDX, controlIds[i], m_texts[i]);
        break;
      case PreferenceKind::Number:
        DDX_Text(pDX, controlIds[i], m_numbers[i]);
        break;
      case PreferenceKind::Flag:
        DDX_Check(pDX, controlIds[i], m_numbers[i]);
        break;
    }
  }
}
