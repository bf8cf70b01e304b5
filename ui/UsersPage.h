#pragma once
// The Users page: the FTP accounts of every computer, of one computer or of one virtual
// server, with name, home directory, quota and permissions, and the buttons that add, edit
// and delete an account and set its password. Every change is written at once; the rows
// are drawn from the session's users list.

#include <cstdint>

#include "framework/ComboBox.h"
#include "framework/ListCtrl.h"
#include "ui/FTPSheetPage.h"

struct UserRecord;

class CUsersPage : public CFTPSheetPage {
public:
  CUsersPage();

  BOOL OnInitDialog() override;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void RefreshPage() override { RefreshUsersPage(); }
  const CommandMap& GetCommandMap() const override;

private:
  void RefreshUsersPage();
  void FillUserComputers();
  void FillUserServers();
  // Queries the database for the chosen computer and virtual server, then fills the list.
  void ReloadUsers();
  // Fills the list from the session's users, without a query.
  void FillUserList();

  void OnSelchangeComputer();
  void OnAdd();
  void OnEdit();
  void OnDelete();
  void OnChangePassword();

  // The row buttons' state: Edit, Delete and Change Password act on the selected row.
  void EnableRowButtons(BOOL enable);
  // The selected row, or -1 when none is; the key of its account goes into `userId`.
  int GetSelectedUser(int32_t& userId) const;
  // The selected account as the database holds it now; false when none is selected or the
  // account is gone (the list then shows what is left).
  bool ReadSelectedUser(UserRecord& user);

  CComboBox m_serverCombo;
  CComboBox m_computerCombo;
  CListCtrl m_userList;
};
