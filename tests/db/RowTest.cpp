// Rows against real engines: the recordsets' column order and kinds, text limits, block
// fetching and the driver's own error text; the nine mutations' refusals with their exact
// texts, the columns written and left alone, and quiet reports when quiet; and the one
// guarded region they report failures through.

#include <gmock/gmock.h>

#include <new>

#include "db/CRSPreferences.h"
#include "db/CRSUsers.h"
#include "db/CRSVirtualServerGroup.h"
#include "db/CRSVirtualServers.h"
#include "db/ComputerRecord.h"
#include "db/ConnectString.h"
#include "db/DatabaseError.h"
#include "db/GuardedOperation.h"
#include "db/PreferenceRecord.h"
#include "db/UserRecord.h"
#include "db/VirtualServerRecord.h"
#include "tests/db/TestHelpers.h"

namespace {

using ::testing::StartsWith;

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

class RowTest : public DatabaseTest {
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
  void ExpectRefused(int result, const std::string& text) {
    EXPECT_EQ(result, 0) << text;
    EXPECT_EQ(Failures().TakeOne(), "refused: " + text);
  }
  void ExpectFailed(int result, const std::string& start) {
    EXPECT_EQ(result, 0) << start;
    EXPECT_THAT(Failures().TakeOne(), StartsWith(start));
  }
};
VELTRANE_ON_ALL_ENGINES(RowTest);

TEST_P(RowTest, EveryColumnOfEveryTableIsReadInTableOrder) {
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

TEST_P(RowTest, AnotherClientsTextOver255CharactersIsRefusedByPostgreSQLAndCutOnReadingFromSQLite) {
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

TEST_P(RowTest, RowsAcrossManyFetchBlocksArriveInOrderEachOnce) {
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
TEST_P(RowTest, WhatARecordsetMayNotDoFails) {
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

// A user of virtual server 3 with DiskQuota 5 and Flag 0, which must not be swapped.
UserRecord User(const std::string& name) { return {-1, name, "0123456789abcdef", "c:\\ftp", 5, 3, 5, 0}; }

constexpr const char* kUserColumns =
    "SELECT UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota, WO_UserEmail, "
    "WO_UserAdminLevelID, WO_GroupID, WO_PreviousPermissions, WO_NonMD5Password FROM Users";

// Adding writes the listed columns of any text; updating writes them and keeps the others.
TEST_P(RowTest, UserAddAndUpdateWriteTheListedColumnsAndKeepTheOthers) {
  const std::string name = "O'Brien \"Zoë\" 名前";
  UserRecord user = User(name);
  user.HomeDir.clear();
  for (int i = 0; i < 255; ++i) user.HomeDir += "é";  // 255 characters of two bytes: not too many
  EXPECT_EQ(user.Add(0), 1);
  EXPECT_EQ(Db().Query(kUserColumns),
            (Rows{{name, user.Password, user.HomeDir, "5", "3", "0", "5", "", "0", "0", "0", ""}}));
  Db().Execute("UPDATE Users SET WO_UserEmail = 'mail', WO_GroupID = 3, WO_NonMD5Password = 'plain'");
  UserRecord edited = User("b");
  edited.UserID = std::stoi(Db().QueryValue("SELECT UserID FROM Users"));
  edited.Flag = 1;
  edited.DiskQuota = 7;
  EXPECT_EQ(edited.Update(0), 1);
  EXPECT_EQ(Db().Query(kUserColumns),
            (Rows{{"b", edited.Password, "c:\\ftp", "5", "3", "1", "7", "mail", "0", "3", "0", "plain"}}));
}

// The database's refusals (the unique index), and values the columns cannot hold, refused
// before the driver sees them.
TEST_P(RowTest, WhatTheDatabaseRefusesIsReportedWithTheDriversText) {
  ASSERT_EQ(User("a").Add(0) + User("b").Add(0), 2);
  UserRecord renamed = User("a"), longHome = User("c"), largeFlag = User("d"), withNul = User({"e\0f", 3});
  renamed.UserID = std::stoi(Db().QueryValue("SELECT UserID FROM Users WHERE UserName = 'b'"));
  longHome.HomeDir = std::string(256, 'x');
  largeFlag.Flag = 70000;
  ExpectFailed(renamed.Update(0), "failed: ");
  ExpectFailed(longHome.Add(0), "unexpected: The text for HomeDir is longer than 255");
  ExpectFailed(largeFlag.Add(0), "unexpected: The user's Flag 70000 does not fit");
  ExpectFailed(withNul.Add(0), "unexpected: The text for UserName holds a NUL");
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM Users"), "2");
}

// Changing or deleting a missing row, and adding a name or address in use, are refused with
// their own texts (a preference may be added twice); refused when quiet, reported as quiet.
TEST_P(RowTest, EachRowsRefusalsHaveTheirOwnTextsAndAQuietOneIsReportedAsQuiet) {
  UserRecord user = User("a");
  const PreferenceRecord preference{"FTP Port", -1, 4, "21"};
  const VirtualServerRecord server{"main", -1, 1, "10.0.0.1"};
  const ComputerRecord computer{"pc'1", -1, "10.0.0.1"};
  ExpectRefused(user.Update(0), "Can not update user. User a does not exist!!");
  ExpectRefused(user.Delete(0), "Can not delete user. User a does not exist!!");

  ASSERT_EQ(user.Add(0) + server.Add(0) + computer.Add(0) + preference.Add(0) + preference.Add(0), 5);
  user.VirtualServerID = 9;
  ExpectRefused(user.Add(0), "Can not add user. User a already exists!!");
  VirtualServerRecord elsewhere = server;  // the same address on another computer
  elsewhere.VServerGroupID = 2;
  ExpectRefused(elsewhere.Add(0), "Can not add virtual server. Virtual server 10.0.0.1 already exists!!");
  ExpectRefused(computer.Add(0), "Computer pc'1 already exists!!. Can not add it.");
  EXPECT_EQ(Db().Query("SELECT VServerIPAddr, VServerDesc, VServerGroupID FROM VirtualServers"),
            (Rows{{"10.0.0.1", "main", "1"}}));
  EXPECT_EQ(Db().Query("SELECT Name, CurrentSite FROM VirtualServerGroup"), (Rows{{"pc'1", "10.0.0.1"}}));
  EXPECT_EQ(Db().Query("SELECT Description, Settings, VirtualServerID FROM Preferences"),
            (Rows{{"FTP Port", "21", "4"}, {"FTP Port", "21", "4"}}));

  EXPECT_EQ(computer.Add(1), 0);
  EXPECT_EQ(Failures().TakeOne(), "quiet refused: Computer pc'1 already exists!!. Can not add it.");
  connectString() = "ODBC;DSN=NoSuchSource";
  ExpectFailed(computer.Update(1), "quiet failed: [unixODBC][Driver Manager]Data source name not found");
}

TEST_P(RowTest, AReadOnlySourceRefusesEveryChangeAfterTheExistenceTest) {
  if (GetParam() != Engine::PostgreSQL) GTEST_SKIP() << "only psqlODBC offers a read-only connection option";
  Db().Execute("INSERT INTO Users (UserID, UserName) VALUES (1, 'a')");
  connectString() = "ODBC;" + Db().ConnectionString() + "ReadOnly=1;";

  const UserRecord user{1, "a", "", ""};
  ExpectRefused(user.Add(0), "Can not add user. User a already exists!!");
  ExpectRefused(User("b").Add(0), "Can not add user. Database error!! Can not append");
  ExpectRefused(user.Update(0), "Can not update user. Database error!! Can not upadte");
  ExpectRefused(user.Delete(0), "Can not delete user. Database error!! Can not delete");
}

// Database errors, refusals and values refused before the driver are the mutations' cases.
TEST(GuardedOperationTest, RunningOutOfMemoryIsReportedAsUnexpected) {
  FailureRecorder failures;
  EXPECT_FALSE(RunGuarded(0, [] { throw std::bad_alloc(); }));
  EXPECT_EQ(failures.TakeOne(), "unexpected: Out of memory.");
}

}  // namespace
