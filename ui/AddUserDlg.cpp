#include "ui/AddUserDlg.h"

#include <filesystem>

#include "digest/Digest.h"
#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "framework/Edit.h"
#include "base/ParseInt.h"
#include "res/ResourceIds.h"
#include "ui/BrowseForDirectory.h"
#include "ui/PasswordCheck.h"
#include "db/Permissions.h"
#include "ui/TextLimits.h"

namespace {

// The permission bits the five checks stand for.
constexpr int32_t kCheckedPermissions = kPermissionDownload | kPermissionRename | kPermissionUpload |
                                        kPermissionCreateDirectory | kPermissionDelete;

// Reads the quota typed into `quota`; null when it is a whole number within 32 bits, else the
// refusal to show.
const char* ReadQuota(const std::string& text, int32_t& quota) {
  switch (ParseInt(text, quota)) {
    case ParseResult::Ok:
      return nullptr;
    case ParseResult::OutOfRange:
      return "The Disk Quota can be at most 2147483647 MB.";
    case ParseResult::NotANumber:
      break;
  }
  return "Please specify disk quota";  // the field takes digits alone: nothing usable was given
}

}  // namespace

CAddUserDlg::CAddUserDlg(CWnd* parent) : CDialog(IDD_ADD_USER, parent) {}

void CAddUserDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_USER_NAME, m_strUserName);
  DDX_Text(pDX, IDC_PASSWORD, m_strPassword);
  DDX_Text(pDX, IDC_CONFIRM_PASSWORD, m_strConfirm);
  DDX_Text(pDX, IDC_QUOTA, m_strQuota);
  DDX_Text(pDX, IDC_HOME_DIR, m_strHomeDir);
  DDX_Check(pDX, IDC_RENAME, m_bRename);
  DDX_Check(pDX, IDC_UPLOAD, m_bUpload);
  DDX_Check(pDX, IDC_DOWNLOAD, m_bDownload);
  DDX_Check(pDX, IDC_DELETE_FILES, m_bDelete);
  DDX_Check(pDX, IDC_CREATE_DIR, m_bCreateDir);
}

BOOL CAddUserDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (!m_bEdit) return TRUE;
  for (int id : {IDC_USER_NAME, IDC_PASSWORD, IDC_CONFIRM_PASSWORD})
    static_cast<CEdit*>(GetDlgItem(id))->SetReadOnly(TRUE);
  m_strUserName = m_user.UserName;
  m_strPassword.clear();
  m_strConfirm.clear();
  m_strHomeDir = m_user.HomeDir;
  SetPermissionChecks(m_user.Permissions);
  m_strQuota = std::to_string(m_user.DiskQuota);
  UpdateData(FALSE);
  return TRUE;
}

void CAddUserDlg::OnBrowse() {
  const std::string path = BrowseForDirectory(this, "Select a Directory:", BIF_RETURNONLYFSDIRS);
  if (path.empty()) return;
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    MessageBox("Please Specify Valid Directory", "Error!!", MB_OK | MB_ICONINFORMATION);
    return;
  }
  GetDlgItem(IDC_HOME_DIR)->SetWindowText(path);
}

void CAddUserDlg::OnOK() {
  int32_t quota = 0;
  if (!UpdateData(TRUE) || !CheckEntries(quota)) return;
  m_user.UserName = m_strUserName;
  if (!m_bEdit) DigestText(m_strPassword, m_user.Password);
  m_user.HomeDir = m_strHomeDir;
  m_user.DiskQuota = quota;
  // An edit keeps the stored bits that no check stands for (the built-in accounts have all
  // 32 set), so an account saved unchanged keeps its permissions as they were.
  const int32_t unshownBits = m_bEdit ? m_user.Permissions & ~kCheckedPermissions : 0;
  m_user.Permissions = PermissionsFromChecks() | unshownBits;
  EndDialog(IDOK);
}

bool CAddUserDlg::CheckEntries(int32_t& quota) {
  if (const char* refusal = MissingEntry()) {
    MessageBox(refusal, "Invalid Value", MB_OK | MB_ICONINFORMATION);
    return false;
  }
  if (!TextFitsColumn(this, m_strUserName, "User Name") ||
      !TextFitsColumn(this, m_strHomeDir, "Home Directory"))
    return false;
  const char* refusal = ReadQuota(m_strQuota, quota);
  if (!refusal) return true;
  MessageBox(refusal, "Invalid Value", MB_OK | MB_ICONINFORMATION);
  return false;
}

const char* CAddUserDlg::MissingEntry() const {
  if (m_strUserName.empty()) return "Please specify user name";
  if (m_strHomeDir.empty()) return "Please specify home directory";
  if (m_strQuota.empty()) return "Please specify disk quota";
  return m_bEdit ? nullptr : PasswordRefusal(m_strPassword, m_strConfirm);
}

void CAddUserDlg::SetPermissionChecks(int32_t permissions) {
  m_bDownload = (permissions & kPermissionDownload) != 0;
  m_bRename = (permissions & kPermissionRename) != 0;
  m_bUpload = (permissions & kPermissionUpload) != 0;
  m_bCreateDir = (permissions & kPermissionCreateDirectory) != 0;
  m_bDelete = (permissions & kPermissionDelete) != 0;
}

int32_t CAddUserDlg::PermissionsFromChecks() const {
  return (m_bDownload ? kPermissionDownload : 0) | (m_bRename ? kPermissionRename : 0) |
         (m_bUpload ? kPermissionUpload : 0) | (m_bCreateDir ? kPermissionCreateDirectory : 0) |
         (m_bDelete ? kPermissionDelete : 0);
}

const CommandMap& CAddUserDlg::GetCommandMap() const {
  static const CommandMap map = CommandMap::Of<CAddUserDlg>(
      &CDialog::GetCommandMap(), {
                                     {BN_CLICKED, IDC_BROWSE_HOME_DIR, &CAddUserDlg::OnBrowse},
                                 });
  return map;
}
