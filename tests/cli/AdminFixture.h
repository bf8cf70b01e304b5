#pragma once
// The fixture of the veltrane-admin tests: the registry store pointing at the test's
// database, runs that log in as the administrator, and a computer with a server and an
// account to work on.

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/cli/AdminRun.h"
#include "tests/db/TestHelpers.h"

using Words = std::vector<std::string>;

class AdminTest : public SessionDatabaseTest {
 protected:
  void SetUp() override {
    SessionDatabaseTest::SetUp();
    setenv("XDG_CACHE_HOME", RegistryRoot().Path().c_str(), 1);  // the names for completion
  }
  // Runs a command that logs in; `more` follows the administrator's password.
  AdminOutcome Admin(const Words& words, const std::string& more = "") {
    return AdminRun(words, "brelk\n" + more).Wait();
  }
  void ExpectDone(const AdminOutcome& outcome) { EXPECT_EQ(outcome.status, 0) << outcome.err; }
  // The run ended with `status` and said `said` on standard error.
  static void ExpectEnded(const AdminOutcome& outcome, int status, const std::string& said) {
    EXPECT_EQ(outcome.status, status) << outcome.err;
    ExpectSaid(outcome.err, said);
  }
  // The run ended with `status` and printed `said` on standard output.
  static void ExpectPrinted(const AdminOutcome& outcome, int status, const std::string& said) {
    EXPECT_EQ(outcome.status, status) << outcome.err;
    ExpectSaid(outcome.out, said);
  }
  // Writes `text` into a file of that name in the test's folder and returns its path.
  std::string WriteFile(const std::string& name, const std::string& text) {
    const std::string path = (RegistryRoot().Path() / name).string();
    std::ofstream(path) << text;
    return path;
  }
  static void ExpectSaid(const std::string& text, const std::string& said) {
    EXPECT_NE(text.find(said), std::string::npos) << "no \"" << said << "\" in:\n" << text;
  }
  // Until a run started in the background holds the session lock.
  void WaitForTheLock() {
    for (int tries = 0; tries < 200 && AdminFlag() != "1"; ++tries)
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    ASSERT_EQ(AdminFlag(), "1");
  }
  // A computer "pc" with the virtual server 10.0.0.1.
  void AddServer() {
    ExpectDone(Admin({"computer", "add", "pc"}));
    ExpectDone(Admin({"vserver", "add", "10.0.0.1", "--computer", "pc", "--description", "first"}));
  }
  // The account "alice" of that server, with the password "s3cret!"; the outcome of its adding.
  AdminOutcome AddAlice() {
    AddServer();
    const AdminOutcome added = Admin({"user", "add", "alice", "--vserver", "10.0.0.1", "--home",
                                      "/srv/ftp/alice", "--quota", "100", "--permissions", "ud"},
                                     "s3cret!\n");
    ExpectDone(added);
    return added;
  }
  // The configuration with keys replaced by what they refer to, each table sorted.
  static std::vector<Rows> Contents(const TestDatabase& database) {
    std::vector<Rows> tables = {
        database.Query("SELECT Name, CurrentSite FROM VirtualServerGroup"),
        database.Query("SELECT g.Name, s.VServerIPAddr, s.VServerDesc FROM VirtualServers s JOIN "
                       "VirtualServerGroup g ON g.ID = s.VServerGroupID"),
        database.Query("SELECT s.VServerIPAddr, p.Description, p.Settings FROM Preferences p JOIN "
                       "VirtualServers s ON s.VServerID = p.VirtualServerID"),
        database.Query("SELECT u.UserName, u.Password, u.HomeDir, u.Permissions, u.DiskQuota, "
                       "COALESCE(s.VServerIPAddr, '-') FROM Users u LEFT JOIN VirtualServers s ON "
                       "s.VServerID = u.VirtualServerID"),
    };
    for (Rows& table : tables) std::sort(table.begin(), table.end());
    return tables;
  }
  static constexpr const char* kAlice =
      "SELECT UserName, Password, HomeDir, DiskQuota, Permissions FROM Users WHERE UserName = 'alice'";
};
