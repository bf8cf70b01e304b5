// The recordsets against real engines: column order and kinds, text limits, block fetching
// and the driver's own error text.

#include <gmock/gmock.h>

#include "db/CRSPreferences.h"
#include "db/CRSUsers.h"
#include "db/CRSVirtualServerGroup.h"
#include "db/CRSVirtualServers.h"
#include "db/DatabaseError.h"
#include "tests/db/TestHelpers.h"

namespace {

// A value as a query returns it, as text.
std::string Text(const std::string& text) { return text; }
std::string Text(int32_t number) { return std::to_string(number); }

// A recordset whose members the test reads in exchange order.
template <typename Recordset>
class Walkable : public Recordset {
 public:
  std::vector<std::string> Texts() {
    CFieldExchange exchange;
    this->DoFieldExchange(exchange);
    std::vector<std::string> texts;
    for (const auto& field : exchange.Fields())
      texts.push_back(std::visit([](auto* member) { return Text(member->Value()); }, field.member));
    return texts;
  }
};

class RecordsetTest : public DatabaseTest {
 protected:
  // Stores `values` under the table's column names (`columns`, in table order) and reads them
  // by position into the members. Writing by the members' names is the mutations' test.
  template <typename Recordset>
  void ExpectRead(const std::string& table, const std::string& columns, const std::string& values) {
    Db().Execute("INSERT INTO " + table + " (" + columns + ") VALUES (" + values + ")");
    Walkable<Recordset> recordset;
    recordset.Open("SELECT * FROM " + table);
    EXPECT_EQ(Rows{recordset.Texts()}, Db().Query("SELECT " + columns + " FROM " + table)) << table;
  }
};
VELTRANE_ON_ALL_ENGINES(RecordsetTest);

TEST_P(RecordsetTest, EveryColumnOfEveryTableIsReadInTableOrder) {
  ExpectRead<CRSUsers>(
      "Users",
      "UserID, UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota, "
      "WO_UserEmail, WO_UserAdminLevelID, WO_GroupID, WO_PreviousPermissions, WO_NonMD5Password",
      "11, 'O''Brien', 'p', 'h', 31, 7, 1, 5, 'e', 2, 3, 4, 'n'");
  ExpectRead<CRSPreferences>("Preferences", "PreferenceID, Description, Settings, VirtualServerID",
                             "1, 'd', 's', 9");
  ExpectRead<CRSVirtualServers>("VirtualServers", "VServerID, VServerIPAddr, VServerDesc, VServerGroupID",
                                "1, '1.2.3.4', 'x', 8");
  ExpectRead<CRSVirtualServerGroup>("VirtualServerGroup", "ID, Name, CurrentSite", "1, 'pc', '1.2.3.4'");
}

TEST_P(RecordsetTest, AnotherClientsTextOver255CharactersIsRefusedByPostgreSQLAndCutOnReadingFromSQLite) {
  std::string longer;  // 257 characters of two bytes each
  for (int i = 0; i < 257; ++i) longer += "é";
  const std::string insert = "INSERT INTO VirtualServerGroup (Name) VALUES (?)";
  if (GetParam() == Engine::PostgreSQL) {
    EXPECT_THROW(Db().Execute(insert, {longer}), DatabaseError);
    return;
  }
  Db().Execute(insert, {longer});
  CRSVirtualServerGroup computers;
  computers.Open("SELECT * FROM VirtualServerGroup");
  EXPECT_EQ(computers.m_Name.Value(), longer.substr(0, 2 * 255));  // never inside a character
}

TEST_P(RecordsetTest, RowsAcrossManyFetchBlocksArriveInOrderEachOnce) {
  Db().Execute(
      "INSERT INTO Preferences (Description, Settings, VirtualServerID) "
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) SELECT 'p', 's', i "
      "FROM n");
  CRSPreferences preferences;
  preferences.Open("SELECT * FROM Preferences ORDER BY VirtualServerID");
  int expected = 1;
  for (; !preferences.IsEOF(); preferences.MoveNext())
    ASSERT_EQ(preferences.m_VirtualServerID.Value(), expected++);
  EXPECT_EQ(expected, 1001);
}

// A bad statement raises the driver's own text; changing or deleting a row that another client
// deleted fails.
TEST_P(RecordsetTest, WhatARecordsetMayNotDoFails) {
  CRSUsers users;
  EXPECT_THAT([&] { users.Open("SELEC * FROM Users"); },
              ::testing::ThrowsMessage<DatabaseError>(::testing::HasSubstr("SELEC")));

  Db().Execute("INSERT INTO VirtualServerGroup (Name) VALUES ('a')");
  CRSVirtualServerGroup computers;
  computers.Open("SELECT * FROM VirtualServerGroup");
  Db().Execute("DELETE FROM VirtualServerGroup");
  computers.Edit();
  computers.m_Name = "b";
  EXPECT_THROW(computers.Update(), std::runtime_error);
  EXPECT_THROW(computers.Delete(), std::runtime_error);
}

}  // namespace
