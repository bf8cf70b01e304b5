#include "ui/ComputerCombo.h"

#include "db/ConfigDatabase.h"
#include "framework/ComboBox.h"

void FillComputerCombo(CComboBox& combo, const ConfigDatabase& database, const char* firstEntry) {
  combo.ResetContent();
  if (firstEntry) combo.SetItemData(combo.AddString(firstEntry), 0);
  for (const ComputerRecord& computer : database.computers)
    combo.SetItemData(combo.AddString(computer.Name), static_cast<DWORD_PTR>(computer.ID));
}

void ShowSessionComputer(CComboBox& combo, const ConfigDatabase& database) {
  FillComputerCombo(combo, database, "(local)");
  combo.SetCurSel(0);
  if (!database.computerName.empty()) combo.SelectString(-1, database.computerName);
}

void FillVirtualServerCombo(CComboBox& servers, const CComboBox& computers, ConfigDatabase& database,
                            const std::function<bool(const std::string&)>& listed) {
  servers.ResetContent();
  const int chosen = computers.GetCurSel();
  if (chosen == CB_ERR) return;
  servers.SetItemData(servers.AddString("(Default)"), 0);
  servers.SetCurSel(0);
  ComputerRecord computer;
  if (!database.FindComputerById(static_cast<int32_t>(computers.GetItemData(chosen)), computer)) return;
  for (const VirtualServerRecord& server : database.LoadVirtualServersOfComputer(computer.ID))
    if (!listed || listed(server.VServerIPAddr))
      servers.SetItemData(servers.AddString(server.VServerIPAddr), static_cast<DWORD_PTR>(server.VServerID));
  if (!computer.CurrentSite.empty()) servers.SelectString(-1, computer.CurrentSite);
}
