// The nine mutations against real engines: refusals with their exact texts, the columns
// written, the columns left alone, and quiet reports when quiet; and the one guarded region
// they report failures through.

#include <gmock/gmock.h>

#include <new>

#include "db/ComputerRecord.h"
#include "db/ConnectString.h"
#include "db/GuardedOperation.h"
#include "db/PreferenceRecord.h"
#include "db/UserRecord.h"
#include "db/VirtualServerRecord.h"
#include "tests/db/TestHelpers.h"

namespace {

using ::testing::StartsWith;

class MutationTest : public DatabaseTest {
 protected:
  void ExpectRefused(int result, const std::string& text) {
    EXPECT_EQ(result, 0) << text;
    EXPECT_EQ(Failures().TakeOne(), "refused: " + text);
  }
  void ExpectFailed(int result, const std::string& start) {
    EXPECT_EQ(result, 0) << start;
    EXPECT_THAT(Failures().TakeOne(), StartsWith(start));
  }
};
VELTRANE_ON_ALL_ENGINES(MutationTest);

// A user of virtual server 3 with DiskQuota 5 and Flag 0, which must not be swapped.
UserRecord User(const std::string& name) { return {-1, name, "0123456789abcdef", "c:\\ftp", 5, 3, 5, 0}; }

constexpr const char* kUserColumns =
    "SELECT UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota, WO_UserEmail, "
    "WO_UserAdminLevelID, WO_GroupID, WO_PreviousPermissions, WO_NonMD5Password FROM Users";

// Adding writes the listed columns of any text; updating writes them and keeps the others.
TEST_P(MutationTest, UserAddAndUpdateWriteTheListedColumnsAndKeepTheOthers) {
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
TEST_P(MutationTest, WhatTheDatabaseRefusesIsReportedWithTheDriversText) {
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
TEST_P(MutationTest, EachRowsRefusalsHaveTheirOwnTextsAndAQuietOneIsReportedAsQuiet) {
  UserRecord user = User("a");
  const PreferenceRecord preference{"FTP Port", -1, 4, "21"};
  const VirtualServerRecord server{"main", -1, 1, "10.0.0.1"};
  const ComputerRecord computer{"pc'1", -1, "10.0.0.1"};
  ExpectRefused(user.Update(0), "Can not update user. User a does not exist!!");
  ExpectRefused(user.Delete(0), "Can not delete user. User a does not exist!!");
  ExpectRefused(preference.Update(0), "Can not update preference. Preference FTP Port does not exist!!");
  ExpectRefused(server.Update(0), "Can not upadte virtual server. Virtual server 10.0.0.1 does not exist!!");
  ExpectRefused(computer.Update(0), "Can not update computer name. Computer pc'1 does not exist!!");

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

TEST_P(MutationTest, AReadOnlySourceRefusesEveryChangeAfterTheExistenceTest) {
  if (GetParam() != Engine::PostgreSQL) GTEST_SKIP() << "only psqlODBC offers a read-only connection option";
  Db().Execute("INSERT INTO Users (UserID, UserName) VALUES (1, 'a')");
  Db().Execute("INSERT INTO Preferences (PreferenceID, Description) VALUES (1, 'p')");
  Db().Execute("INSERT INTO VirtualServers (VServerID, VServerIPAddr) VALUES (1, '10.0.0.1')");
  Db().Execute("INSERT INTO VirtualServerGroup (ID, Name) VALUES (1, 'pc')");
  connectString() = "ODBC;" + Db().ConnectionString() + "ReadOnly=1;";

  const UserRecord user{1, "a", "", ""};
  ExpectRefused(user.Add(0), "Can not add user. User a already exists!!");
  ExpectRefused(User("b").Add(0), "Can not add user. Database error!! Can not append");
  ExpectRefused(user.Update(0), "Can not update user. Database error!! Can not upadte");
  ExpectRefused(user.Delete(0), "Can not delete user. Database error!! Can not delete");
  const PreferenceRecord preference{"p", 1, 1, ""};
  ExpectRefused(preference.Add(0), "Can not add preference. Database error!! Can not append");
  ExpectRefused(preference.Update(0), "Can not update preference. Database error!! Can not delete");
  const VirtualServerRecord server{"", 1, 1, "10.0.0.2"};
  ExpectRefused(server.Add(0), "Can not add virtual server. Database error!! Can not append");
  ExpectRefused(server.Update(0), "Can not update virtual server. Database error!! Can not update");
  const ComputerRecord computer{"pc2", 1, ""};
  ExpectRefused(computer.Add(0), "Can not update computer name. Database error!! Can not update");
  ExpectRefused(computer.Update(0), "Can not update computer name. Database error!! Can not update");
}

// Database errors, refusals and values refused before the driver are the mutations' cases.
TEST(GuardedOperationTest, RunningOutOfMemoryIsReportedAsUnexpected) {
  FailureRecorder failures;
  EXPECT_FALSE(RunGuarded(0, [] { throw std::bad_alloc(); }));
  EXPECT_EQ(failures.TakeOne(), "unexpected: Out of memory.");
}

}  // namespace
