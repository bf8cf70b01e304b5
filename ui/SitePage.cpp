#include "ui/SitePage.h"

#include <string>

#include "db/ConfigDatabase.h"
#include "db/PreferenceSet.h"
#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "ui/AddComputerDlg.h"
#include "ui/AddSiteDlg.h"
#include "ui/ComputerContents.h"
#include "ui/FTPSheet.h"
#include "ui/PreferencesDlg.h"
#include "ui/UsersOf.h"

namespace {

constexpr UINT kTemplateId = 7016;
constexpr int IDC_COMPUTER = 7008;
constexpr int IDC_ADD_COMPUTER = 7014;
constexpr int IDC_SITE_LIST = 7007;
constexpr int IDC_ADD = 7009;
constexpr int IDC_EDIT = 7011;
constexpr int IDC_DELETE = 7012;
constexpr int IDC_EDIT_PREFERENCES = 7010;

}  // namespace

CSitePage::CSitePage() : CFTPSheetPage(kTemplateId, CFTPSheet::kSitePageBit) {}

void CSitePage::DoDataExchange(CDataExchange* pDX) {
  CFTPSheetPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_COMPUTER, m_computerCombo);
  DDX_Control(pDX, IDC_SITE_LIST, m_siteList);
}

BOOL CSitePage::OnInitDialog() {
  if (!CFTPSheetPage::OnInitDialog()) return FALSE;
  m_siteList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  m_siteList.InsertColumn(0, "IP", LVCFMT_LEFT, 100);
  m_siteList.InsertColumn(1, "Description", LVCFMT_LEFT, 180);
  RefreshSitePage();
  return TRUE;
}

void CSitePage::RefreshSitePage() {
  m_computerCombo.ResetContent();
  for (const ComputerRecord& computer : m_pDatabase->computers)
    m_computerCombo.SetItemData(m_computerCombo.AddString(computer.Name), static_cast<DWORD_PTR>(computer.ID));
  if (m_computerCombo.GetCount() == 0) {
    // No computer is left to own the rows on show.
    m_siteList.DeleteAllItems();
    GetDlgItem(IDC_ADD)->EnableWindow(FALSE);
    EnableRowButtons(FALSE);
    return;
  }
  m_computerCombo.SetCurSel(0);
  FillSiteList();
  GetDlgItem(IDC_ADD)->EnableWindow(TRUE);
}

void CSitePage::FillSiteList() {
  const int computer = m_computerCombo.GetCurSel();
  if (computer == CB_ERR) return;
  m_siteList.DeleteAllItems();
  ComputerRecord record;
  if (m_pDatabase->FindComputerById(static_cast<int32_t>(m_computerCombo.GetItemData(computer)), record)) {
    int row = 0;
    for (const VirtualServerRecord& server : LoadVirtualServersOf(*m_pDatabase, record)) {
      m_siteList.InsertItem(row, server.VServerIPAddr);
      m_siteList.SetItemText(row, 1, server.VServerDesc);
      m_siteList.SetItemData(row, static_cast<DWORD_PTR>(server.VServerID));
      ++row;
    }
  }
  const bool hasRows = m_siteList.GetItemCount() > 0;
  if (hasRows) m_siteList.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  EnableRowButtons(hasRows);
}

void CSitePage::EnableRowButtons(BOOL enable) {
  for (int id : {IDC_DELETE, IDC_EDIT, IDC_EDIT_PREFERENCES}) GetDlgItem(id)->EnableWindow(enable);
}

int CSitePage::GetSelectedServer(int32_t& serverId) const {
  const int row = m_siteList.GetNextItem(-1, LVNI_SELECTED);
  if (row >= 0) serverId = static_cast<int32_t>(m_siteList.GetItemData(row));
  return row;
}

void CSitePage::OnAdd() {
  const int computer = m_computerCombo.GetCurSel();
  if (computer == CB_ERR) return;
  CAddSiteDlg dlg(this);
  if (dlg.DoModal() != IDOK) return;
  VirtualServerRecord server;
  server.VServerDesc = dlg.m_strDescription;
  server.VServerGroupID = static_cast<int32_t>(m_computerCombo.GetItemData(computer));
  server.VServerIPAddr = dlg.m_strAddress;
  server.Add(0);
  m_pDatabase->ForgetVirtualServerQuery();
  FillSiteList();
  MarkOtherPagesStale();
}

void CSitePage::OnEdit() {
  int32_t serverId = 0;
  const int row = GetSelectedServer(serverId);
  if (row < 0) return;
  CAddSiteDlg dlg(this);
  dlg.m_strAddress = m_siteList.GetItemText(row, 0);
  dlg.m_strDescription = m_siteList.GetItemText(row, 1);
  if (dlg.DoModal() != IDOK) return;
  if (dlg.m_strAddress == m_siteList.GetItemText(row, 0) && dlg.m_strDescription == m_siteList.GetItemText(row, 1))
    return;
  VirtualServerRecord server;
  if (!m_pDatabase->FindVirtualServerById(serverId, server)) return;
  server.VServerDesc = dlg.m_strDescription;
  server.VServerIPAddr = dlg.m_strAddress;
  const bool stored = server.Update(0) != 0;
  m_pDatabase->ForgetVirtualServerQuery();
  if (stored) {
    m_siteList.SetItemText(row, 0, server.VServerIPAddr);
    m_siteList.SetItemText(row, 1, server.VServerDesc);
  } else {
    FillSiteList();  // show what the database holds, not what was typed
  }
  MarkOtherPagesStale();
}

void CSitePage::OnDelete() {
  int32_t serverId = 0;
  if (GetSelectedServer(serverId) < 0) return;
  if (MessageBox("This would delete users and preferences configured for this virtual server.\n\n"
                 " Do you really want to continue ?",
                 "Warning", MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
    return;
  VirtualServerRecord server;
  if (!m_pDatabase->FindVirtualServerById(serverId, server)) return;
  DeleteWithDependents(server);
  // Loading the accounts by address replaced the session's virtual servers; read the
  // computer's list again so that the remaining rows can still be edited.
  m_pDatabase->ForgetVirtualServerQuery();
  FillSiteList();
  MarkOtherPagesStale();
}

void CSitePage::DeleteWithDependents(const VirtualServerRecord& server) {
  // The accounts are found while the virtual server's row still gives its address.
  LoadUsersOfVirtualServer(*m_pDatabase, server.VServerID, server.VServerIPAddr);
  if (!server.Delete(0)) return;
  PreferenceSet prefs;
  if (prefs.LoadPreferences(server.VServerID) >= 1)
    prefs.StorePreferences(server.VServerID, PreferenceSet::kDeleteLoadedRows);
  for (const UserRecord& user : m_pDatabase->users) user.Delete(0);
}

void CSitePage::OnEditPreferences() {
  int32_t serverId = 0;
  const int row = GetSelectedServer(serverId);
  if (row < 0) return;
  PreferenceSet prefs;
  const int loaded = prefs.LoadPreferences(serverId);
  CPreferencesDlg dlg(this);
  dlg.m_prefs = prefs;
  dlg.m_strCaption = "Preferences for " + m_siteList.GetItemText(row, 0);
  if (dlg.DoModal() != IDOK) return;
  prefs = dlg.m_prefs;  // the values; the loaded rows stay
  prefs.StorePreferences(serverId, loaded < 1 ? PreferenceSet::kCreateRows : PreferenceSet::kWriteLoadedRows);
  MarkOtherPagesStale();
}

void CSitePage::OnAddComputer() {
  CAddComputerDlg dlg(this);
  dlg.m_pDatabase = m_pDatabase;
  dlg.DoModal();
  if (!dlg.m_bChanged) return;
  RefreshSitePage();
  MarkOtherPagesStale();
}

const CommandMap& CSitePage::GetCommandMap() const {
  static const CommandMap map = CommandMap::Of<CSitePage>(&CFTPSheetPage::GetCommandMap(), {
      {CBN_SELCHANGE, IDC_COMPUTER, &CSitePage::FillSiteList},
      {BN_CLICKED, IDC_ADD, &CSitePage::OnAdd},
      {BN_CLICKED, IDC_EDIT, &CSitePage::OnEdit},
      {BN_CLICKED, IDC_DELETE, &CSitePage::OnDelete},
      {BN_CLICKED, IDC_EDIT_PREFERENCES, &CSitePage::OnEditPreferences},
      {BN_CLICKED, IDC_ADD_COMPUTER, &CSitePage::OnAddComputer},
  });
  return map;
}
