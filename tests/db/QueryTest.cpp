// The session's queries and the preference set against real engines: what each kind loads,
// the remembered-query short cut (counted in statements actually executed), the three store
// modes, and failures.

#include <gmock/gmock.h>

#include <functional>
#include <set>
#include <utility>

#include "db/ConfigDatabase.h"
#include "db/ConnectString.h"
#include "db/PreferenceSet.h"
#include "db/StatementCounter.h"
#include "tests/db/TestHelpers.h"

namespace {

// The eight rows of a new virtual server, in the order they are made.
const Rows kDefaults = {{"FTP Port", "21"},
                        {"Welcome Message", "Welcome to FTP Service"},
                        {"GoodBye Message", "GoodBye"},
                        {"Anonymous", "0"},
                        {"Max Connections", "10"},
                        {"Max Connections Per IP", "3"},
                        {"Max Connections Per User", "3"},
                        {"Connection Timeout", "5"}};

// The names of the accounts, sorted, each followed by a space.
std::string Names(const UserList& users) {
  std::multiset<std::string> names;
  for (const auto& user : users) names.insert(user.UserName);
  std::string text;
  for (const auto& name : names) text += name + " ";
  return text;
}

class QueryTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    if (IsSkipped()) return;
    // Computer 1 runs servers 10 and 11; computer 2 runs server 20, which shares 11's
    // address; computer 3 runs none.
    Db().Execute(
        "INSERT INTO VirtualServerGroup (ID, Name, CurrentSite) VALUES (1, 'pc1', ''), (2, 'pc2', ''), "
        "(3, 'empty', '')");
    Db().Execute(
        "INSERT INTO VirtualServers (VServerID, VServerIPAddr, VServerDesc, VServerGroupID) VALUES "
        "(10, '10.0.0.1', 'a', 1), (11, '10.0.0.2', 'b', 1), (20, '10.0.0.2', 'c', 2)");
    Db().Execute(
        "INSERT INTO Users (UserID, UserName, VirtualServerID, Flag, DiskQuota) VALUES "
        "(1, 'u10', 10, 0, 1), (2, 'u11', 11, 0, 2), (3, 'u20', 20, 0, 3), (4, 'admin', -1, 1, 9)");
    session.LoadComputers();
  }

  // The names a users query loads, sorted, then in brackets the statements it ran.
  std::string Load(const std::string& key, int kind) {
    const auto before = StatementsExecuted();
    session.LoadUsers(key, kind);
    return Names(session.users) + "[" + std::to_string(StatementsExecuted() - before) + "]";
  }
  // The accounts a filtered listing hands over, sorted by name.
  static std::string Matching(const std::function<int(const ConfigDatabase::UserVisitor&)>& list) {
    UserList users;
    list([&users](const UserRecord& user) { users.push_back(user); });
    return Names(users);
  }

  Rows StoredPreferences(int32_t server) {
    return Db().Query(
        "SELECT Description, Settings FROM Preferences WHERE VirtualServerID = ? ORDER BY PreferenceID",
        {server});
  }

  ConfigDatabase session;
};
VELTRANE_ON_ALL_ENGINES(QueryTest);

TEST_P(QueryTest, EachKindLoadsItsOwnUsersAndARepeatedQueryRunsOnceUntilItIsForgotten) {
  EXPECT_EQ(Load("", ConfigDatabase::kAll), "admin u10 u11 u20 [1]");
  EXPECT_EQ(Load("pc1", ConfigDatabase::kOfComputer), "u10 u11 [2]");
  EXPECT_EQ(Load("empty", ConfigDatabase::kOfComputer), "[1]");  // no virtual servers: no users statement
  EXPECT_EQ(Load("unknown", ConfigDatabase::kOfComputer), "[1]");
  EXPECT_EQ(Load("10.0.0.1", ConfigDatabase::kOfAddress), "u10 [2]");
  // An address of two computers loads the users of the first one's server.
  EXPECT_EQ(Load("10.0.0.2", ConfigDatabase::kOfAddress), "u11 [2]");
  EXPECT_EQ(session.virtualServers.size(), 2u);
  EXPECT_EQ(Load("Admin", ConfigDatabase::kUserNamed), "[1]");
  EXPECT_EQ(Load("admin", ConfigDatabase::kUserNamed), "admin [1]");
  const UserRecord& admin = session.users.front();
  EXPECT_EQ(std::tuple(admin.UserID, admin.VirtualServerID, admin.DiskQuota, admin.Flag),
            std::tuple(4, -1, 9, 1));

  // A repeated query runs once until it is forgotten. The virtual servers' lists share this
  // routine; the Site page's test sees them read again after a change.
  EXPECT_EQ(Load("", ConfigDatabase::kAll), "admin u10 u11 u20 [1]");
  EXPECT_EQ(Load("", ConfigDatabase::kAll), "admin u10 u11 u20 [0]");
  session.ForgetUserQuery();
  EXPECT_EQ(Load("", ConfigDatabase::kAll), "admin u10 u11 u20 [1]");
}

// Creating rows stores the eight defaults; writing back changes the loaded rows and adds the
// missing ones.
TEST_P(QueryTest, StoringCreatesOrWritesBackTheRowsAndShowsOneFailureOfMany) {
  PreferenceSet defaults;
  EXPECT_EQ(defaults.LoadPreferences(7), 0);
  defaults.StorePreferences(7, PreferenceSet::kCreateRows);
  EXPECT_EQ(StoredPreferences(7), kDefaults);

  Db().Execute(
      "INSERT INTO Preferences (Description, Settings, VirtualServerID) VALUES "
      "('FTP Port', '2121', 8), ('ftp port', 'keep me', 8), ('Welcome Message', ' hi ', 8)");
  PreferenceSet set;
  EXPECT_EQ(set.LoadPreferences(8), 3);
  EXPECT_EQ(std::tuple(set.ftpPort, set.welcomeMessage, set.maxConnections), std::tuple(2121, " hi ", 10));
  set.ftpPort = 990;
  set.welcomeMessage = "Hello, 'friend'";
  set.maxConnections = 40;  // a setting without a row gets one, so the edit is kept
  set.StorePreferences(8, PreferenceSet::kWriteLoadedRows);
  Rows expected = kDefaults;
  expected[0][1] = "990";
  expected.insert(expected.begin() + 1, {"ftp port", "keep me"});
  expected[2][1] = "Hello, 'friend'";
  expected[5][1] = "40";
  EXPECT_EQ(StoredPreferences(8), expected);
  EXPECT_TRUE(Failures().Failures().empty());

  // Into an unreachable database every row is attempted; the first failure is shown, the
  // others are quiet.
  connectString() = "ODBC;DSN=NoSuchSource";
  PreferenceSet().StorePreferences(9, PreferenceSet::kCreateRows);  // eight failed inserts
  std::vector<bool> quiet;
  for (const Failure& failure : Failures().Failures()) quiet.push_back(failure.quiet);
  EXPECT_EQ(quiet, (std::vector<bool>{false, true, true, true, true, true, true, true}));
}
// Values other programs stored read as their leading whole number; only the exact names count.
TEST(PreferenceSetParsing, NumbersAreTheLeadingDecimalIntegerOfTheTextAndNamesMatchExactly) {
  PreferenceSet set;
  const std::pair<std::string, int32_t> cases[] = {
      {"  42abc", 42}, {"\n\t5 minutes", 5},        {"abc", 0},
      {"+-8", 0},      {"-99999999999", INT32_MIN}, {"99999999999", INT32_MAX},
  };
  for (const auto& [text, port] : cases) {
    set.ApplySetting("FTP Port", text);
    EXPECT_EQ(set.ftpPort, port) << '"' << text << '"';
  }
  set.ApplySetting("ftp port", "1");
  EXPECT_EQ(set.ftpPort, INT32_MAX);
}

TEST_P(QueryTest, TheFilterFindsItsTextInNameOrHomeWithWildcardsEscapeAndQuotesAsTyped) {
  Db().Execute(
      "INSERT INTO Users (UserID, UserName, HomeDir, VirtualServerID, Flag) VALUES "
      "(101, '50%off', '/srv/a', 10, 0), (102, 'a_b', '/srv/b', 10, 0), (103, 'axb', '/srv/c', 10, 0), "
      "(104, 'bang!x', '/srv/d', 10, 0), (105, 'o''brien', '/srv/e', 10, 0), "
      "(106, 'Alice', '/srv/ALICE', 10, 0), (107, 'plain', 'c:\\data\\50%', 10, 0)");
  const std::pair<const char*, const char*> cases[] = {
      {"%", "50%off plain "},  // a name and a home folder with the character itself
      {"_", "a_b "},          {"a_b", "a_b "},     {"!", "bang!x "},    {"!x", "bang!x "},
      {"'", "o'brien "},      {"o'b", "o'brien "}, {"ALICE", "Alice "}, {"srv/alice", "Alice "},
      {"\\data\\", "plain "}, {"50%o", "50%off "}, {"nobody", ""},
  };
  for (const auto& [match, expected] : cases)
    EXPECT_EQ(Matching([&](const auto& show) { return session.ListAllUsers(show, match); }), expected)
        << match;
  EXPECT_EQ(Matching([&](const auto& show) { return session.ListUsersOfVirtualServer(10, show, "a"); }),
            "50%off Alice a_b axb bang!x plain ");
  EXPECT_EQ(Matching([&](const auto& show) { return session.ListUsersOfComputer(1, show, "1"); }),
            "u10 u11 ");
  EXPECT_EQ(Matching([&](const auto& show) { return session.ListUsersOfComputer(2, show, ""); }), "u20 ");
}

}  // namespace
