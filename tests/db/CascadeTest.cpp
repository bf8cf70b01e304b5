// The model's cascades against real engines: exactly the rows under the deleted row go,
// however names and addresses are shared; a refusal half-way leaves every row; the number
// of statements does not grow with the rows.

#include <gmock/gmock.h>

#include "db/ConfigDatabase.h"
#include "db/StatementCounter.h"
#include "tests/db/TestHelpers.h"

namespace {

using ::testing::StartsWith;

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
