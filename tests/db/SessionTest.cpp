// The database session against real engines: first run, built-in accounts, log-in checks,
// the session lock between sessions and processes, and the registry values.

#include <gmock/gmock.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "db/ConfigDatabase.h"
#include "db/ConnectString.h"
#include "tests/db/TestHelpers.h"

namespace {

using ::testing::StartsWith;

class SessionTest : public SessionDatabaseTest {};
VELTRANE_ON_ALL_ENGINES(SessionTest);

// The first log-in fills an empty Users table with admin, then ftp, and stores the completed
// string; while it holds the lock the administrator is locked out, another account is not.
// The current site is set only on a known computer; an account is added and given a password
// from its clear text, an empty one refused. Close stores the computer name for the
// next session and frees the lock.
TEST_P(SessionTest, ASessionFromTheFirstLogInToTheNextSessionsLogIn) {
  ConfigDatabase first, second, other;
  ASSERT_EQ(first.Connect(0, "admin", "brelk"), 1);
  EXPECT_EQ(Db().Query("SELECT UserName, Password, HomeDir, Permissions, VirtualServerID, Flag FROM Users "
                       "ORDER BY UserID"),
            (Rows{{"admin", Digest("brelk"), "c:\\", "-1", "-1", "1"},
                  {"ftp", Digest("qov"), "c:\\", "-1", "-1", "0"}}));
  EXPECT_EQ(connectString(), "ODBC;" + RegistryValue("ConnectionString"));  // what recordsets now use
  EXPECT_EQ(second.LogIn("admin", "brelk"), 0);
  EXPECT_EQ(Failures().TakeOne(),
            "locked: Database Access is locked. It is being accessed from another machine.");
  EXPECT_EQ(other.Connect(0, "ftp", "qov"), 1);

  // A computer another machine deleted gets no current site and no report (the next check
  // takes exactly one); setting a known one is the General page's test.
  EXPECT_EQ(first.SetComputerCurrentSite(999, "10.0.0.1"), 0);
  // Front ends without the dialogs hand over the clear text; the model stores its digest.
  UserRecord user{-1, "bob", "", "/h", 0, 3, 0, 0};
  const char* stored = "SELECT Password FROM Users WHERE UserName = 'bob'";
  EXPECT_EQ(first.AddUserWithPassword(user, ""), 0);
  EXPECT_EQ(Failures().TakeOne(), "refused: Please specify Password");
  ASSERT_EQ(first.AddUserWithPassword(user, "pw"), 1);
  EXPECT_EQ(Db().QueryValue(stored), Digest("pw"));
  user.UserID = std::stoi(Db().QueryValue("SELECT UserID FROM Users WHERE UserName = 'bob'"));
  ASSERT_EQ(first.ChangePassword(user, "n3w"), 1);
  EXPECT_EQ(Db().QueryValue(stored), Digest("n3w"));
  first.computerName = "pc'1";
  first.Close();
  EXPECT_EQ(RegistryValue("ComputerName"), "pc'1");
  EXPECT_EQ(second.Connect(0, "admin", "brelk"), 1);
  EXPECT_EQ(second.computerName, "pc'1");
}

// Root trusts no value another user wrote, so it reads no "ComputerName" of a member's; a
// session that changed nothing must not overwrite it with its own empty one at close.
TEST_P(SessionTest, CloseLeavesAComputerNameItCouldNotReadAsItWas) {
  if (geteuid() != 0) GTEST_SKIP() << "a value written by another user needs root";
  SetRegistryValue("ComputerName", "member's pc");
  std::filesystem::path file;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(RegistryRoot().Path()))
    if (entry.path().filename() == "=ComputerName") file = entry.path();
  ASSERT_EQ(chown(file.c_str(), 65534, 65534), 0);
  ConfigDatabase session;
  ASSERT_EQ(session.Connect(0, "admin", "brelk"), 1);
  EXPECT_EQ(session.computerName, "");
  session.Close();
  struct stat after {};
  ASSERT_EQ(stat(file.c_str(), &after), 0);
  EXPECT_EQ(after.st_uid, 65534u);
}

// Each failed log-in returns 0, holds no lock and reports what it met: nothing for a wrong
// name or password, and the driver's text for a database that fails.
TEST_P(SessionTest, AFailedLogInHoldsNoLockAndReportsOnlyWhatTheDatabaseSaid) {
  ConfigDatabase session;
  // The log-in of every front end but the launch sequence connects nothing without a password.
  EXPECT_EQ(session.LogIn("admin", ""), 0);
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM Users"), "0");
  ASSERT_EQ(ConfigDatabase().Connect(1, "", ""), 1);  // creates "admin" without logging in
  const auto expectFailed = [&](int result, int expected, const std::string& reported) {
    EXPECT_EQ(result, expected) << reported;
    EXPECT_THAT(Failures().TakeOne(), StartsWith(reported));
    EXPECT_EQ(session.lockHeld, 0);
  };
  expectFailed(session.Connect(0, "admin", "wrong"), 0, "0 failures");
  expectFailed(session.Connect(0, "Admin", "brelk"), 0, "0 failures");
  expectFailed(session.CheckLogIn("admin", "wrong", "Default", "LocalHost"), -2, "0 failures");
  expectFailed(session.CheckLogIn("nobody", "x", "DEFAULT", "localhost"), 0, "0 failures");
  Db().Refuse("UPDATE", "Users", "lock refused");
  expectFailed(session.Connect(0, "admin", "brelk"), 0, "failed: ");
  SetRegistryValue("ConnectionString", "DSN=NoSuchSource");
  expectFailed(
      session.Connect(0, "admin", "brelk"), 0,
      "unreachable: Unable to Connect to Database.\n\n[unixODBC][Driver Manager]Data source name not "
      "found");
  EXPECT_EQ(AdminFlag(), "0");
}

TEST_P(SessionTest, AQuietSessionReadsALongConnectionStringWholeTakesNoLockAndWritesNothing) {
  Db().Execute("INSERT INTO Users (UserName, Password, Flag) VALUES ('admin', ?, 1)", {Digest("brelk")});
  const std::string padded = "Padding=" + std::string(400, 'x') + ";" + Db().ConnectionString();
  SetRegistryValue("ConnectionString", padded);
  connectString() = "ODBC;DSN=NoSuchSource";  // what a value that could not be read would leave
  ConfigDatabase session;
  ASSERT_EQ(session.Connect(1, "admin", "brelk"), 1);  // a Flag left at 1 does not stop a quiet session
  connectString() = "ODBC;DSN=NoSuchSource";
  session.LoadComputers();
  EXPECT_THAT(Failures().TakeOne(), StartsWith("quiet failed: "));
  session.Close();
  EXPECT_EQ(AdminFlag(), "1");
  EXPECT_EQ(RegistryValue("ComputerName"), "(missing)");
  EXPECT_EQ(RegistryValue("ConnectionString"), padded);  // not rewritten when quiet
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM Users WHERE UserName = 'ftp'"), "0");
  EXPECT_TRUE(Failures().Failures().empty());
}

// A data source that names none of the streaming options connects with them, while the
// registry keeps the string as written.
TEST_P(SessionTest, AnOldDataSourceStreamsAndTheRegistryKeepsTheStringWithoutTheOptions) {
  SetRegistryValue("ConnectionString",
                   std::regex_replace(Db().ConnectionString(),
                                      std::regex("StepAPI=1;|;UseDeclareFetch=1|;Fetch=1000"), ""));
  // Each option: what the stored string must not hold, and what the string in use must.
  using Option = std::pair<const char*, const char*>;
  const std::vector<Option> options =
      GetParam() == Engine::SQLite
          ? std::vector<Option>{{"StepAPI", ";StepAPI=1;"}}
          : std::vector<Option>{{"UseDeclareFetch", ";UseDeclareFetch=1;"}, {"Fetch=", ";Fetch=1000;"}};
  // The second log-in reads what the first stored: the driver's completion, which must not
  // carry its own defaults for these options as if the user had chosen them.
  for (int logIn = 0; logIn < 2; ++logIn) {
    ConfigDatabase session;
    ASSERT_EQ(session.Connect(0, "admin", "brelk"), 1);
    for (const auto& [notStored, inUse] : options) {
      EXPECT_EQ(RegistryValue("ConnectionString").find(notStored), std::string::npos)
          << logIn << ": " << RegistryValue("ConnectionString");
      EXPECT_NE(connectString().find(inUse), std::string::npos) << logIn << ": " << connectString();
    }
    session.LoadUsers("", ConfigDatabase::kAll);
    EXPECT_EQ(session.users.size(), 2u);
  }
}

// First run: no registry key, and the default data source named in a private odbc.ini. Then a
// SQLite file that is not there, of which the driver only says "connect failed": it is named
// and not made.
TEST(FirstRunTest, TheDefaultSourceIsTriedAndStoredAndAMissingSQLiteFileIsNamedAndNotMade) {
  TemporaryFolder registryRoot, odbcFolder;
  TestDatabase database{Engine::SQLite};
  FailureRecorder failures;
  setenv("VELTRANE_REGISTRY_ROOT", registryRoot.Path().c_str(), 1);
  const std::string file = *DatabaseAttribute(database.ConnectionString());
  const std::string ini = (odbcFolder.Path() / "odbc.ini").string();
  std::ofstream(ini) << "[Veltrane]\nDriver=SQLite3\nDatabase=" << file << "\n";
  setenv("ODBCINI", ini.c_str(), 1);
  connectString() = "ODBC;DSN=NoSuchSource";
  EXPECT_EQ(ConfigDatabase().Connect(0, "admin", "brelk"), 1);
  unsetenv("ODBCINI");
  EXPECT_THAT(RegistryValue("ConnectionString"),
              ::testing::AllOf(StartsWith("DSN=Veltrane;"), ::testing::HasSubstr("Database=" + file)));
  EXPECT_EQ(failures.TakeOne(), "0 failures");

  const std::string gone = (odbcFolder.Path() / "gone.db").string();
  SetRegistryValue("ConnectionString", "Driver=SQLite3;Database=" + gone + ";NoCreat=1");
  EXPECT_EQ(ConfigDatabase().Connect(0, "admin", "brelk"), 0);
  EXPECT_EQ(failures.TakeOne(),
            "unreachable: Unable to Connect to Database.\n\nThe database file " + gone + " does not exist.");
  EXPECT_FALSE(std::filesystem::exists(gone));
}

}  // namespace
