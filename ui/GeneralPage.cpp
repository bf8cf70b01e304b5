#include "ui/GeneralPage.h"

#include <algorithm>
#include <cstdio>

#include "db/ConfigDatabase.h"
#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "service/FtpServiceControl.h"
#include "db/PreferenceSet.h"
#include "res/ResourceIds.h"
#include "service/ServiceStateText.h"
#include "ui/AddComputerDlg.h"
#include "ui/ComputerCombo.h"
#include "ui/EditPreferences.h"
#include "ui/GetLocalAddresses.h"

namespace {

// The read-only fields that show the preferences, in the order of kPreferences.
constexpr PreferenceControlIds kShownIds = {
    IDC_SHOWN_FTP_PORT,        IDC_SHOWN_WELCOME,    IDC_SHOWN_GOODBYE,      IDC_SHOWN_ANONYMOUS,
    IDC_SHOWN_MAX_CONNECTIONS, IDC_SHOWN_MAX_PER_IP, IDC_SHOWN_MAX_PER_USER, IDC_SHOWN_TIMEOUT};

constexpr UINT_PTR kStatusTimer = 1;
constexpr UINT kStatusPeriodMs = 1000;
constexpr DWORD kStopTimeoutMs = 30000;

// The key an entry carries: a computer's ID or a virtual server's VServerID, 0 for the
// pseudo entries.
int32_t EntryKey(const CComboBox& combo, int index) { return static_cast<int32_t>(combo.GetItemData(index)); }

std::string EntryText(const CComboBox& combo, int index) {
  std::string text;
  combo.GetLBText(index, text);
  return text;
}

}  // namespace

CGeneralPage::CGeneralPage(ConfigDatabase* database, StalePageMask& stalePages)
    : CFTPSheetPage(IDD_GENERAL, kGeneralPageBit, database, stalePages) {}

void CGeneralPage::DoDataExchange(CDataExchange* pDX) {
  CFTPSheetPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_GENERAL_COMPUTER, m_cbComputer);
  DDX_Control(pDX, IDC_GENERAL_VIRTUAL_SERVER, m_cbVirtualServer);
  ExchangeFields(pDX, kShownIds);
}

const CommandMap& CGeneralPage::GetCommandMap() const {
  static const CommandMap map = CommandMap::Of<CGeneralPage>(
      &CFTPSheetPage::GetCommandMap(),
      {
          {CBN_SELCHANGE, IDC_GENERAL_COMPUTER, &CGeneralPage::OnSelchangeComputer},
          {CBN_SELCHANGE, IDC_GENERAL_VIRTUAL_SERVER, &CGeneralPage::ShowPreferences},
          {BN_CLICKED, IDC_GENERAL_ADD_COMPUTER, &CGeneralPage::OnAddComputer},
          {BN_CLICKED, IDC_GENERAL_EDIT_PREFERENCES, &CGeneralPage::OnEditPreferences},
          {BN_CLICKED, IDC_START_SERVICE, &CGeneralPage::OnStart},
          {BN_CLICKED, IDC_STOP_SERVICE, &CGeneralPage::OnStop},
      });
  return map;
}

BOOL CGeneralPage::OnInitDialog() {
  if (!CFTPSheetPage::OnInitDialog()) return FALSE;
  m_localAddresses.clear();
  GetLocalAddresses(m_localAddresses);
  RefreshPage();
  SetTimer(kStatusTimer, kStatusPeriodMs);
  UpdateServiceStatus();
  return TRUE;
}

void CGeneralPage::RefreshPage() {
  ShowSessionComputer(m_cbComputer, *m_pDatabase);
  FillVirtualServers();
  ShowPreferences();
}

void CGeneralPage::FillVirtualServers() {
  // Only the addresses of this machine: the preferences shown are those of a server here.
  FillVirtualServerCombo(m_cbVirtualServer, m_cbComputer, *m_pDatabase,
                         [this](const std::string& address) { return IsLocalAddress(address); });
}

bool CGeneralPage::IsLocalAddress(const std::string& address) const {
  return std::find(m_localAddresses.begin(), m_localAddresses.end(), address) != m_localAddresses.end();
}

void CGeneralPage::ShowPreferences() {
  const int selected = m_cbVirtualServer.GetCurSel();
  if (selected == CB_ERR) return;
  const int32_t key = EntryKey(m_cbVirtualServer, selected);
  // A fresh set: a setting without a row shows its default, not the value of the virtual
  // server shown before.
  PreferenceSet prefs;
  if (key != 0) prefs.LoadPreferences(key);
  GetDlgItem(IDC_GENERAL_EDIT_PREFERENCES)->EnableWindow(key != 0);
  ShowValues(prefs);
  UpdateData(FALSE);
}

void CGeneralPage::OnSelchangeComputer() {
  FillVirtualServers();
  ShowPreferences();
}

void CGeneralPage::OnEditPreferences() {
  const int selected = m_cbVirtualServer.GetCurSel();
  if (selected == CB_ERR || selected == 0) return;
  if (EditPreferences(this, EntryKey(m_cbVirtualServer, selected), EntryText(m_cbVirtualServer, selected)))
    ShowPreferences();
}

void CGeneralPage::OnAddComputer() {
  CAddComputerDlg dlg(*m_pDatabase, this);
  dlg.DoModal();
  if (!dlg.m_bChanged) return;
  RefreshPage();
  MarkOtherPagesStale();
}

void CGeneralPage::OnStart() {
  if (StartFtpService() != 0)
    MessageBox("Unable to Start Veltrane Server", "Error!!", MB_OK | MB_ICONINFORMATION);
}

void CGeneralPage::OnStop() {
  if (StopFtpService(1, kStopTimeoutMs) != 0) {
    MessageBox("Unable to Stop Service", "Error!!", MB_OK | MB_ICONINFORMATION);
    return;
  }
  std::fputs("Service stopped.\n", stdout);
  std::fflush(stdout);
}

void CGeneralPage::OnTimer(UINT_PTR id) {
  if (id == kStatusTimer) UpdateServiceStatus();
  CFTPSheetPage::OnTimer(id);
}

void CGeneralPage::UpdateServiceStatus() {
  const std::optional<DWORD> state = m_serviceStatus.Look();
  if (!state && !m_serviceStatus.ManagerUnavailable()) return;
  const ServiceStateDisplay display = state ? ServiceStateText(*state) : kServiceManagerUnavailable;
  EnableServiceButtons(display.buttonMode);
  GetDlgItem(IDC_SERVICE_STATE)->SetWindowText(display.text);
}

void CGeneralPage::EnableServiceButtons(int16_t mode) {
  GetDlgItem(IDC_START_SERVICE)->EnableWindow(mode == kServiceButtonsStartOnly);
  GetDlgItem(IDC_STOP_SERVICE)->EnableWindow(mode == kServiceButtonsStopOnly);
}

void CGeneralPage::OnOK() {
  const int computer = m_cbComputer.GetCurSel();
  if (m_pDatabase && computer >= 1) {
    m_pDatabase->computerName = EntryText(m_cbComputer, computer);
    const int server = m_cbVirtualServer.GetCurSel();
    const std::string site = server >= 1 ? EntryText(m_cbVirtualServer, server) : std::string();
    m_pDatabase->SetComputerCurrentSite(EntryKey(m_cbComputer, computer), site);
  } else if (m_pDatabase) {
    m_pDatabase->computerName.clear();
  }
  CFTPSheetPage::OnOK();
}
