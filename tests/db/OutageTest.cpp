// A database server that goes away in the middle of a session and comes back. Runs alone:
// the other test programs use the same server.

#include <gtest/gtest.h>

#include <cstdlib>

#include "db/ConfigDatabase.h"
#include "db/RegistryKey.h"
#include "tests/support/DatabaseTest.h"

namespace {

// Stops the server for its lifetime and starts it again however the test ends.
class ServerOutage {
 public:
  ServerOutage() { running_ = std::system((std::string(std::getenv("VELTRANE_PG_STOP")) + " >/dev/null").c_str()) != 0; }
  ~ServerOutage() { Restart(); }
  void Restart() {
    if (!running_) running_ = std::system((std::string(std::getenv("VELTRANE_PG_START")) + " >/dev/null").c_str()) == 0;
  }
  bool Stopped() const { return !running_; }

 private:
  bool running_ = true;
};

class OutageTest : public DatabaseTest {
 protected:
  void SetUp() override {
    if (!std::getenv("VELTRANE_PG_STOP") || !std::getenv("VELTRANE_PG_START"))
      GTEST_SKIP() << "needs the commands that stop and start the PostgreSQL server";
    DatabaseTest::SetUp();
  }
};
INSTANTIATE_TEST_SUITE_P(Engines, OutageTest, ::testing::Values(Engine::PostgreSQL),
                         [](const auto& info) { return EngineName(info.param); });

TEST_P(OutageTest, AnErrorBoxWithTheDriversTextThenTheNextOperationSucceeds) {
  ConfigDatabase session;
  {
    RegistryKey key;
    ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvindel\\Veltrane Server"), ERROR_SUCCESS);
    ASSERT_EQ(key.SetValue(Db().ConnectionString(), "ConnectionString"), ERROR_SUCCESS);
  }
  ASSERT_EQ(session.Connect(0, "admin", "brelk"), 1);
  {
    ServerOutage outage;
    ASSERT_TRUE(outage.Stopped());
    session.ForgetUserQuery();
    session.LoadUsers("", ConfigDatabase::kAll);
    EXPECT_TRUE(session.users.empty());
    ASSERT_EQ(Boxes().Boxes().size(), 1u);
    EXPECT_EQ(Boxes().Boxes()[0].caption, "Error!!");
    EXPECT_FALSE(Boxes().Boxes()[0].text.empty());
    outage.Restart();
  }
  session.LoadUsers("", ConfigDatabase::kAll);
  EXPECT_EQ(session.users.size(), 2u);
  EXPECT_EQ(Boxes().Boxes().size(), 1u);
  session.Close();
  EXPECT_EQ(Db().QueryValue("SELECT Flag FROM Users WHERE UserName = 'admin'"), "0");
}

}  // namespace
