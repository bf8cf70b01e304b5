// The model against real engines: what each kind of query loads, the remembered-query short
// cut (counted in statements actually executed), the preference set's store modes and
// failures; and the cascades: exactly the rows under the deleted row go, however names and
// addresses are shared, a refusal half-way leaves every row, and the number of statements
// does not grow with the rows.

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

using ::testing::StartsWith;

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

class CascadeTest : public DatabaseTest {
 protected:
  int Computer(const std::string& name) {
    Db().Execute("INSERT INTO VirtualServerGroup (Name, CurrentSite) VALUES (?, '')", {name});
    return std::stoi(Db().QueryValue("SELECT MAX(ID) FROM VirtualServerGroup"));
  }
  // A virtual server with two preference rows and `users` accounts named after it.
  VirtualServerRecord Server(int computerId, const std::string& address, int users = 2) {
    Db().Execute("INSERT INTO VirtualServers (VServerIPAddr, VServerDesc, VServerGroupID) VALUES (?, 'd', ?)",
                 {address, computerId});
    const int id = std::stoi(Db().QueryValue("SELECT MAX(VServerID) FROM VirtualServers"));
    Db().Execute(
        "INSERT INTO Preferences (Description, Settings, VirtualServerID) VALUES ('FTP Port', '21', ?), "
        "('Anonymous', '0', ?)",
        {id, id});
    Db().Execute(
        "INSERT INTO Users (UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota) "
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
        "SELECT ? || i, 'digest', '/srv', 1, ?, 0, 0 FROM n",
        {users, "u" + std::to_string(id) + ".", id});
    return {"d", id, computerId, address};
  }
  // Rows left in each table: computers, virtual servers, preferences, users.
  std::vector<int> Counts() {
    std::vector<int> counts;
    for (const char* table : {"VirtualServerGroup", "VirtualServers", "Preferences", "Users"})
      counts.push_back(std::stoi(Db().QueryValue(std::string("SELECT COUNT(*) FROM ") + table)));
    return counts;
  }

  ConfigDatabase session;
};
VELTRANE_ON_ALL_ENGINES(CascadeTest);

// Exactly the rows under the deleted key go, however names and addresses are shared, in as
// many statements for a computer of one server as for one of twenty.
TEST_P(CascadeTest, DeletesExactlyTheRowsUnderTheKeyWhenNamesAndAddressesAreSharedInStatementsThatDoNotGrow) {
  const int first = Computer("pc");
  const int second = Computer("pc");
  Server(first, "10.0.0.1");
  const VirtualServerRecord shared = Server(first, "10.0.0.2");
  const int kept = Server(second, "10.0.0.2").VServerID;
  Server(second, "10.0.0.3");

  EXPECT_EQ(session.DeleteVirtualServer(shared), 1);
  EXPECT_EQ(Counts(), (std::vector<int>{2, 3, 6, 6}));
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM Users WHERE VirtualServerID = ?", {kept}), "2");

  EXPECT_EQ(session.DeleteComputer({"pc", first, ""}), 1);
  EXPECT_EQ(Counts(), (std::vector<int>{1, 2, 4, 4}));
  EXPECT_EQ(Db().Query("SELECT DISTINCT VServerGroupID FROM VirtualServers"),
            (Rows{{std::to_string(second)}}));
  EXPECT_EQ(session.computers.size(), 1u);  // the model read the computers again

  // The statements do not grow with the rows.
  const int large = Computer("large");
  for (int i = 0; i < 20; ++i) Server(large, "10.1.0." + std::to_string(i), 10);
  auto before = StatementsExecuted();
  ASSERT_EQ(session.DeleteComputer({"pc", second, ""}), 1);
  const auto smallStatements = StatementsExecuted() - before;
  before = StatementsExecuted();
  ASSERT_EQ(session.DeleteComputer({"large", large, ""}), 1);
  EXPECT_EQ(StatementsExecuted() - before, smallStatements);
  EXPECT_EQ(Counts(), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_TRUE(Failures().Failures().empty());
}

TEST_P(CascadeTest, ARefusalHalfWayLeavesEveryRowAndIsReportedOnce) {
  // A virtual server whose accounts may not be deleted, beside another one.
  const int computer = Computer("pc");
  const VirtualServerRecord server = Server(computer, "10.0.0.1");
  Server(computer, "10.0.0.2");
  Db().Execute("UPDATE Users SET UserName = 'protected' || UserID WHERE VirtualServerID = ?",
               {server.VServerID});
  Db().Refuse("DELETE", "Users", "protected account", "OLD.UserName LIKE 'protected%'");
  const std::vector<int> all = Counts();
  EXPECT_EQ(session.DeleteComputer({"pc", computer, ""}), 0);
  EXPECT_EQ(Counts(), all);
  EXPECT_THAT(Failures().TakeOne(),
              ::testing::AllOf(StartsWith("failed: "), ::testing::HasSubstr("protected account")));
  // A virtual server's cascade runs the same way. The connection is lent on in autocommit: a later change is
  // seen at once by others.
  Db().Allow("Users");
  ASSERT_EQ(session.DeleteVirtualServer(server), 1);
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM VirtualServers WHERE VServerID = ?", {server.VServerID}),
            "0");
}

// Left behind, they would be listed nowhere yet keep their address from being added again.
TEST_P(CascadeTest, ARowAnotherMachineDeletedIsRefusedAfterItsDependentsAreDeleted) {
  const int computer = Computer("pc");
  Server(computer, "10.0.0.1");
  Db().Execute("DELETE FROM VirtualServerGroup WHERE ID = ?", {computer});
  EXPECT_EQ(session.DeleteComputer({"pc", computer, ""}), 0);
  EXPECT_EQ(Failures().TakeOne(), "refused: Can not delete computer name. Computer pc does not exist!!");
  EXPECT_EQ(Counts(), (std::vector<int>{0, 0, 0, 0}));

  const VirtualServerRecord server = Server(Computer("pc"), "10.0.0.2");
  Db().Execute("DELETE FROM VirtualServers WHERE VServerID = ?", {server.VServerID});
  EXPECT_EQ(session.DeleteVirtualServer(server), 0);
  EXPECT_EQ(Failures().TakeOne(),
            "refused: Can not delete virtual server. Virtual server 10.0.0.2 does not exist!!");
  EXPECT_EQ(Counts(), (std::vector<int>{1, 0, 0, 0}));
}

}  // namespace
