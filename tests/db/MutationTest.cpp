// The twelve mutations against real engines: refusals with their exact texts, the columns
// written, the columns left alone, and silence when quiet.

#include <gtest/gtest.h>

#include "db/ComputerRecord.h"
#include "db/ConnectString.h"
#include "db/PreferenceRecord.h"
#include "db/UserRecord.h"
#include "db/VirtualServerRecord.h"
#include "tests/support/DatabaseTest.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

class MutationTest : public DatabaseTest {
 protected:
  void ExpectOneBox(const std::string& text, const std::string& caption) {
    ASSERT_EQ(Boxes().Boxes().size(), 1u);
    const auto& box = Boxes().Boxes().front();
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.style, MB_OK | MB_ICONINFORMATION);
    EXPECT_FALSE(box.hasOwner);
    Boxes().Clear();
  }

  static UserRecord User(const std::string& name) {
    UserRecord user;
    user.UserName = name;
    user.Password = "0123456789abcdef0123456789abcdef";
    user.HomeDir = "c:\\ftp";
    user.Permissions = 5;
    user.VirtualServerID = 3;
    user.DiskQuota = 5;
    user.Flag = 0;
    return user;
  }

  int32_t UserId(const std::string& name) {
    return std::stoi(Db().QueryValue("SELECT UserID FROM Users WHERE UserName = ?", {name}));
  }
};
VELTRANE_ON_ALL_ENGINES(MutationTest);

bool operator==(const UserRecord& a, const UserRecord& b) {
  return a.UserID == b.UserID && a.UserName == b.UserName && a.Password == b.Password && a.HomeDir == b.HomeDir &&
         a.Permissions == b.Permissions && a.VirtualServerID == b.VirtualServerID && a.DiskQuota == b.DiskQuota &&
         a.Flag == b.Flag;
}

TEST_P(MutationTest, UserAddStoresTheListedColumnsAndRefusesANameInUseAnywhere) {
  const UserRecord user = User("O'Brien");
  const UserRecord before = user;
  EXPECT_EQ(user.Add(0), 1);
  EXPECT_TRUE(Boxes().Boxes().empty());
  EXPECT_TRUE(user == before);  // the key is not written back
  EXPECT_EQ(Db().Query("SELECT UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota, "
                       "WO_UserEmail, WO_UserAdminLevelID, WO_GroupID, WO_PreviousPermissions, WO_NonMD5Password "
                       "FROM Users"),
            (Rows{{"O'Brien", user.Password, "c:\\ftp", "5", "3", "0", "5", "", "0", "0", "0", ""}}));

  UserRecord elsewhere = User("O'Brien");
  elsewhere.VirtualServerID = 9;
  EXPECT_EQ(elsewhere.Add(0), 0);
  ExpectOneBox("Can not add user. User O'Brien already exists!!", "Information");
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM Users"), "1");
}

TEST_P(MutationTest, UserUpdateRewritesTheRowButKeepsItsWOColumns) {
  Db().Execute(
      "INSERT INTO Users (UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota, WO_UserEmail, "
      "WO_UserAdminLevelID, WO_GroupID, WO_PreviousPermissions, WO_NonMD5Password) "
      "VALUES ('a', 'p', 'h', 1, 1, 0, 1, 'mail', 2, 3, 4, 'plain')");
  EXPECT_EQ(User("b").Add(0), 1);
  UserRecord edited = User("b");  // a rename to a name in use is not refused
  edited.UserID = UserId("a");
  edited.Flag = 1;
  edited.DiskQuota = 7;
  EXPECT_EQ(edited.Update(0), 1);
  EXPECT_EQ(Db().Query("SELECT UserName, HomeDir, Flag, DiskQuota, WO_UserEmail, WO_UserAdminLevelID, WO_GroupID, "
                       "WO_PreviousPermissions, WO_NonMD5Password FROM Users WHERE UserID = ?",
                       {edited.UserID}),
            (Rows{{"b", "c:\\ftp", "1", "7", "mail", "2", "3", "4", "plain"}}));
  EXPECT_TRUE(Boxes().Boxes().empty());
}

TEST_P(MutationTest, ChangingOrDeletingAMissingRowIsRefusedWithItsOwnText) {
  UserRecord user = User("ghost");
  EXPECT_EQ(user.Update(0), 0);
  ExpectOneBox("Can not update user. User ghost does not exist!!", "Information");
  EXPECT_EQ(user.Delete(0), 0);
  ExpectOneBox("Can not delete user. User ghost does not exist!!", "Information");

  PreferenceRecord preference;
  preference.Description = "FTP Port";
  EXPECT_EQ(preference.Update(0), 0);
  ExpectOneBox("Can not update preference. Preference FTP Port does not exist!!", "Information");
  EXPECT_EQ(preference.Delete(0), 0);
  ExpectOneBox("Can not delete preference. Preference FTP Port does not exist!!", "Information");

  VirtualServerRecord server;
  server.VServerIPAddr = "10.0.0.1";
  EXPECT_EQ(server.Update(0), 0);
  ExpectOneBox("Can not upadte virtual server. Virtual server 10.0.0.1 does not exist!!", "Information");
  EXPECT_EQ(server.Delete(0), 0);
  ExpectOneBox("Can not delete virtual server. Virtual server 10.0.0.1 does not exist!!", "Information");

  ComputerRecord computer;
  computer.Name = "pc'1";
  EXPECT_EQ(computer.Update(0), 0);
  ExpectOneBox("Can not update computer name. Computer pc'1 does not exist!!", "Information");
  EXPECT_EQ(computer.Delete(0), 0);
  ExpectOneBox("Can not delete computer name. Computer pc'1 does not exist!!", "Information");
}

TEST_P(MutationTest, DuplicateAddressesAndComputerNamesAreRefusedPreferencesAreNot) {
  VirtualServerRecord server;
  server.VServerIPAddr = "10.0.0.1";
  server.VServerGroupID = 1;
  EXPECT_EQ(server.Add(0), 1);
  server.VServerGroupID = 2;  // the same address on another computer
  EXPECT_EQ(server.Add(0), 0);
  ExpectOneBox("Can not add virtual server. Virtual server 10.0.0.1 already exists!!", "Information");

  ComputerRecord computer;
  computer.Name = "pc";
  EXPECT_EQ(computer.Add(0), 1);
  EXPECT_EQ(computer.Add(0), 0);
  ExpectOneBox("Computer pc already exists!!. Can not add it.", "Information");

  PreferenceRecord preference;
  preference.Description = "FTP Port";
  preference.Settings = "21";
  preference.VirtualServerID = 4;
  EXPECT_EQ(preference.Add(0), 1);
  EXPECT_EQ(preference.Add(0), 1);
  EXPECT_EQ(Db().Query("SELECT Description, Settings, VirtualServerID FROM Preferences"),
            (Rows{{"FTP Port", "21", "4"}, {"FTP Port", "21", "4"}}));
}

TEST_P(MutationTest, QuietMutationsShowNothingWhateverHappens) {
  const UserRecord user = User("a");
  EXPECT_EQ(user.Add(1), 1);
  EXPECT_EQ(user.Add(1), 0);
  EXPECT_EQ(user.Update(1), 0);
  connectString() = "ODBC;DSN=NoSuchSource";
  EXPECT_EQ(user.Delete(1), 0);
  EXPECT_TRUE(Boxes().Boxes().empty());
}

TEST_P(MutationTest, ADatabaseErrorShowsTheDriversTextAndTheRecordStaysAsItWas) {
  connectString() = "ODBC;DSN=NoSuchSource";
  const UserRecord user = User("a");
  EXPECT_EQ(user.Add(0), 0);
  ASSERT_EQ(Boxes().Boxes().size(), 1u);
  EXPECT_EQ(Boxes().Boxes()[0].caption, "Error!!");
  EXPECT_NE(Boxes().Boxes()[0].text.find("Data source name not found"), std::string::npos);
  EXPECT_TRUE(user == User("a"));
}

TEST_P(MutationTest, ATextTooLongForItsColumnIsRefusedAndNothingIsWritten) {
  UserRecord user = User("a");
  user.HomeDir = std::string(256, 'x');
  EXPECT_EQ(user.Add(0), 0);
  ASSERT_EQ(Boxes().Boxes().size(), 1u);
  EXPECT_NE(Boxes().Boxes()[0].text.find("HomeDir"), std::string::npos);
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM Users"), "0");
}

TEST_P(MutationTest, AReadOnlySourceRefusesChangesAfterTheExistenceTest) {
  if (GetParam() != Engine::PostgreSQL) GTEST_SKIP() << "only psqlODBC offers a read-only connection option";
  EXPECT_EQ(User("a").Add(0), 1);
  const int32_t id = UserId("a");
  connectString() = "ODBC;" + Db().ConnectionString() + "ReadOnly=1;";

  EXPECT_EQ(User("a").Add(0), 0);
  ExpectOneBox("Can not add user. User a already exists!!", "Information");
  EXPECT_EQ(User("b").Add(0), 0);
  ExpectOneBox("Can not add user. Database error!! Can not append", "Information");
  UserRecord existing = User("a");
  existing.UserID = id;
  EXPECT_EQ(existing.Update(0), 0);
  ExpectOneBox("Can not update user. Database error!! Can not upadte", "Information");
  EXPECT_EQ(existing.Delete(0), 0);
  ExpectOneBox("Can not delete user. Database error!! Can not delete", "Information");

  ComputerRecord computer;
  computer.Name = "pc";
  EXPECT_EQ(computer.Add(0), 0);
  ExpectOneBox("Can not update computer name. Database error!! Can not update", "Information");
  PreferenceRecord preference;
  EXPECT_EQ(preference.Add(0), 0);
  ExpectOneBox("Can not add preference. Database error!! Can not append", "Information");
  VirtualServerRecord server;
  EXPECT_EQ(server.Add(0), 0);
  ExpectOneBox("Can not add virtual server. Database error!! Can not append", "Information");
}

}  // namespace
