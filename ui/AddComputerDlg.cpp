#include "ui/AddComputerDlg.h"

#include "db/ConfigDatabase.h"
#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "ui/TextLimits.h"

namespace {

enum : int {
  IDC_DELETE = 7012,
  IDC_SAVE = 7011,
  IDC_COMPUTER = 7027,
  IDC_NAME = 7028,
};

constexpr const char* kDeleteWarning =
    "This will remove all virtual servers configured under this computer. Subsequently, it would delete users and "
    "preferences configured for these virtual servers.\n\n Do you really want to continue ?";

}  // namespace

CAddComputerDlg::CAddComputerDlg(CWnd* parent) : CDialog(IDD, parent) {}

void CAddComputerDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_COMPUTER, m_cbComputer);
}

const CommandMap& CAddComputerDlg::GetCommandMap() const {
  static const CommandMap map = CommandMap::Of<CAddComputerDlg>(&CDialog::GetCommandMap(), {
      {CBN_SELCHANGE, IDC_COMPUTER, &CAddComputerDlg::ShowSelectedComputer},
      {BN_CLICKED, IDC_SAVE, &CAddComputerDlg::OnSave},
      {BN_CLICKED, IDC_DELETE, &CAddComputerDlg::OnDelete},
  });
  return map;
}

BOOL CAddComputerDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  FillComputerChoice();
  return TRUE;
}

void CAddComputerDlg::FillComputerChoice() {
  m_cbComputer.ResetContent();
  m_cbComputer.SetItemData(m_cbComputer.AddString("<New>"), 0);
  if (m_pDatabase)
    for (const ComputerRecord& computer : m_pDatabase->computers)
      m_cbComputer.SetItemData(m_cbComputer.AddString(computer.Name), static_cast<DWORD_PTR>(computer.ID));
  m_cbComputer.SetCurSel(0);
  ShowSelectedComputer();
}

void CAddComputerDlg::ShowSelectedComputer() {
  const int selected = m_cbComputer.GetCurSel();
  if (selected == CB_ERR) return;
  std::string name;
  if (selected > 0) m_cbComputer.GetLBText(selected, name);
  GetDlgItem(IDC_NAME)->SetWindowText(name);
  GetDlgItem(IDC_DELETE)->EnableWindow(selected > 0);
}

int32_t CAddComputerDlg::SelectedKey() const {
  const int selected = m_cbComputer.GetCurSel();
  return selected == CB_ERR ? -1 : static_cast<int32_t>(m_cbComputer.GetItemData(selected));
}

void CAddComputerDlg::OnSave() {
  const int32_t key = SelectedKey();
  if (key < 0 || !m_pDatabase) return;
  CWnd* nameField = GetDlgItem(IDC_NAME);
  const std::string name = nameField->GetWindowText();
  if (!TextFitsColumn(this, name, "computer name")) {
    nameField->SetFocus();
    return;
  }
  if (key == 0) m_pDatabase->AddComputer(name);
  else m_pDatabase->RenameComputer(key, name);
  ComputersChanged();
}

void CAddComputerDlg::OnDelete() {
  const int32_t key = SelectedKey();
  ComputerRecord computer;
  if (key <= 0 || !m_pDatabase || !m_pDatabase->FindComputerById(key, computer)) return;
  if (MessageBox(kDeleteWarning, "Warning", MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
  m_pDatabase->DeleteComputer(computer);
  ComputersChanged();
}

void CAddComputerDlg::ComputersChanged() {
  FillComputerChoice();
  m_bChanged = 1;
}
