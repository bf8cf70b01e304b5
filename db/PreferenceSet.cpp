#include "db/PreferenceSet.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "db/CRSPreferences.h"
#include "db/GuardedOperation.h"

namespace {

// The eight names, in the order mode 1 creates their rows.
constexpr const char* kSettingNames[] = {"FTP Port",        "Welcome Message",        "GoodBye Message",
                                         "Anonymous",       "Max Connections",        "Max Connections Per IP",
                                         "Max Connections Per User", "Connection Timeout"};

// The leading decimal integer of `text` (blanks and a sign may lead; 0 without digits),
// held to the 32-bit range.
int32_t LeadingInteger(const std::string& text) {
  const long value = std::strtol(text.c_str(), nullptr, 10);
  return static_cast<int32_t>(std::clamp<long>(value, std::numeric_limits<int32_t>::min(),
                                               std::numeric_limits<int32_t>::max()));
}

}  // namespace

PreferenceSet::PreferenceSet(const PreferenceSet& other) { CopyValues(other); }

PreferenceSet& PreferenceSet::operator=(const PreferenceSet& other) {
  if (this != &other) CopyValues(other);
  return *this;
}

void PreferenceSet::CopyValues(const PreferenceSet& other) {
  welcomeMessage = other.welcomeMessage;
  goodbyeMessage = other.goodbyeMessage;
  anonymous = other.anonymous;
  maxConnections = other.maxConnections;
  maxConnectionsPerIp = other.maxConnectionsPerIp;
  maxConnectionsPerUser = other.maxConnectionsPerUser;
  connectionTimeout = other.connectionTimeout;
  ftpPort = other.ftpPort;
  virtualServerId = other.virtualServerId;
  quiet = other.quiet;
}

int32_t* PreferenceSet::NumberSetting(const std::string& name) {
  if (name == "FTP Port") return &ftpPort;
  if (name == "Anonymous") return &anonymous;
  if (name == "Max Connections") return &maxConnections;
  if (name == "Max Connections Per IP") return &maxConnectionsPerIp;
  if (name == "Max Connections Per User") return &maxConnectionsPerUser;
  if (name == "Connection Timeout") return &connectionTimeout;
  return nullptr;
}

std::string* PreferenceSet::TextSetting(const std::string& name) {
  if (name == "Welcome Message") return &welcomeMessage;
  if (name == "GoodBye Message") return &goodbyeMessage;
  return nullptr;
}

bool PreferenceSet::RowHoldsSetting(const PreferenceRecord& row) {
  if (const std::string* text = TextSetting(row.Description)) return *text == row.Settings;
  if (const int32_t* number = NumberSetting(row.Description)) return *number == LeadingInteger(row.Settings);
  return true;  // not one of the eight: nothing of this set goes there
}

void PreferenceSet::ApplySetting(const std::string& name, const std::string& text) {
  if (std::string* setting = TextSetting(name)) *setting = text;
  else if (int32_t* number = NumberSetting(name)) *number = LeadingInteger(text);
}

int PreferenceSet::SettingText(const std::string& name, std::string& text, int add) {
  if (name.empty()) return 1;
  if (const std::string* setting = TextSetting(name)) text = *setting;
  else if (const int32_t* number = NumberSetting(name)) text = std::to_string(*number);
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
      rows.push_back({table.m_Description.Value(), table.m_PreferenceID.Value(), table.m_VirtualServerID.Value(),
                      table.m_Settings.Value()});
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
      for (PreferenceRecord& row : rows) {
        if (RowHoldsSetting(row)) continue;
        SettingText(row.Description, row.Settings, 0);
        attempt(row.Update(rowQuiet));
      }
      // A setting without a row would lose its edit: it gets its row, as in mode 1.
      virtualServerId = id;
      AddRowsMissingFrom(rows, rowQuiet);
      return;
    case kDeleteLoadedRows:
      for (const PreferenceRecord& row : rows) attempt(row.Delete(rowQuiet));
      rows.clear();
      return;
    default:
      return;
  }
}

void PreferenceSet::AddRowsMissingFrom(const PreferenceList& existing, int& rowQuiet) {
  for (const char* name : kSettingNames) {
    const auto named = [name](const PreferenceRecord& row) { return row.Description == name; };
    if (std::any_of(existing.begin(), existing.end(), named)) continue;
    std::string text;
    SettingText(name, text, 0);
    if (!AddRow(name, text, rowQuiet)) rowQuiet = 1;
  }
}
