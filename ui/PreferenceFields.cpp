#include "ui/PreferenceFields.h"

void PreferenceFields::ShowValues(const PreferenceSet& prefs) {
  m_bAnonymous = prefs.anonymous ? TRUE : FALSE;
  m_strGoodbye = prefs.goodbyeMessage;
  m_strWelcome = prefs.welcomeMessage;
  m_nMaxPerIp = prefs.maxConnectionsPerIp;
  m_nMaxPerUser = prefs.maxConnectionsPerUser;
  m_nTimeout = prefs.connectionTimeout;
  m_nFtpPort = prefs.ftpPort;
  m_nMaxConnections = prefs.maxConnections;
}

void PreferenceFields::StoreValues(PreferenceSet& prefs) const {
  PreferenceFields shown;
  shown.ShowValues(prefs);
  const auto storeChanged = [](const auto& value, const auto& shownValue, auto& setting) {
    if (value != shownValue) setting = value;
  };
  if (m_bAnonymous != shown.m_bAnonymous) prefs.anonymous = m_bAnonymous ? 1 : 0;
  storeChanged(m_strGoodbye, shown.m_strGoodbye, prefs.goodbyeMessage);
  storeChanged(m_strWelcome, shown.m_strWelcome, prefs.welcomeMessage);
  storeChanged(m_nMaxPerIp, shown.m_nMaxPerIp, prefs.maxConnectionsPerIp);
  storeChanged(m_nMaxPerUser, shown.m_nMaxPerUser, prefs.maxConnectionsPerUser);
  storeChanged(m_nTimeout, shown.m_nTimeout, prefs.connectionTimeout);
  storeChanged(m_nFtpPort, shown.m_nFtpPort, prefs.ftpPort);
  storeChanged(m_nMaxConnections, shown.m_nMaxConnections, prefs.maxConnections);
}
