// The session lock and the built-in accounts under races and faults, against real engines:
// first log-ins of many processes at once, and a lock whose reset at close meets a busy or
// failing database.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "db/ConfigDatabase.h"
#include "tests/support/SimulatedClock.h"  // before sql.h, whose BOOL macro would break the platform's BOOL
#include "db/OdbcConnection.h"
#include "db/OdbcStatement.h"
#include "tests/db/TestHelpers.h"
#include "tests/support/DatabaseTest.h"

namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr const char* kLockedText = "Database Access is locked. It is being accessed from another machine.";

class SessionLockTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    if (IsSkipped()) return;
    SetRegistryValue("ConnectionString", Db().ConnectionString());
    SetClock(clock);
  }
  void TearDown() override {
    SetClock(nullptr);
    DatabaseTest::TearDown();
  }

  // As in a database made before account names had their unique index.
  void DropUniqueIndex() {
    Db().Execute("DROP INDEX Users_UserName");
    Db().Execute("CREATE INDEX Users_UserName ON Users (UserName)");
  }

  std::shared_ptr<SimulatedClock> clock = std::make_shared<SimulatedClock>();
};
VELTRANE_ON_ALL_ENGINES(SessionLockTest);

// Runs `processes` first log-ins at the same moment, each ending without closing its session.
// Returns how many hold the lock; `unexpected` counts those that showed other boxes than a
// winner's none or a loser's one lock box.
int RaceFirstLogIns(int processes, int& unexpected) {
  int gate[2];
  if (pipe(gate) != 0) throw std::runtime_error("cannot make a pipe");
  for (int i = 0; i < processes; ++i) {
    if (fork() != 0) continue;
    close(gate[1]);
    char ignored;
    (void)!read(gate[0], &ignored, 1);  // returns when the parent closes the gate
    MessageBoxRecorder boxes;
    ConfigDatabase session;  // never closed: the process ends holding what it took
    const int connected = session.Connect(0, "admin", "brelk");
    const auto& shown = boxes.Boxes();
    const bool expected = connected ? shown.empty() : shown.size() == 1 && shown[0].text == kLockedText;
    _exit(connected + (expected ? 0 : 2));
  }
  close(gate[0]);
  close(gate[1]);
  int holders = 0;
  unexpected = 0;
  for (int status = 0; wait(&status) > 0;) {
    const int result = WIFEXITED(status) ? WEXITSTATUS(status) : 2;
    holders += result & 1;
    unexpected += result >> 1;
  }
  return holders;
}

TEST_P(SessionLockTest, RacingFirstLogInsMakeEachBuiltInAccountOnceWithOrWithoutTheUniqueIndex) {
  for (const bool uniqueIndex : {true, false}) {
    if (!uniqueIndex) DropUniqueIndex();
    for (int round = 0; round < 3; ++round) {
      Db().Execute("DELETE FROM Users");
      int unexpected = 0;
      EXPECT_EQ(RaceFirstLogIns(8, unexpected), 1) << "unique index " << uniqueIndex << ", round " << round;
      EXPECT_EQ(unexpected, 0);
      EXPECT_EQ(Db().Query("SELECT UserName, Flag FROM Users ORDER BY UserName"),
                (Rows{{"admin", "1"}, {"ftp", "0"}}));
    }
  }
}

TEST_P(SessionLockTest, WithoutTheUniqueIndexTheFirstOfTwoAdministratorsLogsIn) {
  ASSERT_EQ(ConfigDatabase().Connect(1, "", ""), 1);  // the built-in accounts
  DropUniqueIndex();
  Db().Execute(
      "INSERT INTO Users (UserName, Password, Flag) VALUES ('admin', 'other', 0)");  // another program's
  ConfigDatabase session;
  ASSERT_EQ(session.Connect(0, "admin", "brelk"), 1);
  EXPECT_EQ(Db().Query("SELECT Flag FROM Users WHERE UserName = 'admin' ORDER BY UserID"),
            (Rows{{"1"}, {"0"}}));
}

TEST_P(SessionLockTest, AResetThatKeepsFailingIsReportedWithTheWayBackAndNothingEscapesTheClose) {
  ConfigDatabase session;
  ASSERT_EQ(session.Connect(0, "admin", "brelk"), 1);
  Db().Refuse("UPDATE", "Users", "refused");
  // The box is shown, then fails as it does when a UI script has ended: nothing may escape.
  std::string box;
  SetMessageBoxPresenter([&box](CWnd*, const std::string& text, const std::string&, unsigned) -> int {
    box = text;
    throw std::runtime_error("the script ended, but a message box appeared");
  });
  testing::internal::CaptureStderr();
  EXPECT_NO_THROW(session.Close());
  const std::string errorLines = testing::internal::GetCapturedStderr();
  EXPECT_EQ(clock->Sleeps(), (std::vector<DWORD>{2500, 2500}));  // three tries over five seconds
  EXPECT_EQ(AdminFlag(), "1");
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
  EXPECT_EQ(clock->Sleeps(), std::vector<DWORD>{2500});
  EXPECT_EQ(AdminFlag(), "0");
  EXPECT_TRUE(Boxes().Boxes().empty());
}

}  // namespace
