// The database session against real engines: first run, built-in accounts, log-in checks,
// the session lock between sessions and processes, and the registry values; the lock and
// the built-in accounts under races and faults: first log-ins of many processes at once, a
// holder that lost its proof of life, and a reset at close that meets a busy or failing
// database.

#include <gmock/gmock.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <stdexcept>
#include <thread>

#include "db/ConfigDatabase.h"
#include "db/ConnectString.h"
#include "tests/support/SimulatedClock.h"  // before sql.h, whose BOOL macro would break the platform's BOOL
#include "tests/db/TestHelpers.h"

namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr const char* kLockedText = "Database Access is locked. It is being accessed from another machine.";

// A test that simulates the clock sets it; the next test finds the real one.
class SessionTest : public SessionDatabaseTest {
 protected:
  void TearDown() override {
    SetClock(nullptr);
    SessionDatabaseTest::TearDown();
  }
};
VELTRANE_ON_ALL_ENGINES(SessionTest);

// The first log-in fills an empty Users table with admin, then ftp, and stores the completed
// string; while it holds the lock another account may log in.
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
  const auto file =
      RegistryRoot().Path() / "HKEY_LOCAL_MACHINE/SOFTWARE/Orvindel/Veltrane Server/=ComputerName";
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
              AllOf(StartsWith("DSN=Veltrane;"), HasSubstr("Database=" + file)));
  EXPECT_EQ(failures.TakeOne(), "0 failures");

  const std::string gone = (odbcFolder.Path() / "gone.db").string();
  SetRegistryValue("ConnectionString", "Driver=SQLite3;Database=" + gone + ";NoCreat=1");
  EXPECT_EQ(ConfigDatabase().Connect(0, "admin", "brelk"), 0);
  EXPECT_EQ(failures.TakeOne(),
            "unreachable: Unable to Connect to Database.\n\nThe database file " + gone + " does not exist.");
  EXPECT_FALSE(std::filesystem::exists(gone));
}

// Runs `processes` log-ins at the same moment. Each holds what it took until every one has
// tried, then ends without closing its session. Returns how many held the lock; `unexpected`
// adds those that reported other failures than a winner's none or a loser's one lock.
int RaceLogIns(int processes, int& unexpected) {
  int gate[2], results[2], hold[2];
  if (pipe(gate) != 0 || pipe(results) != 0 || pipe(hold) != 0)
    throw std::runtime_error("cannot make a pipe");
  for (int i = 0; i < processes; ++i) {
    if (fork() != 0) continue;
    for (int unused : {gate[1], results[0], hold[1]}) close(unused);
    char ignored;
    (void)!read(gate[0], &ignored, 1);  // returns when the parent closes the gate
    FailureRecorder failures;
    ConfigDatabase session;  // never closed: the process ends holding what it took
    const int connected = session.Connect(0, "admin", "brelk");
    const std::string reported = failures.TakeOne();
    const bool expected = reported == (connected ? "0 failures" : std::string("locked: ") + kLockedText);
    const char result = static_cast<char>(connected + (expected ? 0 : 2));
    (void)!write(results[1], &result, 1);
    (void)!read(hold[0], &ignored, 1);  // until the parent has every result
    _exit(0);
  }
  for (int unused : {results[1], hold[0], gate[1]}) close(unused);  // the last opens the gate
  int holders = 0;
  char result;
  for (int i = 0; i < processes && read(results[0], &result, 1) == 1; ++i) {
    holders += result & 1;
    unexpected += result >> 1;
  }
  for (int done : {results[0], gate[0], hold[1]}) close(done);  // the last lets the processes end
  while (wait(nullptr) > 0) {
  }
  return holders;
}

// Each race's processes end holding what they took, so the next race is for a dead holder's
// lock. Without the unique index, the first of two administrators is the one that logs in.
TEST_P(SessionTest, RacingFirstLogInsAndTakersOfADeadHoldersLockLeaveOneHolderAndEachAccountOnce) {
  for (const bool uniqueIndex : {true, false}) {
    if (!uniqueIndex) {  // as in a database made before account names had their unique index
      Db().Execute("DROP INDEX Users_UserName");
      Db().Execute("CREATE INDEX Users_UserName ON Users (UserName)");
    }
    for (int round = 0; round < 3; ++round) {
      Db().Execute("DELETE FROM Users");
      Db().Execute("DELETE FROM SessionLocks");
      int unexpected = 0;
      EXPECT_EQ(RaceLogIns(8, unexpected), 1) << "unique index " << uniqueIndex << ", round " << round;
      EXPECT_EQ(Db().Query("SELECT UserName, Flag FROM Users ORDER BY UserName"),
                (Rows{{"admin", "1"}, {"ftp", "0"}}));
      EXPECT_EQ(RaceLogIns(6, unexpected), 1) << "taking over, round " << round;
      EXPECT_EQ(unexpected, 0);
    }
  }
  Db().Execute("INSERT INTO Users (UserName, Password, Flag) VALUES ('admin', 'other', 0)");  // another's
  ConfigDatabase session;  // takes the dead holder's lock over
  ASSERT_EQ(session.Connect(0, "admin", "brelk"), 1);
  EXPECT_EQ(Db().Query("SELECT Flag FROM Users WHERE UserName = 'admin' ORDER BY UserID"),
            (Rows{{"1"}, {"0"}}));
}

// A release that keeps failing is tried every second for 30 seconds and leaves a lock the next
// log-in takes over. Where locks are not tied to their holders, three tries over five seconds
// end in a report that names the way back, and nothing escapes the close.
TEST_P(SessionTest, AReleaseThatKeepsFailingLeavesALockForTheNextLogInOrReportsTheWayBack) {
  const auto clock = std::make_shared<SimulatedClock>();
  SetClock(clock);
  ConfigDatabase session;
  ASSERT_EQ(session.Connect(0, "admin", "brelk"), 1);
  Db().Refuse("UPDATE", "Users", "refused");  // as a database that fails until the process is gone
  testing::internal::CaptureStderr();
  session.Close();
  std::vector<DWORD> sleeps(30, 1000);
  EXPECT_EQ(clock->Sleeps(), sleeps);
  EXPECT_THAT(testing::internal::GetCapturedStderr(),
              AllOf(StartsWith("veltrane: the session lock could not be released ("),
                    HasSubstr("the next log-in takes it over\n")));
  EXPECT_TRUE(Failures().Failures().empty());
  Db().Allow("Users");
  ASSERT_EQ(session.Connect(0, "admin", "brelk"), 1);
  session.Close();

  Db().Execute("DROP TABLE SessionLocks");  // a database made before locks were tied to their holders
  ASSERT_EQ(session.Connect(0, "admin", "brelk"), 1);
  Db().Refuse("UPDATE", "Users", "refused");
  // The report is made, then fails as a box does when a UI script has ended: nothing may escape.
  std::string box;
  const FailureSink previous = SetFailureSink([&box](const Failure& failure) {
    box = failure.text;
    throw std::runtime_error("the script ended, but a message box appeared");
  });
  testing::internal::CaptureStderr();
  EXPECT_NO_THROW(session.Close());
  SetFailureSink(previous);
  const std::string errorLines = testing::internal::GetCapturedStderr();
  sleeps.insert(sleeps.end(), {2500, 2500});
  EXPECT_EQ(clock->Sleeps(), sleeps);
  EXPECT_EQ(session.lockHeld, 0);
  EXPECT_THAT(box, AllOf(StartsWith("The session lock could not be released:"), HasSubstr("refused"),
                         HasSubstr("veltrane-admin unlock")));
  EXPECT_THAT(errorLines, AllOf(StartsWith("veltrane: the session lock could not be released"),
                                HasSubstr("veltrane-admin unlock")));
  EXPECT_EQ(errorLines.find('\n'), errorLines.size() - 1) << "one line: " << errorLines;
  // The statement the box names is the way back.
  Db().Allow("Users");
  Db().Execute(box.substr(box.rfind('\n') + 1));
  EXPECT_EQ(AdminFlag(), "0");
}

// The file whose lock proves that SQLite's session holding the administrator's lock lives.
std::string LockFile(const TestDatabase& db) {
  return *DatabaseAttribute(db.ConnectionString()) + "-session-" +
         db.QueryValue("SELECT UserID FROM Users WHERE UserName = 'admin'");
}

// Takes the proof of life away from the session holding the lock, as a dropped connection or
// a replaced lock file would.
void TakeProofAway(TestDatabase& db, Engine engine) {
  if (engine == Engine::SQLite) {
    std::filesystem::remove(LockFile(db));
    return;
  }
  // Only this test's database: tests that run at the same time keep their sessions' proofs.
  const char* advisory =
      "FROM pg_locks WHERE locktype = 'advisory' AND database = "
      "(SELECT oid FROM pg_database WHERE datname = current_database())";
  db.Execute(std::string("SELECT pg_terminate_backend(pid) ") + advisory);
  for (int tries = 0; tries < 200 && db.QueryValue(std::string("SELECT COUNT(*) ") + advisory) != "0";
       ++tries)
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
}

TEST_P(SessionTest, AHolderThatLostItsProofTakesItAgainUnlessAnotherTookTheLockOver) {
  ConfigDatabase holder;
  ASSERT_EQ(holder.Connect(0, "admin", "brelk"), 1);
  TakeProofAway(Db(), GetParam());
  EXPECT_EQ(holder.AddComputer("kept"), 1);  // nobody took it over: the proof is taken again
  ConfigDatabase other;
  EXPECT_EQ(other.Connect(0, "admin", "brelk"), 0);
  EXPECT_EQ(Failures().TakeOne(), std::string("locked: ") + kLockedText);

  TakeProofAway(Db(), GetParam());
  testing::internal::CaptureStderr();
  ASSERT_EQ(other.Connect(0, "admin", "brelk"), 1) << Failures().TakeOne();
  EXPECT_THAT(testing::internal::GetCapturedStderr(), HasSubstr("took over the session lock"));
  EXPECT_EQ(holder.AddComputer("lost"), 0);
  EXPECT_THAT(Failures().TakeOne(), HasSubstr("The session lock was taken over by another session"));
  EXPECT_EQ(Db().Query("SELECT Name FROM VirtualServerGroup"), (Rows{{"kept"}}));
  holder.Close();  // releases nothing: the lock is the other session's
  EXPECT_EQ(AdminFlag(), "1");
  other.Close();
  EXPECT_EQ(AdminFlag(), "0");
}

TEST_P(SessionTest, APlantedLinkOrFifoInPlaceOfTheLockFileIsRefusedAndNeitherFollowedNorWaitedOn) {
  if (GetParam() != Engine::SQLite) GTEST_SKIP() << "the lock file is SQLite's proof";
  ASSERT_EQ(ConfigDatabase().Connect(1, "", ""), 1);  // the built-in accounts
  const std::string lockFile = LockFile(Db());
  const std::string target = lockFile + "-target";
  std::filesystem::create_symlink(target, lockFile);
  ConfigDatabase session;
  EXPECT_EQ(session.Connect(0, "admin", "brelk"), 0);
  EXPECT_THAT(Failures().TakeOne(), HasSubstr("cannot be opened"));
  EXPECT_FALSE(std::filesystem::exists(target));
  std::filesystem::remove(lockFile);
  ASSERT_EQ(mkfifo(lockFile.c_str(), 0600), 0);
  EXPECT_EQ(session.Connect(0, "admin", "brelk"), 0);
  EXPECT_THAT(Failures().TakeOne(), HasSubstr("is not a plain file"));
  EXPECT_EQ(AdminFlag(), "0");
}

}  // namespace
