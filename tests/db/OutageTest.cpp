// A database server that goes away in the middle of a session, or as it closes, and comes
// back. Runs alone: the other test programs use the same server.

#include <gtest/gtest.h>

#include <cstdlib>

#include "db/ConfigDatabase.h"
#include "tests/support/SimulatedClock.h"
#include "tests/db/TestHelpers.h"

namespace {

// Runs the command the environment variable names; true when it succeeded.
bool RunCommand(const char* variable) {
  return std::system((std::string(std::getenv(variable)) + " >/dev/null").c_str()) == 0;
}

// A session on PostgreSQL, whose server the test takes away and brings back.
class OutageTest : public SessionDatabaseTest {};
INSTANTIATE_TEST_SUITE_P(Engines, OutageTest, ::testing::Values(Engine::PostgreSQL),
                         [](const auto& info) { return EngineName(info.param); });

// A connection kept across a restart is replaced without a failure; an operation while the
// server is down fails once and the next one succeeds; a server back within the retries at
// close gets the lock released.
TEST_P(OutageTest, TheSessionOutlivesARestartAnOutageAndAnOutageAtClose) {
  if (!std::getenv("VELTRANE_PG_STOP") || !std::getenv("VELTRANE_PG_START"))
    GTEST_SKIP() << "needs the commands that stop and start the PostgreSQL server";
  ConfigDatabase session;
  ASSERT_EQ(session.Connect(0, "admin", "brelk"), 1);
  ASSERT_TRUE(RunCommand("VELTRANE_PG_STOP") && RunCommand("VELTRANE_PG_START"));
  int listed = 0;
  EXPECT_EQ(session.ListAllUsers([&listed](const UserRecord&) { ++listed; }), 1);
  EXPECT_EQ(listed, 2);

  bool stopped = RunCommand("VELTRANE_PG_STOP");
  session.ForgetUserQuery();
  session.LoadUsers("", ConfigDatabase::kAll);
  bool restarted = !stopped || RunCommand("VELTRANE_PG_START");  // before anything can end the test
  ASSERT_TRUE(stopped && restarted);
  EXPECT_TRUE(session.users.empty());
  const std::string failure = Failures().TakeOne();
  EXPECT_TRUE(failure.starts_with("lost: ") && failure.size() > 6) << failure;
  session.LoadUsers("", ConfigDatabase::kAll);
  EXPECT_EQ(session.users.size(), 2u);

  const auto clock = std::make_shared<SimulatedClock>();
  SetClock(clock);
  stopped = RunCommand("VELTRANE_PG_STOP");
  restarted = false;
  clock->OnSleep([&restarted](DWORD) { restarted = restarted || RunCommand("VELTRANE_PG_START"); });
  session.Close();
  if (!restarted) restarted = RunCommand("VELTRANE_PG_START");  // before anything can end the test
  SetClock(nullptr);
  ASSERT_TRUE(stopped && restarted);
  EXPECT_EQ(clock->Sleeps(), std::vector<DWORD>{1000});
  EXPECT_TRUE(Failures().Failures().empty());
  EXPECT_EQ(AdminFlag(), "0");
}

}  // namespace
