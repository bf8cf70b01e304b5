// The recordsets against real engines: column order and kinds, text limits, bound values,
// block fetching and the driver's own error text.

#include <gtest/gtest.h>

#include "db/CRSPreferences.h"
#include "db/CRSUsers.h"
#include "db/CRSVirtualServerGroup.h"
#include "db/CRSVirtualServers.h"
#include "db/DatabaseError.h"
#include "tests/support/DatabaseTest.h"

namespace {

class RecordsetTest : public DatabaseTest {};
VELTRANE_ON_ALL_ENGINES(RecordsetTest);

TEST_P(RecordsetTest, EveryColumnOfEveryTableIsReadInTableOrder) {
  Db().Execute(
      "INSERT INTO Users (UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota, WO_UserEmail, "
      "WO_UserAdminLevelID, WO_GroupID, WO_PreviousPermissions, WO_NonMD5Password) "
      "VALUES ('u', 'p', 'h', 31, 7, 1, 5, 'e', 2, 3, 4, 'n')");
  Db().Execute("INSERT INTO Preferences (Description, Settings, VirtualServerID) VALUES ('d', 's', 9)");
  Db().Execute("INSERT INTO VirtualServers (VServerIPAddr, VServerDesc, VServerGroupID) VALUES ('1.2.3.4', 'x', 8)");
  Db().Execute("INSERT INTO VirtualServerGroup (Name, CurrentSite) VALUES ('pc', '1.2.3.4')");

  CRSUsers users;
  users.Open("SELECT * FROM Users");
  ASSERT_FALSE(users.IsEOF());
  EXPECT_GT(users.m_UserID.Value(), 0);
  EXPECT_EQ(users.m_UserName.Value(), "u");
  EXPECT_EQ(users.m_Password.Value(), "p");
  EXPECT_EQ(users.m_HomeDir.Value(), "h");
  EXPECT_EQ(users.m_Permissions.Value(), 31);
  EXPECT_EQ(users.m_VirtualServerID.Value(), 7);
  EXPECT_EQ(users.m_Flag.Value(), 1);
  EXPECT_EQ(users.m_DiskQuota.Value(), 5);
  EXPECT_EQ(users.m_WO_UserEmail.Value(), "e");
  EXPECT_EQ(users.m_WO_UserAdminLevelID.Value(), 2);
  EXPECT_EQ(users.m_WO_GroupID.Value(), 3);
  EXPECT_EQ(users.m_WO_PreviousPermissions.Value(), 4);
  EXPECT_EQ(users.m_WO_NonMD5Password.Value(), "n");
  users.MoveNext();
  EXPECT_TRUE(users.IsEOF());

  CRSPreferences preferences;
  preferences.Open("SELECT * FROM Preferences");
  ASSERT_FALSE(preferences.IsEOF());
  EXPECT_GT(preferences.m_PreferenceID.Value(), 0);
  EXPECT_EQ(preferences.m_Description.Value(), "d");
  EXPECT_EQ(preferences.m_Settings.Value(), "s");
  EXPECT_EQ(preferences.m_VirtualServerID.Value(), 9);

  CRSVirtualServers servers;
  servers.Open("SELECT * FROM VirtualServers");
  ASSERT_FALSE(servers.IsEOF());
  EXPECT_GT(servers.m_VServerID.Value(), 0);
  EXPECT_EQ(servers.m_VServerIPAddr.Value(), "1.2.3.4");
  EXPECT_EQ(servers.m_VServerDesc.Value(), "x");
  EXPECT_EQ(servers.m_VServerGroupID.Value(), 8);

  CRSVirtualServerGroup computers;
  computers.Open();  // the default statement selects every exchanged column
  ASSERT_FALSE(computers.IsEOF());
  EXPECT_GT(computers.m_ID.Value(), 0);
  EXPECT_EQ(computers.m_Name.Value(), "pc");
  EXPECT_EQ(computers.m_CurrentSite.Value(), "1.2.3.4");
}

TEST_P(RecordsetTest, AddNewWritesOnlyAssignedColumnsAndLeavesTheRestToTheDatabase) {
  CRSUsers users;
  users.Open("SELECT * FROM Users where 1=2");
  EXPECT_TRUE(users.IsEOF());
  ASSERT_TRUE(users.CanAppend());
  users.AddNew();
  users.m_UserID = 999;  // the key is the database's to assign
  users.m_UserName = "O'Brien";
  users.m_DiskQuota = 0;
  users.Update();
  users.Close();
  EXPECT_EQ(Db().Query("SELECT UserName, DiskQuota, Flag, Permissions, WO_UserEmail, WO_GroupID FROM Users"),
            (std::vector<std::vector<std::string>>{{"O'Brien", "0", "0", "(null)", "", "0"}}));
  EXPECT_NE(Db().QueryValue("SELECT UserID FROM Users"), "999");
}

TEST_P(RecordsetTest, EditWritesAssignedColumnsAndDeleteRemovesTheCurrentRowOnly) {
  Db().Execute("INSERT INTO VirtualServerGroup (Name, CurrentSite) VALUES ('a', 'sa')");
  Db().Execute("INSERT INTO VirtualServerGroup (Name, CurrentSite) VALUES ('b', 'sb')");
  CRSVirtualServerGroup computers;
  computers.Open("SELECT * FROM VirtualServerGroup where Name = ?", {std::string("a")});
  computers.Edit();
  computers.m_CurrentSite = "new";
  computers.Update();
  computers.Close();
  EXPECT_EQ(Db().Query("SELECT Name, CurrentSite FROM VirtualServerGroup ORDER BY Name"),
            (std::vector<std::vector<std::string>>{{"a", "new"}, {"b", "sb"}}));

  computers.Open("SELECT * FROM VirtualServerGroup where Name = ?", {std::string("b")});
  computers.Delete();
  computers.Close();
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM VirtualServerGroup"), "1");
}

TEST_P(RecordsetTest, ChangingARowThatAnotherClientDeletedFails) {
  Db().Execute("INSERT INTO VirtualServerGroup (Name) VALUES ('a')");
  CRSVirtualServerGroup computers;
  computers.Open("SELECT * FROM VirtualServerGroup");
  Db().Execute("DELETE FROM VirtualServerGroup");
  computers.Edit();
  computers.m_Name = "b";
  EXPECT_THROW(computers.Update(), std::runtime_error);
  EXPECT_THROW(computers.Delete(), std::runtime_error);
}

TEST_P(RecordsetTest, QuotesAndNonAsciiTextAreStoredAndFoundExactly) {
  const std::string name = "Zoë 'quoted' \"x\" 名前";
  CRSUsers users;
  users.Open("SELECT * FROM Users where 1=2");
  users.AddNew();
  users.m_UserName = name;
  users.Update();
  users.Close();
  users.Open("SELECT * FROM Users where UserName = ?", {name});
  ASSERT_FALSE(users.IsEOF());
  EXPECT_EQ(users.m_UserName.Value(), name);
  EXPECT_EQ(Db().QueryValue("SELECT UserName FROM Users"), name);
}

TEST_P(RecordsetTest, TextsLongerThan255CharactersAreCutOnSQLiteAndRefusedOnPostgreSQL) {
  const std::string longText(300, 'x');
  std::string longNonAscii;
  for (int i = 0; i < 300; ++i) longNonAscii += "é";
  for (const auto& text : {longText, longNonAscii}) {
    Db().Execute("DELETE FROM VirtualServerGroup");
    if (GetParam() == Engine::PostgreSQL) {
      EXPECT_THROW(Db().Execute("INSERT INTO VirtualServerGroup (Name) VALUES (?)", {text}), DatabaseError);
      continue;
    }
    Db().Execute("INSERT INTO VirtualServerGroup (Name) VALUES (?)", {text});
    CRSVirtualServerGroup computers;
    computers.Open("SELECT * FROM VirtualServerGroup");
    ASSERT_FALSE(computers.IsEOF());
    // Cut after 255 characters, never inside one.
    EXPECT_EQ(computers.m_Name.Value(), text.substr(0, 255 * (text.size() / 300)));
  }
}

TEST_P(RecordsetTest, RowsAcrossManyFetchBlocksArriveInOrderEachOnce) {
  Db().Execute(
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
      "INSERT INTO Preferences (Description, Settings, VirtualServerID) SELECT 'p', 's', i FROM n");
  CRSPreferences preferences;
  preferences.Open("SELECT * FROM Preferences ORDER BY VirtualServerID");
  int expected = 1;
  for (; !preferences.IsEOF(); preferences.MoveNext()) ASSERT_EQ(preferences.m_VirtualServerID.Value(), expected++);
  EXPECT_EQ(expected, 1001);
}

TEST_P(RecordsetTest, ABadStatementRaisesTheDriversOwnText) {
  CRSUsers users;
  try {
    users.Open("SELEC * FROM Users");
    FAIL() << "a bad statement opened";
  } catch (const DatabaseError& error) {
    EXPECT_NE(std::string(error.what()).find("SELEC"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(users.IsOpen());
}

TEST_P(RecordsetTest, AStatementOnAnotherTableOrAJoinAllowsNoChanges) {
  CRSUsers users;
  users.Open("SELECT * FROM Users where 1=2");
  EXPECT_TRUE(users.CanAppend());
  users.Open("SELECT * FROM Users u, VirtualServers v where 1=2");
  EXPECT_FALSE(users.CanAppend());
}

}  // namespace
