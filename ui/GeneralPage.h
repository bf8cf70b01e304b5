#pragma once
// The General page: which computer and which of this host's virtual servers the sheet is
// looking at, that virtual server's preferences (read-only; edited through the Edit
// Preferences dialog), the Add Computer dialog, and the FTP service's state with Start and
// Stop, polled once a second. On the sheet's OK it remembers the computer (the session's
// computerName) and the virtual server (the computer's CurrentSite).

#include <cstdint>
#include <string>
#include <vector>

#include "framework/ComboBox.h"
#include "service/ServiceStatusPoll.h"
#include "ui/FTPSheetPage.h"
#include "ui/PreferenceFields.h"

class CGeneralPage : public CFTPSheetPage, private PreferenceFields {
 public:
  CGeneralPage(ConfigDatabase* database, StalePageMask& stalePages);

  // Start is usable exactly in mode 0 (stopped), Stop exactly in mode 1 (running).
  void EnableServiceButtons(int16_t mode);
  // Shows the service's state, or that the service manager cannot be reached; changes nothing
  // when the manager answers but the service cannot be read.
  void UpdateServiceStatus();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnTimer(UINT_PTR id) override;
  void RefreshPage() override;
  const CommandMap& GetCommandMap() const override;

 private:
  // "(Default)", then the chosen computer's virtual servers on this host's addresses.
  void FillVirtualServers();
  // The chosen virtual server's preferences, defaults where it has no row.
  void ShowPreferences();
  void OnSelchangeComputer();
  void OnAddComputer();
  void OnEditPreferences();
  void OnStart();
  void OnStop();
  bool IsLocalAddress(const std::string& address) const;

  CComboBox m_cbComputer;
  CComboBox m_cbVirtualServer;
  std::vector<std::string> m_localAddresses;
  ServiceStatusPoll m_serviceStatus;
};
