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
  prefs.anonymous = m_bAnonymous ? 1 : 0;
  prefs.goodbyeMessage = m_strGoodbye;
  prefs.welcomeMessage = m_strWelcome;
  prefs.maxConnectionsPerIp = m_nMaxPerIp;
  prefs.maxConnectionsPerUser = m_nMaxPerUser;
  prefs.connectionTimeout = m_nTimeout;
  prefs.ftpPort = m_nFtpPort;
  prefs.maxConnections = m_nMaxConnections;
}
