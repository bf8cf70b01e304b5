#include "ui/GeneralPage.h"

#include <algorithm>
#include <cstdio>

#include "db/ConfigDatabase.h"
#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "service/FtpServiceControl.h"
#include "service/ServiceStateText.h"
#include "ui/AddComputerDlg.h"
#include "ui/FTPSheet.h"
#include "ui/GetLocalAddresses.h"
#include "ui/PreferencesDlg.h"

namespace {

enum : int {
  IDC_SERVICE_STATE = 7000,
  IDC_START = 7001,
  IDC_STOP = 7002,
  IDC_COMPUTER = 7007,
  IDC_ADD_COMPUTER = 7016,
  IDC_EDIT_PREFERENCES = 7017,
  IDC_VIRTUAL_SERVER = 7018,
  IDC_FTP_PORT = 7019,
  IDC_WELCOME = 7020,
  IDC_GOODBYE = 7021,
  IDC_ANONYMOUS = 7022,
  IDC_MAX_CONNECTIONS = 7023,
  IDC_MAX_PER_IP = 7024,
  IDC_MAX_PER_USER = 7025,
  IDC_TIMEOUT = 7026,
};

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

CGeneralPage::CGeneralPage() : CFTPSheetPage(IDD, CFTPSheet::kGeneralPageBit) {}

void CGeneralPage::DoDataExchange(CDataExchange* pDX) {
  CFTPSheetPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_COMPUTER, m_cbComputer);
  DDX_Control(pDX, IDC_VIRTUAL_SERVER, m_cbVirtualServer);
  DDX_Check(pDX, IDC_ANONYMOUS, m_bAnonymous);
  DDX_Text(pDX, IDC_GOODBYE, m_strGoodbye);
  DDX_Text(pDX, IDC_WELCOME, m_strWelcome);
  DDX_Text(pDX, IDC_MAX_PER_IP, m_nMaxPerIp);
  DDX_Text(pDX, IDC_MAX_PER_USER, m_nMaxPerUser);
  DDX_Text(pDX, IDC_TIMEOUT, m_nTimeout);
  DDX_Text(pDX, IDC_FTP_PORT, m_nFtpPort);
  DDX_Text(pDX, IDC_MAX_CONNECTIONS, m_nMaxConnections);
}

const CommandMap& CGeneralPage::GetCommandMap() const {
  static const CommandMap map = CommandMap::Of<CGeneralPage>(&CFTPSheetPage::GetCommandMap(), {
      {CBN_SELCHANGE, IDC_COMPUTER, &CGeneralPage::OnSelchangeComputer},
      {CBN_SELCHANGE, IDC_VIRTUAL_SERVER, &CGeneralPage::ShowPreferences},
      {BN_CLICKED, IDC_ADD_COMPUTER, &CGeneralPage::OnAddComputer},
      {BN_CLICKED, IDC_EDIT_PREFERENCES, &CGeneralPage::OnEditPreferences},
      {BN_CLICKED, IDC_START, &CGeneralPage::OnStart},
      {BN_CLICKED, IDC_STOP, &CGeneralPage::OnStop},
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
  FillComputers();
  m_cbComputer.SetCurSel(0);
  if (!m_pDatabase->computerName.empty()) m_cbComputer.SelectString(-1, m_pDatabase->computerName);
  FillVirtualServers();
  ShowPreferences();
}

void CGeneralPage::FillComputers() {
  m_cbComputer.ResetContent();
  m_cbComputer.SetItemData(m_cbComputer.AddString("(local)"), 0);
  for (const ComputerRecord& computer : m_pDatabase->computers)
    m_cbComputer.SetItemData(m_cbComputer.AddString(computer.Name), static_cast<DWORD_PTR>(computer.ID));
}

void CGeneralPage::FillVirtualServers() {
  m_cbVirtualServer.ResetContent();
  const int selected = m_cbComputer.GetCurSel();
  if (selected == CB_ERR) return;
  const int32_t key = EntryKey(m_cbComputer, selected);
  m_cbVirtualServer.SetItemData(m_cbVirtualServer.AddString("(Default)"), 0);
  // "(Default)" stays chosen unless an address begins with the computer's current site.
  m_cbVirtualServer.SetCurSel(0);
  if (key <= 0) return;
  for (const VirtualServerRecord& server : m_pDatabase->LoadVirtualServersOfComputer(key))
    if (IsLocalAddress(server.VServerIPAddr))
      m_cbVirtualServer.SetItemData(m_cbVirtualServer.AddString(server.VServerIPAddr),
                                    static_cast<DWORD_PTR>(server.VServerID));
  ComputerRecord computer;
  if (m_pDatabase->FindComputerById(key, computer) && !computer.CurrentSite.empty())
    m_cbVirtualServer.SelectString(-1, computer.CurrentSite);
}

bool CGeneralPage::IsLocalAddress(const std::string& address) const {
  return std::find(m_localAddresses.begin(), m_localAddresses.end(), address) != m_localAddresses.end();
}

void CGeneralPage::ShowPreferences() {
  const int selected = m_cbVirtualServer.GetCurSel();
  if (selected == CB_ERR) return;
  const int32_t key = EntryKey(m_cbVirtualServer, selected);
  // Back to the defaults first: a setting without a row shows its default, not the value
  // of the virtual server shown before. The rows stay with the set until the next load.
  m_prefs = PreferenceSet();
  if (key != 0) m_nPrefRows = m_prefs.LoadPreferences(key);
  GetDlgItem(IDC_EDIT_PREFERENCES)->EnableWindow(key != 0);
  ShowValues(m_prefs);
  UpdateData(FALSE);
}

void CGeneralPage::OnSelchangeComputer() {
  FillVirtualServers();
  ShowPreferences();
}

void CGeneralPage::OnEditPreferences() {
  const int selected = m_cbVirtualServer.GetCurSel();
  if (selected == CB_ERR || selected == 0) return;
  const int32_t key = EntryKey(m_cbVirtualServer, selected);
  CPreferencesDlg dlg(this);
  dlg.m_prefs = m_prefs;
  dlg.m_strCaption = "Preferences for " + EntryText(m_cbVirtualServer, selected);
  if (dlg.DoModal() != IDOK) return;
  m_prefs = dlg.m_prefs;
  m_prefs.StorePreferences(key, m_nPrefRows < 1 ? PreferenceSet::kCreateRows : PreferenceSet::kWriteLoadedRows);
  ShowPreferences();
}

void CGeneralPage::OnAddComputer() {
  CAddComputerDlg dlg(this);
  dlg.m_pDatabase = m_pDatabase;
  dlg.DoModal();
  if (!dlg.m_bChanged) return;
  RefreshPage();
  MarkOtherPagesStale();
}

void CGeneralPage::OnStart() {
  if (StartFtpService() != 0) MessageBox("Unable to Start Veltrane Server", "Error!!", MB_OK | MB_ICONINFORMATION);
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
  GetDlgItem(IDC_START)->EnableWindow(mode == kServiceButtonsStartOnly);
  GetDlgItem(IDC_STOP)->EnableWindow(mode == kServiceButtonsStopOnly);
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
