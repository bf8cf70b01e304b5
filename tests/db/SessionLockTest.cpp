// The session lock and the built-in accounts under races and faults, against real engines:
// first log-ins of many processes at once, and a lock whose reset at close meets a busy or
// failing database.

#include <gmock/gmock.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "db/ConfigDatabase.h"
#include "db/ConnectString.h"
#include "tests/support/SimulatedClock.h"  // before sql.h, whose BOOL macro would break the platform's BOOL
#include "db/OdbcConnection.h"
#include "db/OdbcStatement.h"
#include "tests/db/TestHelpers.h"

namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr const char* kLockedText = "Database Access is locked. It is being accessed from another machine.";

class SessionLockTest : public SessionDatabaseTest {
 protected:
  void SetUp() override {
    SessionDatabaseTest::SetUp();
    SetClock(clock);
  }
  void TearDown() override {
    SetClock(nullptr);
    DatabaseTest::TearDown();
  }

  std::shared_ptr<SimulatedClock> clock = std::make_shared<SimulatedClock>();
};
VELTRANE_ON_ALL_ENGINES(SessionLockTest);

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
TEST_P(SessionLockTest, RacingFirstLogInsAndTakersOfADeadHoldersLockLeaveOneHolderAndEachAccountOnce) {
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
TEST_P(SessionLockTest, AReleaseThatKeepsFailingLeavesALockForTheNextLogInOrReportsTheWayBack) {
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

TEST_P(SessionLockTest, AResetThatMeetsABusyDatabaseIsTriedAgainAndSucceedsOnceItIsFree) {
  if (GetParam() != Engine::SQLite)
    GTEST_SKIP() << "a writer holding the whole database is SQLite's kind of busy";
  // A short busy wait, so that each try gives up at once while the other writer holds on.
  SetRegistryValue("ConnectionString", Db().ConnectionString() + ";Timeout=50");
  ConfigDatabase session;
  ASSERT_EQ(session.Connect(0, "admin", "brelk"), 1);
  OdbcConnection writer;
  writer.Open(Db().ConnectionString());
  OdbcStatement holding(writer);
  holding.Execute("BEGIN EXCLUSIVE");
  clock->OnSleep([&holding](DWORD) { holding.Execute("COMMIT"); });
  session.Close();
  EXPECT_EQ(clock->Sleeps(), std::vector<DWORD>{1000});
  EXPECT_EQ(AdminFlag(), "0");
  EXPECT_TRUE(Failures().Failures().empty());
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
  const char* advisory = "FROM pg_locks WHERE locktype = 'advisory'";
  db.Execute(std::string("SELECT pg_terminate_backend(pid) ") + advisory);
  for (int tries = 0; tries < 200 && db.QueryValue(std::string("SELECT COUNT(*) ") + advisory) != "0";
       ++tries)
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
}

TEST_P(SessionLockTest, AHolderThatLostItsProofTakesItAgainUnlessAnotherTookTheLockOver) {
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

TEST_P(SessionLockTest, APlantedLinkOrFifoInPlaceOfTheLockFileIsRefusedAndNeitherFollowedNorWaitedOn) {
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
