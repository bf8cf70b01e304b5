#include "ui/UsersPage.h"

#include <string>

#include "db/ConfigDatabase.h"
#include "db/UserStream.h"
#include "digest/Digest.h"
#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "res/ResourceIds.h"
#include "ui/AddUserDlg.h"
#include "ui/ChangePasswordDlg.h"
#include "ui/ComputerCombo.h"
#include "db/Permissions.h"

CUsersPage::CUsersPage(ConfigDatabase* database, StalePageMask& stalePages)
    : CFTPSheetPage(IDD_USERS, kUsersPageBit, database, stalePages) {}

void CUsersPage::DoDataExchange(CDataExchange* pDX) {
  CFTPSheetPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_USERS_VIRTUAL_SERVER, m_serverCombo);
  DDX_Control(pDX, IDC_COMPUTER, m_computerCombo);
  DDX_Control(pDX, IDC_USER_LIST, m_userList);
}

BOOL CUsersPage::OnInitDialog() {
  if (!CFTPSheetPage::OnInitDialog()) return FALSE;
  m_userList.SetExtendedStyle(m_userList.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  m_userList.InsertColumn(0, "User Name", LVCFMT_LEFT, 70);
  m_userList.InsertColumn(1, "Home Directory", LVCFMT_LEFT, 180);
  m_userList.InsertColumn(2, "Quota(MBs)", LVCFMT_LEFT, 70);
  m_userList.InsertColumn(3, "Permissions*", LVCFMT_LEFT, 80);
  RefreshUsersPage();
  return TRUE;
}

void CUsersPage::RefreshUsersPage() {
  ShowSessionComputer(m_computerCombo, *m_pDatabase);
  FillUserServers();
  ReloadUsers();
}

void CUsersPage::FillUserServers() { FillVirtualServerCombo(m_serverCombo, m_computerCombo, *m_pDatabase); }

void CUsersPage::ReloadUsers() {
  const int computer = m_computerCombo.GetCurSel();
  const int server = m_serverCombo.GetCurSel();
  if (computer == CB_ERR || server == CB_ERR) return;
  m_userList.DeleteAllItems();
  EnableRowButtons(FALSE);
  const auto serverId = static_cast<int32_t>(m_serverCombo.GetItemData(server));
  const auto computerId = static_cast<int32_t>(m_computerCombo.GetItemData(computer));
  // The filter is the database's work (a bound LIKE), so it costs the same at any size.
  const std::string match = m_userList.GetFilterText();
  RowSelection selection = server > 0     ? ConfigDatabase::UsersOfVirtualServer(serverId, match)
                           : computer > 0 ? ConfigDatabase::UsersOfComputer(computerId, match)
                                          : ConfigDatabase::AllUsers(match);
  // The list shows its first rows while the rest are read (CListCtrl::BeginFill).
  auto stream = std::make_shared<UserStream>(std::move(selection), m_pDatabase->quiet);
  m_userList.BeginFill([this, stream](int maxItems) { return ShowMoreUsers(*stream, maxItems); });
}

bool CUsersPage::ShowMoreUsers(UserStream& stream, int maxItems) {
  const bool wasEmpty = m_userList.GetItemCount() == 0;
  const bool more = stream.Next(static_cast<size_t>(maxItems), [this](const UserRecord& user) {
    const int row = m_userList.InsertItem(m_userList.GetItemCount(), user.UserName);
    ShowUserColumns(row, user);
    if (!m_selectWhenListed.empty() && user.UserName == m_selectWhenListed) {
      m_userList.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
      m_selectWhenListed.clear();
    }
  });
  if (wasEmpty && m_userList.GetItemCount() > 0) {
    if (m_userList.GetNextItem(-1, LVNI_SELECTED) < 0)
      m_userList.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EnableRowButtons(TRUE);
  }
  if (!more) m_selectWhenListed.clear();
  return more;
}

BOOL CUsersPage::OnKillActive() {
  if (m_userList.IsFilling()) {
    m_userList.DeleteAllItems();
    MarkThisPageStale();
  }
  return CFTPSheetPage::OnKillActive();
}

void CUsersPage::CompleteList() { m_userList.FinishFill(); }

void CUsersPage::ShowUserColumns(int row, const UserRecord& user) {
  m_userList.SetItemData(row, static_cast<DWORD_PTR>(user.UserID));
  m_userList.SetItemText(row, 0, user.UserName);
  m_userList.SetItemText(row, 1, user.HomeDir);
  m_userList.SetItemText(row, 2, std::to_string(user.DiskQuota));
  m_userList.SetItemText(row, 3, PermissionText(user.Permissions));
}

void CUsersPage::EnableRowButtons(BOOL enable) {
  for (int id : {IDC_EDIT_USER, IDC_DELETE_USER, IDC_CHANGE_PASSWORD}) GetDlgItem(id)->EnableWindow(enable);
}

int CUsersPage::GetSelectedUser(int32_t& userId) const {
  const int row = m_userList.GetNextItem(-1, LVNI_SELECTED);
  if (row >= 0) userId = static_cast<int32_t>(m_userList.GetItemData(row));
  return row;
}

void CUsersPage::OnSelchangeComputer() {
  FillUserServers();
  ReloadUsers();
}

void CUsersPage::OnAdd() {
  const int server = m_serverCombo.GetCurSel();
  if (server < 1) return;
  CAddUserDlg dlg(this);
  dlg.m_user.VirtualServerID = static_cast<int32_t>(m_serverCombo.GetItemData(server));
  if (dlg.DoModal() != IDOK) return;
  CompleteList();
  if (!m_pDatabase->AddUser(dlg.m_user)) return;
  ReloadUsers();
  SelectAccountNamed(dlg.m_user.UserName);
}

void CUsersPage::SelectAccountNamed(const std::string& name) {
  // A new account is listed last as a rule, so the search starts there.
  for (int row = m_userList.GetItemCount() - 1; row >= 0; --row)
    if (m_userList.GetItemText(row, 0) == name) {
      m_userList.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
      return;
    }
  if (m_userList.IsFilling()) m_selectWhenListed = name;
}

int CUsersPage::ReadSelectedUser(UserRecord& user) {
  int32_t userId = 0;
  const int row = GetSelectedUser(userId);
  if (row < 0 || m_pDatabase->ReadUser(userId, user)) return row;
  ReloadUsers();  // another machine deleted the account: show what is left
  return -1;
}

void CUsersPage::OnEdit() {
  CAddUserDlg dlg(this);
  const int row = ReadSelectedUser(dlg.m_user);
  if (row < 0) return;
  dlg.m_bEdit = 1;
  if (dlg.DoModal() != IDOK) return;
  CompleteList();
  // A failed update shows the account as the database has it, not as it was typed.
  if (m_pDatabase->UpdateUser(dlg.m_user))
    ShowUserColumns(row, dlg.m_user);
  else
    ReloadUsers();
}

void CUsersPage::OnDelete() {
  int32_t userId = 0;
  const int row = GetSelectedUser(userId);
  if (row < 0) return;
  if (MessageBox("You are deleting user.\n\n Do you really want to continue ?", "Warning",
                 MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
    return;
  CompleteList();
  UserRecord user;
  user.UserID = userId;
  user.UserName = m_userList.GetItemText(row, 0);
  if (m_pDatabase->DeleteUser(user)) m_userList.DeleteItem(row);
}

void CUsersPage::OnChangePassword() {
  UserRecord user;
  if (ReadSelectedUser(user) < 0) return;
  CChangePasswordDlg dlg(this);
  dlg.m_strUserName = user.UserName;
  if (dlg.DoModal() != IDOK) return;
  DigestText(dlg.m_strPassword, user.Password);
  CompleteList();
  if (!m_pDatabase->UpdateUser(user)) ReloadUsers();
}

const CommandMap& CUsersPage::GetCommandMap() const {
  static const CommandMap map =
      CommandMap::Of<CUsersPage>(&CFTPSheetPage::GetCommandMap(),
                                 {
                                     {CBN_SELCHANGE, IDC_COMPUTER, &CUsersPage::OnSelchangeComputer},
                                     {CBN_SELCHANGE, IDC_USERS_VIRTUAL_SERVER, &CUsersPage::ReloadUsers},
                                     {LVN_FILTERCHANGED, IDC_USER_LIST, &CUsersPage::ReloadUsers},
                                     {BN_CLICKED, IDC_ADD_USER, &CUsersPage::OnAdd},
                                     {BN_CLICKED, IDC_EDIT_USER, &CUsersPage::OnEdit},
                                     {BN_CLICKED, IDC_DELETE_USER, &CUsersPage::OnDelete},
                                     {BN_CLICKED, IDC_CHANGE_PASSWORD, &CUsersPage::OnChangePassword},
                                 });
  return map;
}
