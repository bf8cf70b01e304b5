// veltrane-admin run as a user runs it, against real engines: setting up a database, an
// account's whole life, the session lock, signals and unlock, refusals with
// their exit statuses, hostile texts, and passwords kept out of sight.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "digest/Digest.h"
#include "tests/cli/AdminRun.h"
#include "tests/db/TestHelpers.h"
#include "tests/support/DatabaseTest.h"

namespace {

using Words = std::vector<std::string>;

std::string Digest(const std::string& text) {
  return DigestBytes(text.data(), static_cast<uint32_t>(text.size()));
}

class AdminTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    if (!IsSkipped()) SetRegistryValue("ConnectionString", Db().ConnectionString());
  }
  // Runs a command that logs in; `more` follows the administrator's password.
  AdminOutcome Admin(const Words& words, const std::string& more = "") {
    return RunAdmin(words, "brelk\n" + more);
  }
  void ExpectDone(const AdminOutcome& outcome) { EXPECT_EQ(outcome.status, 0) << outcome.err; }
  // A computer "pc" with the virtual server 10.0.0.1.
  void AddServer() {
    ExpectDone(Admin({"computer", "add", "pc"}));
    ExpectDone(Admin({"vserver", "add", "10.0.0.1", "--computer", "pc", "--description", "first"}));
  }
  // The account "alice" of that server, with the password "s3cret!".
  void AddAlice() {
    AddServer();
    ExpectDone(Admin({"user", "add", "alice", "--vserver", "10.0.0.1", "--home", "/srv/ftp/alice", "--quota",
                      "100", "--permissions", "ud"},
                     "s3cret!\n"));
  }
  static constexpr const char* kAlice =
      "SELECT UserName, Password, HomeDir, DiskQuota, Permissions FROM Users WHERE UserName = 'alice'";
};
VELTRANE_ON_ALL_ENGINES(AdminTest);

TEST_P(AdminTest, InitMakesTheMissingTablesAndTheBuiltInAccountsOnce) {
  for (const char* table : {"Users", "Preferences", "VirtualServers", "VirtualServerGroup"})
    Db().Execute(std::string("DROP TABLE ") + table);
  const Words init{"init", "--connect", Db().ConnectionString()};
  const AdminOutcome first = RunAdmin(init);
  ExpectDone(first);
  EXPECT_NE(first.out.find("Made the tables: Users Preferences VirtualServers VirtualServerGroup"),
            std::string::npos);
  const AdminOutcome again = RunAdmin(init);
  ExpectDone(again);
  EXPECT_NE(again.out.find("The tables were there already."), std::string::npos) << again.out;
  EXPECT_EQ(Db().Query("SELECT UserName, Password FROM Users ORDER BY UserName"),
            (Rows{{"admin", Digest("brelk")}, {"ftp", Digest("qov")}}));
}

TEST_P(AdminTest, CheckReportsAFreeSessionLock) {
  ExpectDone(Admin({"computer", "list"}));  // the first log-in makes the administrator
  const AdminOutcome check = RunAdmin({"check"});
  ExpectDone(check);
  EXPECT_NE(check.out.find("session lock: free"), std::string::npos) << check.out;
}

TEST_P(AdminTest, UserAddStoresTheAccountAndShowPrintsIt) {
  AddAlice();
  EXPECT_EQ(Db().Query(kAlice), (Rows{{"alice", Digest("s3cret!"), "/srv/ftp/alice", "100", "5"}}));
  EXPECT_EQ(Admin({"user", "show", "alice", "--json"}).out,
            "{\"name\": \"alice\", \"home\": \"/srv/ftp/alice\", \"quota\": 100, \"permissions\": \"-U-D-\", "
            "\"vserver\": \"10.0.0.1\"}\n");
  EXPECT_EQ(AdminFlag(), "0");
}

TEST_P(AdminTest, UserEditAndPasswdChangeOnlyWhatTheyName) {
  AddAlice();
  ExpectDone(Admin({"user", "edit", "alice", "--quota", "7", "--permissions", "all"}));
  ExpectDone(Admin({"user", "passwd", "alice"}, "n3w\n"));
  EXPECT_EQ(Db().Query(kAlice), (Rows{{"alice", Digest("n3w"), "/srv/ftp/alice", "7", "31"}}));
}

TEST_P(AdminTest, UserDeleteAsksFirst) {
  AddAlice();
  EXPECT_EQ(Admin({"user", "delete", "alice"}, "n\n").status, 1);
  ExpectDone(Admin({"user", "delete", "alice"}, "y\n"));
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM Users WHERE UserName = 'alice'"), "0");
}

TEST_P(AdminTest, ATerminationSignalWhileTheLockIsHeldReleasesIt) {
  AddServer();
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    AdminRun waiting({"vserver", "delete", "10.0.0.1"}, "brelk\n");  // waits at its question
    for (int tries = 0; tries < 200 && AdminFlag() != "1"; ++tries)
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    ASSERT_EQ(AdminFlag(), "1");
    EXPECT_EQ(waiting.EndWith(signal).status, 128 + signal);
    EXPECT_EQ(AdminFlag(), "0") << "signal " << signal;
  }
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM VirtualServers"), "1");
}

TEST_P(AdminTest, ALockedDatabaseEndsWithStatusThreeAndUnlockFreesItOnlyWithTheRightPassword) {
  ExpectDone(Admin({"computer", "list"}));  // the first log-in makes the administrator
  Db().Execute("UPDATE Users SET Flag = 1 WHERE UserName = 'admin'");  // a session that was killed
  const AdminOutcome locked = Admin({"user", "list"});
  EXPECT_EQ(locked.status, 3);
  EXPECT_NE(locked.err.find("Database Access is locked."), std::string::npos) << locked.err;
  const AdminOutcome wrong = RunAdmin({"unlock"}, "brelk!\n");
  EXPECT_EQ(wrong.status, 1);
  EXPECT_NE(wrong.err.find("wrong password for admin"), std::string::npos);
  EXPECT_EQ(AdminFlag(), "1");
  ExpectDone(RunAdmin({"unlock"}, "brelk\n"));
  EXPECT_EQ(AdminFlag(), "0");
  ExpectDone(Admin({"user", "list"}));
}

TEST_P(AdminTest, ALiveHolderIsNeverTakenOverAndAKilledOneIsAtTheNextLogIn) {
  AddServer();
  AdminRun holder({"vserver", "delete", "10.0.0.1"}, "brelk\n");  // holds the lock at its question
  for (int tries = 0; tries < 200 && AdminFlag() != "1"; ++tries)
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  for (int round = 0; round < 10; ++round) ASSERT_EQ(Admin({"computer", "list"}).status, 3) << round;
  EXPECT_EQ(RunAdmin({"unlock"}, "brelk\n").status, 3);  // unlock does not free a live session's lock
  EXPECT_EQ(AdminFlag(), "1");

  EXPECT_EQ(holder.EndWith(SIGKILL).status, 128 + SIGKILL);
  const AdminOutcome next = Admin({"computer", "list"});
  ExpectDone(next);
  EXPECT_EQ(next.err, "veltrane: took over the session lock of a session that ended without releasing it\n");
  EXPECT_EQ(AdminFlag(), "0");
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM SessionLocks"), "0");
}

TEST_P(AdminTest, RefusalsAndUsageErrorsHaveTheirStatusAndText) {
  AddServer();
  const std::string tooLong(256, 'n');
  const struct {
    Words words;
    std::string input;
    int status;
    std::string said;
  } cases[] = {
      {{"vserver", "add", "10.0.0.1", "--computer", "pc"},
       "",
       1,
       "Can not add virtual server. Virtual server 10.0.0.1 already exists!!"},
      {{"vserver", "add", "10.0.0.2", "--computer", "nobody"}, "", 1, "no computer is named \"nobody\""},
      {{"computer", "add", tooLong}, "", 1, "longer than 255 characters"},
      {{"user", "add", "bob", "--vserver", "10.0.0.1", "--home", "/h", "--quota", "2147483648"},
       "",
       1,
       "quota in MB must be a whole number"},
      {{"user", "add", "bob", "--vserver", "10.0.0.1", "--home", "/h", "--permissions", "UX"},
       "",
       1,
       "permissions"},
      {{"prefs", "set", "--vserver", "10.0.0.1", "port=http"}, "", 1, "FTP Port must be a whole number"},
      {{"user", "frob"}, "", 2, "unknown action \"frob\""},
      {{"user", "add", "bob"}, "", 2, "needs --vserver ADDRESS and --home DIR"},
      {{"computer", "list", "--colour", "red"}, "", 2, "unknown option --colour"},
      {{"computer", "list"}, "wrong\n", 1, "wrong password for admin"},
  };
  for (const auto& [words, input, status, said] : cases) {
    const AdminOutcome outcome = RunAdmin(words, input.empty() ? "brelk\n" : input);
    EXPECT_EQ(outcome.status, status) << words[0] << ' ' << words[1] << '\n' << outcome.err;
    EXPECT_NE(outcome.err.find(said), std::string::npos) << outcome.err;
  }
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM Users WHERE UserName = 'bob'"), "0");
}

TEST_P(AdminTest, AnUnreachableDatabaseEndsWithStatusFour) {
  SetRegistryValue("ConnectionString", "Driver=SQLite3;Database=/nonexistent/veltrane.db;NoCreat=1");
  EXPECT_EQ(Admin({"computer", "list"}).status, 4);
}

// Which texts the database takes is the model's test; here the words reach it whole and the
// listing quotes them.
TEST_P(AdminTest, AHostileNameIsStoredAsGivenAndQuotedInTheListing) {
  AddServer();
  const std::string name = "O'Brien \"Zoë\" ' OR '1'='1";
  ExpectDone(Admin({"user", "add", name, "--vserver", "10.0.0.1", "--home", "/srv/" + name}, "pw\n"));
  EXPECT_EQ(Db().QueryValue("SELECT HomeDir FROM Users WHERE UserName = ?", {name}), "/srv/" + name);
  const AdminOutcome listed = Admin({"user", "list", "--vserver", "10.0.0.1", "--json"});
  EXPECT_NE(listed.out.find("\"name\": \"O'Brien \\\"Zoë\\\" ' OR '1'='1\""), std::string::npos)
      << listed.out;
}

TEST_P(AdminTest, APasswordNeverAppearsInOutputOrFiles) {
  AddServer();
  const std::string secret = "Zx9-unguessable";
  const AdminOutcome added =
      Admin({"user", "add", "carol", "--vserver", "10.0.0.1", "--home", "/srv/carol"}, secret + "\n");
  ExpectDone(added);
  const AdminOutcome listed = Admin({"user", "show", "carol"});
  for (const std::string& text : {added.out, added.err, listed.out, listed.err})
    EXPECT_EQ(text.find(secret), std::string::npos) << text;
  for (const auto& file : std::filesystem::recursive_directory_iterator(RegistryRoot().Path())) {
    if (!file.is_regular_file()) continue;
    std::ifstream in(file.path());
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content.find(secret), std::string::npos) << file.path();
  }
}

}  // namespace
