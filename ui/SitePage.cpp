#include "ui/SitePage.h"

#include <string>

#include "db/ConfigDatabase.h"
#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "res/ResourceIds.h"
#include "ui/AddComputerDlg.h"
#include "ui/AddSiteDlg.h"
#include "ui/ComputerCombo.h"
#include "ui/EditPreferences.h"

CSitePage::CSitePage(ConfigDatabase* database, StalePageMask& stalePages)
    : CFTPSheetPage(IDD_VIRTUAL_SERVERS, kSitePageBit, database, stalePages) {}

void CSitePage::DoDataExchange(CDataExchange* pDX) {
  CFTPSheetPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_COMPUTER, m_computerCombo);
  DDX_Control(pDX, IDC_SERVER_LIST, m_siteList);
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
  FillComputerCombo(m_computerCombo, *m_pDatabase);
  if (m_computerCombo.GetCount() == 0) {
    // No computer is left to own the rows on show.
    m_siteList.DeleteAllItems();
    GetDlgItem(IDC_ADD_SERVER)->EnableWindow(FALSE);
    EnableRowButtons(FALSE);
    return;
  }
  m_computerCombo.SetCurSel(0);
  FillSiteList();
  GetDlgItem(IDC_ADD_SERVER)->EnableWindow(TRUE);
}

void CSitePage::FillSiteList() {
  const int computer = m_computerCombo.GetCurSel();
  if (computer == CB_ERR) return;
  m_siteList.DeleteAllItems();
  int row = 0;
  for (const VirtualServerRecord& server : m_pDatabase->LoadVirtualServersOfComputer(SelectedComputerKey())) {
    m_siteList.InsertItem(row, server.VServerIPAddr);
    m_siteList.SetItemText(row, 1, server.VServerDesc);
    m_siteList.SetItemData(row, static_cast<DWORD_PTR>(server.VServerID));
    ++row;
  }
  const bool hasRows = m_siteList.GetItemCount() > 0;
  if (hasRows) m_siteList.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
  EnableRowButtons(hasRows);
}

int32_t CSitePage::SelectedComputerKey() const {
  return static_cast<int32_t>(m_computerCombo.GetItemData(m_computerCombo.GetCurSel()));
}

void CSitePage::EnableRowButtons(BOOL enable) {
  for (int id : {IDC_DELETE_SERVER, IDC_EDIT_SERVER, IDC_SERVER_PREFERENCES})
    GetDlgItem(id)->EnableWindow(enable);
}

int CSitePage::GetSelectedServer(VirtualServerRecord& server) const {
  const int row = m_siteList.GetNextItem(-1, LVNI_SELECTED);
  if (row < 0) return row;
  server.VServerID = static_cast<int32_t>(m_siteList.GetItemData(row));
  server.VServerGroupID = SelectedComputerKey();  // the list holds the chosen computer's servers
  server.VServerIPAddr = m_siteList.GetItemText(row, 0);
  server.VServerDesc = m_siteList.GetItemText(row, 1);
  return row;
}

void CSitePage::OnAdd() {
  if (m_computerCombo.GetCurSel() == CB_ERR) return;
  CAddSiteDlg dlg(this);
  if (dlg.DoModal() != IDOK) return;
  VirtualServerRecord server;
  server.VServerDesc = dlg.m_strDescription;
  server.VServerGroupID = SelectedComputerKey();
  server.VServerIPAddr = dlg.m_strAddress;
  m_pDatabase->AddVirtualServer(server);
  FillSiteList();
  MarkOtherPagesStale();
}

void CSitePage::OnEdit() {
  VirtualServerRecord server;
  const int row = GetSelectedServer(server);
  if (row < 0) return;
  CAddSiteDlg dlg(this);
  dlg.m_strAddress = server.VServerIPAddr;
  dlg.m_strDescription = server.VServerDesc;
  if (dlg.DoModal() != IDOK) return;
  if (dlg.m_strAddress == server.VServerIPAddr && dlg.m_strDescription == server.VServerDesc) return;
  server.VServerDesc = dlg.m_strDescription;
  server.VServerIPAddr = dlg.m_strAddress;
  if (m_pDatabase->UpdateVirtualServer(server)) {
    m_siteList.SetItemText(row, 0, server.VServerIPAddr);
    m_siteList.SetItemText(row, 1, server.VServerDesc);
  } else {
    FillSiteList();  // show what the database holds, not what was typed
  }
  MarkOtherPagesStale();
}

void CSitePage::OnDelete() {
  VirtualServerRecord server;
  if (GetSelectedServer(server) < 0) return;
  if (MessageBox("This would delete users and preferences configured for this virtual server.\n\n"
                 " Do you really want to continue ?",
                 "Warning", MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
    return;
  m_pDatabase->DeleteVirtualServer(server);
  FillSiteList();
  MarkOtherPagesStale();
}

void CSitePage::OnEditPreferences() {
  VirtualServerRecord server;
  if (GetSelectedServer(server) < 0) return;
  if (EditPreferences(this, server.VServerID, server.VServerIPAddr)) MarkOtherPagesStale();
}

void CSitePage::OnAddComputer() {
  CAddComputerDlg dlg(*m_pDatabase, this);
  dlg.DoModal();
  if (!dlg.m_bChanged) return;
  RefreshSitePage();
  MarkOtherPagesStale();
}

const CommandMap& CSitePage::GetCommandMap() const {
  static const CommandMap map =
      CommandMap::Of<CSitePage>(&CFTPSheetPage::GetCommandMap(),
                                {
                                    {CBN_SELCHANGE, IDC_COMPUTER, &CSitePage::FillSiteList},
                                    {BN_CLICKED, IDC_ADD_SERVER, &CSitePage::OnAdd},
                                    {BN_CLICKED, IDC_EDIT_SERVER, &CSitePage::OnEdit},
                                    {BN_CLICKED, IDC_DELETE_SERVER, &CSitePage::OnDelete},
                                    {BN_CLICKED, IDC_SERVER_PREFERENCES, &CSitePage::OnEditPreferences},
                                    {BN_CLICKED, IDC_SERVERS_ADD_COMPUTER, &CSitePage::OnAddComputer},
                                });
  return map;
}
