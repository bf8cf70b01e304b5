// The database session against real engines: first run, built-in accounts, log-in checks,
// the session lock between sessions and processes, and the registry values.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "db/ConfigDatabase.h"
#include "db/ConnectString.h"
#include "db/RegistryKey.h"
#include "digest/Digest.h"
#include "tests/support/DatabaseTest.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

constexpr const char* kKeyPath = "SOFTWARE\\Orvindel\\Veltrane Server";
constexpr const char* kLockedText = "Database Access is locked. It is being accessed from another machine.";

std::string Digest(const std::string& text) {
  std::string digest;
  DigestText(text, digest);
  return digest;
}

// The registry value, or "(missing)".
std::string RegistryValue(const char* name) {
  RegistryKey key;
  std::string value = "(missing)";
  if (key.Open(HKEY_LOCAL_MACHINE, kKeyPath, KEY_ALL_ACCESS) == ERROR_SUCCESS) ReadRegistryString(key, name, value);
  return value;
}

void SetRegistryValue(const char* name, const std::string& value) {
  RegistryKey key;
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, kKeyPath), ERROR_SUCCESS);
  ASSERT_EQ(key.SetValue(value, name), ERROR_SUCCESS);
}

class SessionTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    if (IsSkipped()) return;
    SetRegistryValue("ConnectionString", Db().ConnectionString());
  }

  Rows Accounts() { return Db().Query("SELECT UserName, Password, HomeDir, Permissions, VirtualServerID, Flag "
                                      "FROM Users ORDER BY UserID"); }
  std::string AdminFlag() { return Db().QueryValue("SELECT Flag FROM Users WHERE UserName = 'admin'"); }
};
VELTRANE_ON_ALL_ENGINES(SessionTest);

TEST_P(SessionTest, AnEmptyUsersTableGetsAdminThenFtpAndTheLogInTakesTheLock) {
  ConfigDatabase session;
  ASSERT_EQ(session.Connect(0, "admin", "brelk"), 1);
  EXPECT_EQ(Accounts(), (Rows{{"admin", Digest("brelk"), "c:\\", "-1", "-1", "1"},
                              {"ftp", Digest("qov"), "c:\\", "-1", "-1", "0"}}));
  EXPECT_EQ(session.lockHeld, 1);
  EXPECT_GT(session.lockedUserId, 0);
  EXPECT_TRUE(Boxes().Boxes().empty());
  // The completed string is what recordsets now use, and it is stored.
  EXPECT_EQ(connectString(), "ODBC;" + RegistryValue("ConnectionString"));
  EXPECT_EQ(session.computerName, "");
}

TEST_P(SessionTest, WrongPasswordsUnknownNamesAndOtherCaseAreRefusedSilently) {
  ConfigDatabase session;
  EXPECT_EQ(session.Connect(0, "admin", "wrong"), 0);
  EXPECT_EQ(session.Connect(0, "Admin", "brelk"), 0);
  EXPECT_EQ(session.Connect(0, "nobody", "brelk"), 0);
  EXPECT_EQ(session.CheckLogIn("admin", "wrong", "Default", "LocalHost"), -2);
  EXPECT_EQ(session.CheckLogIn("nobody", "x", "DEFAULT", "localhost"), 0);
  EXPECT_TRUE(Boxes().Boxes().empty());
  EXPECT_EQ(AdminFlag(), "0");
  EXPECT_EQ(session.lockHeld, 0);
}

TEST_P(SessionTest, ASecondSessionIsLockedOutUntilTheFirstCloses) {
  ConfigDatabase first, second;
  ASSERT_EQ(first.Connect(0, "admin", "brelk"), 1);
  EXPECT_EQ(second.Connect(0, "admin", "brelk"), 0);
  ASSERT_EQ(Boxes().Boxes().size(), 1u);
  EXPECT_EQ(Boxes().Boxes()[0].text, kLockedText);
  EXPECT_EQ(Boxes().Boxes()[0].caption, "Error!!");
  EXPECT_EQ(Boxes().Boxes()[0].style, MB_OK | MB_ICONINFORMATION);
  // Another account is not affected by the lock.
  ConfigDatabase other;
  EXPECT_EQ(other.Connect(0, "ftp", "qov"), 1);

  first.computerName = "pc'1";
  first.Close();
  EXPECT_EQ(AdminFlag(), "0");
  EXPECT_EQ(RegistryValue("ComputerName"), "pc'1");
  EXPECT_TRUE(first.computers.empty() && first.users.empty());
  EXPECT_EQ(second.Connect(0, "admin", "brelk"), 1);
  EXPECT_EQ(second.computerName, "pc'1");
}

TEST_P(SessionTest, ADatabaseErrorWhileTakingTheLockFailsTheConnect) {
  ConfigDatabase setup;
  ASSERT_EQ(setup.Connect(1, "", ""), 1);  // creates "admin" without logging in
  if (GetParam() == Engine::SQLite) {
    Db().Execute("CREATE TRIGGER refuse BEFORE UPDATE OF Flag ON Users BEGIN SELECT RAISE(ABORT, 'lock refused'); END");
  } else {
    Db().Execute("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'lock refused'; END $$ "
                 "LANGUAGE plpgsql");
    Db().Execute("CREATE TRIGGER refuse BEFORE UPDATE ON Users FOR EACH ROW EXECUTE FUNCTION refuse()");
  }
  ConfigDatabase session;
  EXPECT_EQ(session.Connect(0, "admin", "brelk"), 0);
  ASSERT_EQ(Boxes().Boxes().size(), 1u);
  EXPECT_NE(Boxes().Boxes()[0].text.find("lock refused"), std::string::npos) << Boxes().Boxes()[0].text;
  EXPECT_EQ(Boxes().Boxes()[0].caption, "Error!!");
  EXPECT_EQ(session.lockHeld, 0);
}

TEST_P(SessionTest, AQuietSessionTakesNoLockAndItsCloseWritesNothing) {
  Db().Execute("INSERT INTO Users (UserName, Password, Flag) VALUES ('admin', ?, 1)", {Digest("brelk")});
  ConfigDatabase session;
  SetRegistryValue("ConnectionString", "ODBC;" + Db().ConnectionString());
  ASSERT_EQ(session.Connect(1, "admin", "brelk"), 1);  // a Flag left at 1 does not stop a quiet session
  EXPECT_EQ(session.lockHeld, 0);
  session.computerName = "pc";
  session.Close();
  EXPECT_EQ(AdminFlag(), "1");
  EXPECT_EQ(RegistryValue("ComputerName"), "(missing)");
  EXPECT_EQ(RegistryValue("ConnectionString"), "ODBC;" + Db().ConnectionString());  // not rewritten when quiet
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM Users WHERE UserName = 'ftp'"), "0");
  EXPECT_TRUE(Boxes().Boxes().empty());
}

TEST_P(SessionTest, AnUnreachableDatabaseShowsTheConnectMessage) {
  SetRegistryValue("ConnectionString", "DSN=NoSuchSource");
  ConfigDatabase session;
  EXPECT_EQ(session.Connect(0, "admin", "brelk"), 0);
  ASSERT_EQ(Boxes().Boxes().size(), 1u);
  EXPECT_EQ(Boxes().Boxes()[0].text, "Unable to Connect to Database.");
  EXPECT_EQ(Boxes().Boxes()[0].caption, "Error!!");
  EXPECT_TRUE(session.computers.empty());
}

TEST_P(SessionTest, ALongConnectionStringIsReadWhole) {
  const std::string padded = "Padding=" + std::string(400, 'x') + ";" + Db().ConnectionString();
  SetRegistryValue("ConnectionString", padded);
  RegistryKey key;
  ASSERT_EQ(key.Open(HKEY_LOCAL_MACHINE, kKeyPath, KEY_ALL_ACCESS), ERROR_SUCCESS);
  std::string read = "before";
  EXPECT_EQ(ReadRegistryString(key, "ConnectionString", read), ERROR_SUCCESS);
  EXPECT_EQ(read, padded);
  std::string missing = "kept";
  EXPECT_NE(ReadRegistryString(key, "NoSuchValue", missing), ERROR_SUCCESS);
  EXPECT_EQ(missing, "kept");

  ConfigDatabase session;
  EXPECT_EQ(session.Connect(0, "admin", "brelk"), 1);
  EXPECT_EQ(AdminFlag(), "1");
}

TEST_P(SessionTest, TheCurrentSiteIsStoredOnlyForAKnownComputer) {
  Db().Execute("INSERT INTO VirtualServerGroup (Name, CurrentSite) VALUES ('pc', '')");
  ConfigDatabase session;
  ASSERT_EQ(session.Connect(0, "admin", "brelk"), 1);
  ASSERT_EQ(session.computers.size(), 1u);
  EXPECT_EQ(session.SetComputerCurrentSite(session.computers.front().ID + 1, "10.0.0.1"), 0);
  EXPECT_EQ(session.SetComputerCurrentSite(session.computers.front().ID, "10.0.0.1"), 1);
  EXPECT_EQ(Db().QueryValue("SELECT CurrentSite FROM VirtualServerGroup"), "10.0.0.1");
}

TEST_P(SessionTest, OfSeveralProcessesConnectingAtOnceExactlyOneHoldsTheLock) {
  ConfigDatabase setup;
  ASSERT_EQ(setup.Connect(1, "", ""), 1);
  constexpr int kProcesses = 6;
  int gate[2];
  ASSERT_EQ(pipe(gate), 0);
  std::vector<pid_t> children;
  for (int i = 0; i < kProcesses; ++i) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(gate[1]);
      char ignored;
      (void)!read(gate[0], &ignored, 1);  // returns when the parent closes the gate
      ConfigDatabase session;
      const int connected = session.Connect(0, "admin", "brelk");
      session.lockHeld = 0;  // keep the lock when this process ends
      _exit(connected);
    }
    children.push_back(child);
  }
  close(gate[0]);
  close(gate[1]);
  int holders = 0;
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    holders += WEXITSTATUS(status);
  }
  EXPECT_EQ(holders, 1);
  EXPECT_EQ(AdminFlag(), "1");
}

// First run: no registry key and the default data source, named in a private odbc.ini.
class FirstRunTest : public ::testing::Test {
 protected:
  TemporaryFolder registryRoot;
  TestDatabase database{Engine::SQLite};
  TemporaryFolder odbcFolder;
  MessageBoxRecorder boxes;
};

TEST_F(FirstRunTest, TheKeyIsCreatedTheDefaultSourceTriedAndTheCompletedStringStored) {
  setenv("VELTRANE_REGISTRY_ROOT", registryRoot.Path().c_str(), 1);
  const std::string ini = (odbcFolder.Path() / "odbc.ini").string();
  std::ofstream(ini) << "[Veltrane]\n" << "Driver=SQLite3\n"
                     << "Database=" << database.ConnectionString().substr(database.ConnectionString().find('=', 15) + 1)
                     << "\n";
  setenv("ODBCINI", ini.c_str(), 1);
  connectString() = "ODBC;DSN=Veltrane";

  ConfigDatabase session;
  EXPECT_EQ(session.Connect(0, "admin", "brelk"), 1);
  unsetenv("ODBCINI");
  const std::string stored = RegistryValue("ConnectionString");
  EXPECT_TRUE(stored.starts_with("DSN=Veltrane;")) << stored;
  EXPECT_NE(stored.find("Database=" + (database.ConnectionString().substr(database.ConnectionString().find('=', 15) + 1))),
            std::string::npos);
  EXPECT_EQ(RegistryValue("ComputerName"), "(missing)");
  EXPECT_EQ(database.QueryValue("SELECT COUNT(*) FROM Users"), "2");
  session.Close();
  connectString() = "ODBC;DSN=Veltrane";
}

}  // namespace
