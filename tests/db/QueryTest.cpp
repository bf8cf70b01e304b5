// The session's queries against real engines: what each kind loads, the remembered-query
// short cut (counted in statements actually executed), and failures.

#include <gtest/gtest.h>

#include "db/ConfigDatabase.h"
#include "db/ConnectString.h"
#include "db/StatementCounter.h"
#include "tests/support/DatabaseTest.h"

namespace {

class QueryTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    if (IsSkipped()) return;
    // Computer 1 runs servers 10 and 11; computer 2 runs server 20, which shares 11's
    // address; computer 3 runs none.
    Db().Execute("INSERT INTO VirtualServerGroup (ID, Name, CurrentSite) VALUES (1, 'pc1', ''), (2, 'pc2', ''), "
                 "(3, 'empty', '')");
    Db().Execute("INSERT INTO VirtualServers (VServerID, VServerIPAddr, VServerDesc, VServerGroupID) VALUES "
                 "(10, '10.0.0.1', 'a', 1), (11, '10.0.0.2', 'b', 1), (20, '10.0.0.2', 'c', 2)");
    Db().Execute("INSERT INTO Users (UserID, UserName, VirtualServerID, Flag, DiskQuota) VALUES "
                 "(1, 'u10', 10, 0, 1), (2, 'u11', 11, 0, 2), (3, 'u20', 20, 0, 3), (4, 'admin', -1, 1, 4)");
    session.LoadComputers();
  }

  static std::vector<std::string> SortedNames(const UserList& users) {
    std::vector<std::string> names;
    for (const auto& user : users) names.push_back(user.UserName);
    std::sort(names.begin(), names.end());
    return names;
  }

  ConfigDatabase session;
};
VELTRANE_ON_ALL_ENGINES(QueryTest);

using Names = std::vector<std::string>;

TEST_P(QueryTest, EachKindLoadsItsOwnUsers) {
  session.LoadUsers("", ConfigDatabase::kAll);
  EXPECT_EQ(SortedNames(session.users), (Names{"admin", "u10", "u11", "u20"}));
  session.LoadUsers("pc1", ConfigDatabase::kOfComputer);
  EXPECT_EQ(SortedNames(session.users), (Names{"u10", "u11"}));
  EXPECT_EQ(session.virtualServers.size(), 2u);
  session.LoadUsers("10.0.0.1", ConfigDatabase::kOfAddress);
  EXPECT_EQ(SortedNames(session.users), (Names{"u10"}));
  session.LoadUsers("admin", ConfigDatabase::kUserNamed);
  ASSERT_EQ(session.users.size(), 1u);
  const UserRecord& admin = session.users.front();
  EXPECT_EQ(admin.UserID, 4);
  EXPECT_EQ(admin.VirtualServerID, -1);
  EXPECT_EQ(admin.Flag, 1);
  EXPECT_EQ(admin.DiskQuota, 4);
  session.LoadUsers("Admin", ConfigDatabase::kUserNamed);
  EXPECT_TRUE(session.users.empty());
}

TEST_P(QueryTest, ARepeatedQueryRunsOnceUntilItIsForgotten) {
  auto before = StatementsExecuted();
  session.LoadUsers("", ConfigDatabase::kAll);
  session.LoadUsers("", ConfigDatabase::kAll);
  EXPECT_EQ(StatementsExecuted() - before, 1u);

  session.ForgetUserQuery();
  session.LoadUsers("", ConfigDatabase::kAll);
  EXPECT_EQ(StatementsExecuted() - before, 2u);

  // Kind 1 remembers its key although its statement does not use it.
  session.LoadUsers("x", ConfigDatabase::kAll);
  EXPECT_EQ(StatementsExecuted() - before, 3u);

  before = StatementsExecuted();
  session.LoadVirtualServers("pc1", ConfigDatabase::kOfComputer);
  session.LoadVirtualServers("pc1", ConfigDatabase::kOfComputer);
  session.ForgetVirtualServerQuery();
  session.LoadVirtualServers("pc1", ConfigDatabase::kOfComputer);
  EXPECT_EQ(StatementsExecuted() - before, 2u);
}

TEST_P(QueryTest, AComputerWithoutVirtualServersRunsNoUsersStatement) {
  session.LoadUsers("", ConfigDatabase::kAll);
  for (const std::string computer : {"empty", "unknown"}) {
    const auto before = StatementsExecuted();
    session.LoadUsers(computer, ConfigDatabase::kOfComputer);
    EXPECT_EQ(StatementsExecuted() - before, 1u) << computer;  // the virtual servers only
    EXPECT_TRUE(session.users.empty());
    EXPECT_TRUE(session.virtualServers.empty());
  }
}

TEST_P(QueryTest, AnAddressSharedByTwoComputersLoadsTheFirstServersUsersOnly) {
  session.LoadUsers("10.0.0.2", ConfigDatabase::kOfAddress);
  ASSERT_EQ(session.virtualServers.size(), 2u);
  const int32_t first = session.virtualServers.front().VServerID;
  ASSERT_EQ(session.users.size(), 1u);
  EXPECT_EQ(session.users.front().VirtualServerID, first);
}

TEST_P(QueryTest, AFailedQueryReportsOnceIsNotRememberedAndAQuietSessionShowsNothing) {
  session.LoadUsers("", ConfigDatabase::kAll);
  connectString() = "ODBC;DSN=NoSuchSource";
  session.ForgetUserQuery();
  session.LoadUsers("", ConfigDatabase::kAll);
  EXPECT_TRUE(session.users.empty());
  ASSERT_EQ(Boxes().Boxes().size(), 1u);
  EXPECT_EQ(Boxes().Boxes()[0].caption, "Error!!");

  session.quiet = 1;
  session.LoadUsers("", ConfigDatabase::kAll);
  session.LoadComputers();
  EXPECT_EQ(Boxes().Boxes().size(), 1u);
  EXPECT_TRUE(session.computers.empty());

  connectString() = "ODBC;" + Db().ConnectionString();
  session.LoadUsers("", ConfigDatabase::kAll);
  EXPECT_EQ(session.users.size(), 4u);
}

}  // namespace
