#pragma once
// The computer choice as the pages and the Add Computer dialog fill it.

class CComboBox;
class ConfigDatabase;

// Empties `combo` and lists the session's computers by name, each with its ID as item data,
// after `firstEntry` (item data 0) when one is given. Selects nothing.
void FillComputerCombo(CComboBox& combo, const ConfigDatabase& database, const char* firstEntry = nullptr);

// "(local)", then the session's computers, with the session's computer (by its computerName)
// chosen, or "(local)" when that names none.
void ShowSessionComputer(CComboBox& combo, const ConfigDatabase& database);
