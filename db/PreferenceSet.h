#pragma once
// The eight named settings of one virtual server, with their defaults, and the Preferences
// rows they were loaded from. Each setting is one row: its name in Description, its value
// as text in Settings. db/PreferenceTable.h lists the eight.

#include <cstdint>
#include <functional>
#include <string>

#include "db/PreferenceRecord.h"

class PreferenceSet {
 public:
  // StorePreferences modes.
  static constexpr int kCreateRows = 1;
  static constexpr int kWriteLoadedRows = 2;

  // The eight values of `other` (edited in a copy, say); this set's rows, key and quiet stay.
  void TakeValues(const PreferenceSet& other);

  // Reads the rows of a virtual server and applies each; returns the number read. Settings
  // without a row keep their values.
  int LoadPreferences(int32_t id);
  // Mode 1 inserts the eight rows for `id`, mode 2 writes back the loaded rows whose setting
  // changed and inserts the named rows that were missing; other modes do nothing. Every row
  // is attempted; only the first failure is reported.
  void StorePreferences(int32_t id, int mode);
  // What mode 2 stores (mode 1 when no row was loaded), in one transaction: every value or,
  // after one report, none. Returns 1 or 0.
  int StorePreferencesTogether(int32_t id);
  // One row's value into its setting; other names set nothing.
  void ApplySetting(const std::string& name, const std::string& text);
  // A setting's value as text (other names leave `text` as it was); with `add`, also inserts
  // it as a new row of this set's virtual server. Returns 0 only when that insert failed.
  int SettingText(const std::string& name, std::string& text, int add);

  std::string welcomeMessage = "Welcome to FTP Service";
  std::string goodbyeMessage = "GoodBye";
  int32_t anonymous = 0;
  int32_t maxConnections = 10;
  int32_t maxConnectionsPerIp = 3;
  int32_t maxConnectionsPerUser = 3;
  int32_t connectionTimeout = 5;
  int32_t ftpPort = 21;
  int32_t virtualServerId = 0;
  int quiet = 0;
  PreferenceList rows;

 private:
  int AddRow(const std::string& name, const std::string& text, int rowQuiet) const;
  // Whether the row's stored text still gives its setting's value: then it is left as stored,
  // also where the setting holds it only approximately (a number beyond 32 bits).
  bool RowHoldsSetting(const PreferenceRecord& row) const;
  // Inserts a row for each of the eight names that no row of `existing` carries, in the
  // order of the names; after the first failed insert `rowQuiet` is 1, so it alone is shown.
  void AddRowsMissingFrom(const PreferenceList& existing, int& rowQuiet);
  // Each loaded row whose setting changed, given its new text, to `write`.
  void ForEachChangedRow(const std::function<void(PreferenceRecord&)>& write);
  // The name and text of each of the eight that no row of `existing` carries, in order.
  void ForEachMissingRow(const PreferenceList& existing,
                         const std::function<void(const std::string&, const std::string&)>& add);
};
