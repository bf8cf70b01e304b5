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
