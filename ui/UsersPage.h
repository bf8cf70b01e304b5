#pragma once
// The Users page: the FTP accounts of every computer, of one computer or of one virtual
// server, with name, home directory, quota and permissions, and the buttons that add, edit
// and delete an account and set its password. Every change is written at once; the rows
// come straight from the database, so the list is the one copy of them.

#include <cstdint>
#include <string>

#include "framework/ComboBox.h"
#include "framework/ListCtrl.h"
#include "ui/FTPSheetPage.h"

struct UserRecord;
class UserStream;

class CUsersPage : public CFTPSheetPage {
 public:
  CUsersPage(ConfigDatabase* database, StalePageMask& stalePages);

  BOOL OnInitDialog() override;
  // A list still filling stops when another page is chosen, and is read again when this one
  // is: its open statement would keep SQLite from committing the other pages' changes.
  BOOL OnKillActive() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void RefreshPage() override { RefreshUsersPage(); }
  const CommandMap& GetCommandMap() const override;

 private:
  void RefreshUsersPage();
  void FillUserServers();
  // Lists the accounts of the chosen computer and virtual server as the database has them,
  // those whose name or home folder contains the list's filter text (db/UserMatch.h):
  // the first rows at once, the rest as the backend asks for them (CListCtrl::BeginFill).
  void ReloadUsers();
  // The list's source: up to `maxItems` more accounts from `stream`; false at its end.
  bool ShowMoreUsers(UserStream& stream, int maxItems);
  // Before a change is written: the rest of the list is read first, so that no statement of
  // this page is open while the database commits (rows only ever come after the selection).
  void CompleteList();
  // Selects the row of the account with that name (the list then shows it), now or when it
  // arrives.
  void SelectAccountNamed(const std::string& name);
  // Writes the account's columns and key into the list's row.
  void ShowUserColumns(int row, const UserRecord& user);

  void OnSelchangeComputer();
  void OnAdd();
  void OnEdit();
  void OnDelete();
  void OnChangePassword();

  // The row buttons' state: Edit, Delete and Change Password act on the selected row.
  void EnableRowButtons(BOOL enable);
  // The selected row, or -1 when none is; the key of its account goes into `userId`.
  int GetSelectedUser(int32_t& userId) const;
  // The selected row, with its account as the database holds it now in `user`; -1 when
  // none is selected or the account is gone (the list then shows what is left).
  int ReadSelectedUser(UserRecord& user);

  CComboBox m_serverCombo;
  CComboBox m_computerCombo;
  CListCtrl m_userList;
  std::string m_selectWhenListed;  // an account to select when its row arrives
};
