#pragma once
// The computer choice as the pages and the Add Computer dialog fill it, and the virtual-server
// choice that follows it.

#include <functional>
#include <string>

class CComboBox;
class ConfigDatabase;

// Empties `combo` and lists the session's computers by name, each with its ID as item data,
// after `firstEntry` (item data 0) when one is given. Selects nothing.
void FillComputerCombo(CComboBox& combo, const ConfigDatabase& database, const char* firstEntry = nullptr);

// "(local)", then the session's computers, with the session's computer (by its computerName)
// chosen, or "(local)" when that names none.
void ShowSessionComputer(CComboBox& combo, const ConfigDatabase& database);

// Empties `servers` and, when `computers` has a choice, lists "(Default)" (item data 0, chosen)
// and then the virtual servers of the chosen computer whose address `listed` accepts, each with
// its ID. The first address that begins with the computer's current site is then chosen;
// without one "(Default)" stays chosen, so the choice never keeps naming another computer's
// server.
void FillVirtualServerCombo(CComboBox& servers, const CComboBox& computers, ConfigDatabase& database,
                            const std::function<bool(const std::string&)>& listed = {});
