// The database session against real engines: first run, built-in accounts, log-in checks,
// the session lock between sessions and processes, and the registry values.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "db/ConfigDatabase.h"
#include "db/ConnectString.h"
#include "digest/Digest.h"
#include "tests/db/TestHelpers.h"
#include "tests/support/DatabaseTest.h"

namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string Digest(const std::string& text) { return DigestBytes(text.data(), static_cast<uint32_t>(text.size())); }

class SessionTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    if (!IsSkipped()) SetRegistryValue("ConnectionString", Db().ConnectionString());
  }

  std::string AdminFlag() { return Db().QueryValue("SELECT Flag FROM Users WHERE UserName = 'admin'"); }
};
VELTRANE_ON_ALL_ENGINES(SessionTest);

TEST_P(SessionTest, AnEmptyUsersTableGetsAdminThenFtpAndASecondSessionIsLockedOutUntilTheFirstCloses) {
  Db().Execute("INSERT INTO VirtualServerGroup (Name, CurrentSite) VALUES ('pc', '')");
  ConfigDatabase first, second, other;
  ASSERT_EQ(first.Connect(0, "admin", "brelk"), 1);
  EXPECT_EQ(Db().Query("SELECT UserName, Password, HomeDir, Permissions, VirtualServerID, Flag FROM Users "
                       "ORDER BY UserID"),
            (Rows{{"admin", Digest("brelk"), "c:\\", "-1", "-1", "1"},
                  {"ftp", Digest("qov"), "c:\\", "-1", "-1", "0"}}));
  // The completed string is what recordsets now use, and it is stored.
  EXPECT_EQ(connectString(), "ODBC;" + RegistryValue("ConnectionString"));

  EXPECT_EQ(second.Connect(0, "admin", "brelk"), 0);
  EXPECT_EQ(OneBox(Boxes()), "Error!!: Database Access is locked. It is being accessed from another machine.");
  EXPECT_EQ(other.Connect(0, "ftp", "qov"), 1);  // another account is not affected

  ASSERT_EQ(first.computers.size(), 1u);
  const int32_t computer = first.computers.front().ID;
  EXPECT_EQ(first.SetComputerCurrentSite(computer + 1, "10.0.0.1"), 0);
  EXPECT_EQ(first.SetComputerCurrentSite(computer, "10.0.0.1"), 1);
  EXPECT_EQ(Db().QueryValue("SELECT CurrentSite FROM VirtualServerGroup"), "10.0.0.1");
  first.computerName = "pc'1";
  first.Close();
  EXPECT_EQ(AdminFlag(), "0");
  EXPECT_EQ(RegistryValue("ComputerName"), "pc'1");
  EXPECT_TRUE(first.users.empty() && first.computers.empty());
  EXPECT_EQ(second.Connect(0, "admin", "brelk"), 1);
  EXPECT_EQ(second.computerName, "pc'1");
}

TEST_P(SessionTest, FailedLogInsReturnZeroAndOnlyAnUnreachableDatabaseSaysSo) {
  ConfigDatabase session;
  EXPECT_EQ(session.Connect(0, "admin", "wrong"), 0);
  EXPECT_EQ(session.Connect(0, "Admin", "brelk"), 0);
  EXPECT_EQ(session.Connect(0, "nobody", "brelk"), 0);
  EXPECT_EQ(session.CheckLogIn("admin", "wrong", "Default", "LocalHost"), -2);
  EXPECT_EQ(session.CheckLogIn("nobody", "x", "DEFAULT", "localhost"), 0);
  EXPECT_TRUE(Boxes().Boxes().empty());
  EXPECT_EQ(AdminFlag(), "0");

  SetRegistryValue("ConnectionString", "DSN=NoSuchSource");
  EXPECT_EQ(session.Connect(0, "admin", "brelk"), 0);
  EXPECT_THAT(OneBox(Boxes()), AllOf(StartsWith("Error!!: Unable to Connect to Database.\n\n"),
                                     HasSubstr("Data source name not found")));
}

TEST_P(SessionTest, ADatabaseErrorWhileTakingTheLockFailsTheConnect) {
  ASSERT_EQ(ConfigDatabase().Connect(1, "", ""), 1);  // creates "admin" without logging in
  if (GetParam() == Engine::SQLite) {
    Db().Execute("CREATE TRIGGER refuse BEFORE UPDATE OF Flag ON Users BEGIN SELECT RAISE(ABORT, 'lock refused'); END");
  } else {
    Db().Execute("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'lock refused'; END $$ "
                 "LANGUAGE plpgsql");
    Db().Execute("CREATE TRIGGER refuse BEFORE UPDATE ON Users FOR EACH ROW EXECUTE FUNCTION refuse()");
  }
  ConfigDatabase session;
  EXPECT_EQ(session.Connect(0, "admin", "brelk"), 0);
  EXPECT_THAT(OneBox(Boxes()), AllOf(StartsWith("Error!!: "), HasSubstr("lock refused")));
  EXPECT_EQ(session.lockHeld, 0);
}

TEST_P(SessionTest, AQuietSessionReadsALongConnectionStringWholeTakesNoLockAndWritesNothing) {
  Db().Execute("INSERT INTO Users (UserName, Password, Flag) VALUES ('admin', ?, 1)", {Digest("brelk")});
  const std::string padded = "Padding=" + std::string(400, 'x') + ";" + Db().ConnectionString();
  SetRegistryValue("ConnectionString", padded);
  connectString() = "ODBC;DSN=NoSuchSource";  // what a value that could not be read would leave
  ConfigDatabase session;
  session.computerName = "kept";  // a missing "ComputerName" leaves it as it was
  ASSERT_EQ(session.Connect(1, "admin", "brelk"), 1);  // a Flag left at 1 does not stop a quiet session
  EXPECT_EQ(session.computerName, "kept");
  connectString() = "ODBC;DSN=NoSuchSource";
  session.LoadComputers();  // fails without a box
  session.Close();
  EXPECT_EQ(AdminFlag(), "1");
  EXPECT_EQ(RegistryValue("ComputerName"), "(missing)");
  EXPECT_EQ(RegistryValue("ConnectionString"), padded);  // not rewritten when quiet
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM Users WHERE UserName = 'ftp'"), "0");
  EXPECT_TRUE(Boxes().Boxes().empty());
}

TEST_P(SessionTest, OfSeveralProcessesConnectingAtOnceExactlyOneHoldsTheLock) {
  ASSERT_EQ(ConfigDatabase().Connect(1, "", ""), 1);
  int gate[2];
  ASSERT_EQ(pipe(gate), 0);
  for (int i = 0; i < 6; ++i) {
    if (fork() != 0) continue;
    close(gate[1]);
    char ignored;
    (void)!read(gate[0], &ignored, 1);  // returns when the parent closes the gate
    _exit(ConfigDatabase().Connect(0, "admin", "brelk"));  // ends without closing the session
  }
  close(gate[0]);
  close(gate[1]);
  int holders = 0;
  for (int status = 0; wait(&status) > 0;) holders += WIFEXITED(status) ? WEXITSTATUS(status) : 100;
  EXPECT_EQ(holders, 1);
  EXPECT_EQ(AdminFlag(), "1");
}

// First run: no registry key, and the default data source named in a private odbc.ini.
TEST(FirstRunTest, TheKeyIsCreatedTheDefaultSourceTriedAndTheCompletedStringStored) {
  TemporaryFolder registryRoot, odbcFolder;
  TestDatabase database{Engine::SQLite};
  setenv("VELTRANE_REGISTRY_ROOT", registryRoot.Path().c_str(), 1);
  const std::string file = database.ConnectionString().substr(database.ConnectionString().find("Database=") + 9);
  const std::string ini = (odbcFolder.Path() / "odbc.ini").string();
  std::ofstream(ini) << "[Veltrane]\nDriver=SQLite3\nDatabase=" << file << "\n";
  setenv("ODBCINI", ini.c_str(), 1);
  connectString() = "ODBC;DSN=NoSuchSource";

  ConfigDatabase session;
  EXPECT_EQ(session.Connect(0, "admin", "brelk"), 1);
  unsetenv("ODBCINI");
  EXPECT_THAT(RegistryValue("ConnectionString"), AllOf(StartsWith("DSN=Veltrane;"), HasSubstr("Database=" + file)));
  EXPECT_EQ(RegistryValue("ComputerName"), "(missing)");
}

// The driver only says "connect failed" when it may not make a missing file; the file is named.
TEST(MissingDatabaseTest, ASQLiteFileThatIsNotThereIsNamedInOneBoxAndNotMade) {
  TemporaryFolder registryRoot, folder;
  setenv("VELTRANE_REGISTRY_ROOT", registryRoot.Path().c_str(), 1);
  const std::string file = (folder.Path() / "gone.db").string();
  SetRegistryValue("ConnectionString", "Driver=SQLite3;Database=" + file + ";NoCreat=1");
  MessageBoxRecorder boxes;
  EXPECT_EQ(ConfigDatabase().Connect(0, "admin", "brelk"), 0);
  EXPECT_EQ(OneBox(boxes), "Error!!: Unable to Connect to Database.\n\nThe database file " + file + " does not exist.");
  EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
