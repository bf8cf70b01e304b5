#pragma once
// CAddUserDlg: the Add User dialog (template IDD_ADD_USER). In add mode it takes a new account's name,
// password (twice), disk quota, home directory and permissions; in edit mode the same dialog
// changes home directory, quota and permissions while name and password stay. It never
// touches the database: on OK it leaves the account in m_user, with the password's digest.

#include <string>

#include "db/UserRecord.h"
#include "framework/Dialog.h"

class CAddUserDlg : public CDialog {
 public:
  explicit CAddUserDlg(CWnd* parent = nullptr);

  std::string m_strUserName;
  std::string m_strPassword;
  std::string m_strConfirm;
  std::string m_strQuota;
  std::string m_strHomeDir;
  BOOL m_bRename = FALSE;
  BOOL m_bUpload = FALSE;
  BOOL m_bDownload = FALSE;
  BOOL m_bDelete = FALSE;
  BOOL m_bCreateDir = FALSE;
  // The account: set by the caller before DoModal, read back after IDOK.
  UserRecord m_user;
  int m_bEdit = 0;  // 0 add, 1 edit

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  const CommandMap& GetCommandMap() const override;

 private:
  void OnBrowse();
  // Shows the first refusal of the typed entries and answers false; else reads the quota.
  bool CheckEntries(int32_t& quota);
  // The refusal of an entry left empty or of two passwords that differ; null when none.
  const char* MissingEntry() const;
  void SetPermissionChecks(int32_t permissions);
  int32_t PermissionsFromChecks() const;
};
