#include "db/PreferenceSet.h"

#include <algorithm>

#include "db/CRSPreferences.h"
#include "db/ChangeStatement.h"
#include "db/ConnectionPool.h"
#include "db/GuardedOperation.h"
#include "db/PreferenceTable.h"
#include "db/RowMutation.h"
#include "db/Transaction.h"
#include "base/ParseInt.h"

namespace {

const PreferenceDefinition* FindPreference(const std::string& name) {
  for (const PreferenceDefinition& preference : kPreferences)
    if (name == preference.name) return &preference;
  return nullptr;
}

}  // namespace

void PreferenceSet::TakeValues(const PreferenceSet& other) {
  for (const PreferenceDefinition& preference : kPreferences) {
    if (preference.text)
      this->*preference.text = other.*preference.text;
    else
      this->*preference.number = other.*preference.number;
  }
}

bool PreferenceSet::RowHoldsSetting(const PreferenceRecord& row) const {
  const PreferenceDefinition* preference = FindPreference(row.Description);
  if (!preference) return true;  // not one of the eight: nothing of this set goes there
  if (preference->text) return this->*preference->text == row.Settings;
  return this->*preference->number == LeadingInt(row.Settings);
}

void PreferenceSet::ApplySetting(const std::string& name, const std::string& text) {
  const PreferenceDefinition* preference = FindPreference(name);
  if (!preference) return;
  if (preference->text)
    this->*preference->text = text;
  else
    this->*preference->number = LeadingInt(text);
}

int PreferenceSet::SettingText(const std::string& name, std::string& text, int add) {
  if (name.empty()) return 1;
  if (const PreferenceDefinition* preference = FindPreference(name))
    text = preference->text ? this->*preference->text : std::to_string(this->*preference->number);
  return add ? AddRow(name, text, quiet) : 1;
}

int PreferenceSet::AddRow(const std::string& name, const std::string& text, int rowQuiet) const {
  PreferenceRecord row;
  row.Description = name;
  row.VirtualServerID = virtualServerId;
  row.Settings = text;
  return row.Add(rowQuiet);
}

int PreferenceSet::LoadPreferences(int32_t id) {
  rows.clear();
  int count = 0;
  const bool loaded = RunGuarded(quiet, [&] {
    CRSPreferences table;
    table.Open("SELECT * FROM Preferences where VirtualServerID = ?", {id});
    for (; !table.IsEOF(); table.MoveNext()) {
      rows.push_back({table.m_Description.Value(), table.m_PreferenceID.Value(),
                      table.m_VirtualServerID.Value(), table.m_Settings.Value()});
      ApplySetting(table.m_Description.Value(), table.m_Settings.Value());
      ++count;
    }
    table.Close();
  });
  if (loaded) virtualServerId = id;
  return count;
}

void PreferenceSet::StorePreferences(int32_t id, int mode) {
  // Every row is attempted; only the first failure is reported, so that a lost connection
  // shows one box and not eight.
  int rowQuiet = quiet;
  const auto attempt = [&rowQuiet](int result) {
    if (!result) rowQuiet = 1;
  };
  switch (mode) {
    case kCreateRows:
      virtualServerId = id;
      AddRowsMissingFrom({}, rowQuiet);
      return;
    case kWriteLoadedRows:
      ForEachChangedRow([&](PreferenceRecord& row) { attempt(row.Update(rowQuiet)); });
      // A setting without a row would lose its edit: it gets its row, as in mode 1.
      virtualServerId = id;
      AddRowsMissingFrom(rows, rowQuiet);
      return;
    default:
      return;
  }
}

void PreferenceSet::AddRowsMissingFrom(const PreferenceList& existing, int& rowQuiet) {
  ForEachMissingRow(existing, [&](const std::string& name, const std::string& text) {
    if (!AddRow(name, text, rowQuiet)) rowQuiet = 1;
  });
}

void PreferenceSet::ForEachChangedRow(const std::function<void(PreferenceRecord&)>& write) {
  for (PreferenceRecord& row : rows) {
    if (RowHoldsSetting(row)) continue;
    SettingText(row.Description, row.Settings, 0);
    write(row);
  }
}

void PreferenceSet::ForEachMissingRow(
    const PreferenceList& existing, const std::function<void(const std::string&, const std::string&)>& add) {
  for (const PreferenceDefinition& preference : kPreferences) {
    const std::string name = preference.name;
    const auto named = [&name](const PreferenceRecord& row) { return row.Description == name; };
    if (std::any_of(existing.begin(), existing.end(), named)) continue;
    std::string text;
    SettingText(name, text, 0);
    add(name, text);
  }
}

int PreferenceSet::StorePreferencesTogether(int32_t id) {
  virtualServerId = id;
  return RunGuarded(
             quiet,
             [&] {
               ConnectionLease lease;
               RunReconnectingOnce(lease, [&](OdbcConnection& connection) {
                 Transaction transaction(lease);
                 ForEachChangedRow([&](PreferenceRecord& row) {
                   if (RunChangeStatement(connection,
                                          "UPDATE Preferences SET Settings = ? WHERE PreferenceID = ?",
                                          {row.Settings, row.PreferenceID}) != 1)
                     throw Refusal(WithValue("Can not update preference. Preference %s does not exist!!",
                                             row.Description));
                 });
                 ForEachMissingRow(rows, [&](const std::string& name, const std::string& text) {
                   RunChangeStatement(connection,
                                      "INSERT INTO Preferences (Description, Settings, VirtualServerID) "
                                      "VALUES (?, ?, ?)",
                                      {name, text, id});
                 });
                 transaction.Commit();
               });
             })
             ? 1
             : 0;
}
