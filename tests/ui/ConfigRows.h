#pragma once
// Rows put straight into a test database for the page and dialog tests, and the keys the
// database gave them.

#include <string>

#include "tests/support/TestDatabase.h"

class ConfigRows {
 public:
  explicit ConfigRows(const TestDatabase& db) : db_(db) {}

  int Computer(const std::string& name, const std::string& currentSite = "") const {
    db_.Execute("INSERT INTO VirtualServerGroup (Name, CurrentSite) VALUES (?, ?)", {name, currentSite});
    return LastKey("ID", "VirtualServerGroup");
  }
  int VirtualServer(int computerId, const std::string& address) const {
    db_.Execute("INSERT INTO VirtualServers (VServerIPAddr, VServerDesc, VServerGroupID) VALUES (?, 'd', ?)",
                {address, computerId});
    return LastKey("VServerID", "VirtualServers");
  }
  void Preference(int serverId, const std::string& name, const std::string& value) const {
    db_.Execute("INSERT INTO Preferences (Description, Settings, VirtualServerID) VALUES (?, ?, ?)",
                {name, value, serverId});
  }
  void User(int serverId, const std::string& name) const {
    db_.Execute("INSERT INTO Users (UserName, Password, HomeDir, Permissions, VirtualServerID, DiskQuota) "
                "VALUES (?, '', '/srv', 1, ?, 0)",
                {name, serverId});
  }
  int Count(const std::string& table, const std::string& where) const {
    return std::stoi(db_.QueryValue("SELECT COUNT(*) FROM " + table + " WHERE " + where));
  }

 private:
  int LastKey(const std::string& key, const std::string& table) const {
    return std::stoi(db_.QueryValue("SELECT MAX(" + key + ") FROM " + table));
  }

  const TestDatabase& db_;
};
