#include "ui/AddComputerDlg.h"

#include "db/ConfigDatabase.h"
#include "framework/CommandMap.h"
#include "framework/DataExchange.h"
#include "res/ResourceIds.h"
#include "ui/ComputerCombo.h"
#include "ui/TextLimits.h"

namespace {

constexpr const char* kDeleteWarning =
    "This will remove all virtual servers configured under this computer. Subsequently, it would delete "
    "users and "
    "preferences configured for these virtual servers.\n\n Do you really want to continue ?";

}  // namespace

CAddComputerDlg::CAddComputerDlg(ConfigDatabase& database, CWnd* parent)
    : CDialog(IDD_ADD_COMPUTER, parent), m_database(database) {}

void CAddComputerDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_COMPUTER_CHOICE, m_cbComputer);
}

const CommandMap& CAddComputerDlg::GetCommandMap() const {
  static const CommandMap map = CommandMap::Of<CAddComputerDlg>(
      &CDialog::GetCommandMap(),
      {
          {CBN_SELCHANGE, IDC_COMPUTER_CHOICE, &CAddComputerDlg::ShowSelectedComputer},
          {BN_CLICKED, IDC_SAVE_COMPUTER, &CAddComputerDlg::OnSave},
          {BN_CLICKED, IDC_DELETE_COMPUTER, &CAddComputerDlg::OnDelete},
      });
  return map;
}

BOOL CAddComputerDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  FillComputerChoice();
  return TRUE;
}

void CAddComputerDlg::FillComputerChoice() {
  FillComputerCombo(m_cbComputer, m_database, "<New>");
  m_cbComputer.SetCurSel(0);
  ShowSelectedComputer();
}

void CAddComputerDlg::ShowSelectedComputer() {
  const int selected = m_cbComputer.GetCurSel();
  if (selected == CB_ERR) return;
  std::string name;
  if (selected > 0) m_cbComputer.GetLBText(selected, name);
  GetDlgItem(IDC_COMPUTER_NAME)->SetWindowText(name);
  GetDlgItem(IDC_DELETE_COMPUTER)->EnableWindow(selected > 0);
}

int32_t CAddComputerDlg::SelectedKey() const {
  const int selected = m_cbComputer.GetCurSel();
  return selected == CB_ERR ? -1 : static_cast<int32_t>(m_cbComputer.GetItemData(selected));
}

void CAddComputerDlg::OnSave() {
  const int32_t key = SelectedKey();
  if (key < 0) return;
  CWnd* nameField = GetDlgItem(IDC_COMPUTER_NAME);
  const std::string name = nameField->GetWindowText();
  if (!TextFitsColumn(this, name, "computer name")) {
    nameField->SetFocus();
    return;
  }
  if (key == 0)
    m_database.AddComputer(name);
  else
    m_database.RenameComputer(key, name);
  ComputersChanged();
}

void CAddComputerDlg::OnDelete() {
  const int32_t key = SelectedKey();
  ComputerRecord computer;
  if (key <= 0 || !m_database.FindComputerById(key, computer)) return;
  if (MessageBox(kDeleteWarning, "Warning", MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
  m_database.DeleteComputer(computer);
  ComputersChanged();
}

void CAddComputerDlg::ComputersChanged() {
  FillComputerChoice();
  m_bChanged = 1;
}
