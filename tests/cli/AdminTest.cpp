// veltrane-admin run as a user runs it, against real engines: setting up a database, an
// account's whole life, the session lock, signals and unlock, refusals with
// their exit statuses, hostile texts, output that did not arrive or was cut short, a
// connection lost on the way, and passwords kept out of sight.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/cli/AdminFixture.h"

namespace {

VELTRANE_ON_ALL_ENGINES(AdminTest);

TEST_P(AdminTest, InitMakesTheMissingTablesAndTheBuiltInAccountsOnce) {
  for (const char* table : {"Users", "Preferences", "VirtualServers", "VirtualServerGroup"})
    Db().Execute(std::string("DROP TABLE ") + table);
  const Words init{"init", "--connect", Db().ConnectionString()};
  // A database password is asked for rather than given on the command line.
  std::string asking = Db().ConnectionString();
  const size_t password = asking.find("Pwd=veltrane-pw");
  if (password != std::string::npos) asking.replace(password, 15, "Pwd=-");
  const AdminOutcome first = RunAdmin({"init", "--connect", asking}, "veltrane-pw\n");
  ExpectDone(first);  // the password asked for reached the database
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

  EXPECT_NE(RunAdmin({"check"}).out.find("session lock: HELD by a session that is running"),
            std::string::npos);

  EXPECT_EQ(holder.EndWith(SIGKILL).status, 128 + SIGKILL);
  const AdminOutcome check = RunAdmin({"check"});
  EXPECT_EQ(check.status, 0);
  EXPECT_NE(check.out.find("session lock: left by a session that ended"), std::string::npos) << check.out;
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
  // --match takes the words as text to find, never as SQL
  EXPECT_EQ(Admin({"user", "list", "--match", "' OR '1'='1", "--json"}).out, listed.out);
  EXPECT_EQ(Admin({"user", "list", "--match", "x' OR 'a'='a", "--vserver", "10.0.0.1", "--json"}).out,
            "[]\n");
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

TEST_P(AdminTest, AnEmptyPasswordIsRefusedBeforeAnythingIsConnected) {
  ExpectDone(Admin({"computer", "list"}));  // the first log-in makes the administrator
  const std::string adminDigest = Db().QueryValue("SELECT Password FROM Users WHERE UserName = 'admin'");
  for (const bool locked : {false, true}) {
    if (locked) Db().Execute("UPDATE Users SET Flag = 1 WHERE UserName = 'admin'");  // a sheet elsewhere
    for (const auto& [words, input] :
         std::vector<std::pair<Words, std::string>>{{{"computer", "add", "sneaky"}, "\n"},
                                                    {{"user", "passwd", "admin"}, "\nn3w\n"},
                                                    {{"unlock"}, "\n"}}) {
      const AdminOutcome outcome = RunAdmin(words, input);
      EXPECT_EQ(outcome.status, 1) << words[0] << '\n' << outcome.err;
      EXPECT_NE(outcome.err.find("the password is empty"), std::string::npos) << outcome.err;
    }
    EXPECT_EQ(AdminFlag(), locked ? "1" : "0");
  }
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM VirtualServerGroup"), "0");
  EXPECT_EQ(Db().QueryValue("SELECT Password FROM Users WHERE UserName = 'admin'"), adminDigest);
}

TEST_P(AdminTest, InitMakesEveryIndexAndNamesTheDuplicatesThatPreventAUniqueOne) {
  for (const char* table : {"Users", "Preferences", "VirtualServers", "VirtualServerGroup"})
    Db().Execute(std::string("DROP TABLE ") + table);
  const Words init{"init", "--connect", Db().ConnectionString()};
  ExpectDone(RunAdmin(init));
  EXPECT_ANY_THROW(Db().Execute("INSERT INTO Users (UserName) VALUES ('admin')"));

  Db().Execute("DROP INDEX Users_UserName");
  Db().Execute("INSERT INTO Users (UserName) VALUES ('admin'), ('zed'), ('zed')");
  const AdminOutcome prevented = RunAdmin(init);
  ExpectDone(prevented);
  EXPECT_NE(
      prevented.err.find("Users_UserName was not made: more than one row of Users holds the same UserName "
                         "\"admin\"; \"zed\""),
      std::string::npos)
      << prevented.err;

  Db().Execute("DELETE FROM Users WHERE UserName = 'zed' OR Password IS NULL");
  const AdminOutcome mended = RunAdmin(init);
  ExpectDone(mended);
  EXPECT_NE(mended.out.find("Made the indexes: Users_UserName\n"), std::string::npos) << mended.out;
  EXPECT_ANY_THROW(Db().Execute("INSERT INTO Users (UserName) VALUES ('ftp')"));
}

TEST_P(AdminTest, ARefusedArgumentLeavesTheConfigurationAsItWas) {
  const std::string file = (RegistryRoot().Path() / "other.db").string();
  for (const Words& words : {Words{"init", "--sqlite", file, "--unit", ""}, Words{"init", "--connect", ""},
                             Words{"init", "--connect", "Driver=SQLite3;Database=" + file + ";Pwd=-"}}) {
    const AdminOutcome outcome = RunAdmin(words);
    EXPECT_EQ(outcome.status, 1) << outcome.err;
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(RegistryValue("ConnectionString"), Db().ConnectionString());
  }
}

// Refused as the rows are made, and as rows already there are written.
TEST_P(AdminTest, PrefsSetStoresEveryValueOrNone) {
  AddServer();
  const Words set{"prefs", "set", "--vserver", "10.0.0.1", "port=2121", "max-connections=99", "timeout=7"};
  const char* stored = "SELECT COUNT(*) FROM Preferences WHERE Settings IN ('2121', '99', '7')";
  for (const char* event : {"INSERT", "UPDATE"}) {
    if (event == std::string("UPDATE"))
      ExpectDone(Admin({"prefs", "set", "--vserver", "10.0.0.1", "port=21"}));
    Db().Refuse(event, "Preferences", "too many", "NEW.Settings = '99'");
    const AdminOutcome refused = Admin(set);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("too many"), std::string::npos) << refused.err;
    EXPECT_EQ(Db().QueryValue(stored), "0") << event;
    Db().Allow("Preferences");
  }
  ExpectDone(Admin(set));
  EXPECT_EQ(Db().QueryValue(stored), "3");
}

TEST_P(AdminTest, OutputThatDidNotArriveEndsWithStatusOneAndOneLine) {
  AddServer();
  const AdminOutcome full = RunAdmin({"vserver", "list"}, "brelk\n", "/dev/full");
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err, "veltrane-admin: the output could not be written: No space left on device\n");
  EXPECT_EQ(AdminFlag(), "0");
}

TEST_P(AdminTest, AnInterruptedListingSaysSoAndLeavesItsJsonUnfinished) {
  AddServer();
  Db().Execute(
      "INSERT INTO Users (UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota) "
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
      "SELECT 'user' || i, 'digest', '/srv', 1, 1, 0, 0 FROM n");
  AdminRun listing({"user", "list", "--json"}, "brelk\n");
  for (int tries = 0; tries < 400 && listing.OutputSize() == 0; ++tries)
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  const AdminOutcome interrupted = listing.EndWith(SIGINT);
  EXPECT_EQ(interrupted.status, 128 + SIGINT);
  EXPECT_EQ(interrupted.err, "veltrane-admin: interrupted: the list is incomplete\n");
  ASSERT_TRUE(interrupted.out.starts_with("[\n  {")) << interrupted.out.substr(0, 100);
  EXPECT_EQ(interrupted.out.find(']'), std::string::npos);  // no parser takes it for the whole list
  EXPECT_LT(interrupted.out.size(), 100000u * 60);
  EXPECT_EQ(AdminFlag(), "0");
}

// A name holding an escape sequence would recolour the terminal, a newline split its row;
// SQLite also stores bytes that are not UTF-8, which JSON cannot hold raw.
TEST_P(AdminTest, StoredControlCharactersAndBytesThatAreNotUtf8AreEscaped) {
  Db().Execute("INSERT INTO VirtualServerGroup (Name, CurrentSite) VALUES (?, ?)",
               {std::string("red\x1b[31m\nnext\x7f"), std::string("\xc2\x9b")});
  if (GetParam() == Engine::SQLite)
    Db().Execute("INSERT INTO VirtualServerGroup (Name, CurrentSite) VALUES (?, 'x')",
                 {std::string("b\xffz")});
  const AdminOutcome table = Admin({"computer", "list"});
  EXPECT_NE(table.out.find("red\\e[31m\\nnext\\x7f  \\u009b\n"), std::string::npos) << table.out;
  const AdminOutcome json = Admin({"computer", "list", "--json"});
  EXPECT_NE(json.out.find("{\"name\": \"red\\u001b[31m\\u000anext\x7f\", \"currentSite\": \"\xc2\x9b\"}"),
            std::string::npos)
      << json.out;
  for (const std::string& out : {table.out, json.out}) EXPECT_EQ(out.find('\x1b'), std::string::npos);
  if (GetParam() == Engine::SQLite) {
    EXPECT_NE(table.out.find("b\\xffz"), std::string::npos) << table.out;
    EXPECT_NE(json.out.find("\"b\\u00ffz\""), std::string::npos) << json.out;
    // An export says that such a text will not come back as it was.
    EXPECT_NE(Admin({"export"}).err.find("1 texts hold bytes that are not UTF-8"), std::string::npos);
  }
}

// The messages that repeat a typed name (a confirmation, a refusal) escape it as the tables do.
TEST_P(AdminTest, MessagesRepeatingATypedNameEscapeItsControlCharacters) {
  const AdminOutcome added = Admin({"computer", "add", "red\x1b[31m"});
  EXPECT_EQ(added.out, "Added computer \"red\\e[31m\".\n");
  const AdminOutcome refused = Admin({"computer", "delete", "blue\x1b[34m\xc2\x9b", "--yes"});
  EXPECT_EQ(refused.err, "veltrane-admin: no computer is named \"blue\\e[34m\\u009b\"\n");
}

TEST_P(AdminTest, CheckExitsZeroOnlyWhenALogInWouldSucceedNow) {
  ExpectDone(Admin({"computer", "list"}));
  Db().Execute("UPDATE Users SET Flag = 1 WHERE UserName = 'admin'");
  const AdminOutcome locked = RunAdmin({"check"});
  EXPECT_EQ(locked.status, 3);
  EXPECT_NE(locked.out.find("ready to log in: no"), std::string::npos) << locked.out;
  SetRegistryValue("ConnectionString", "Driver=SQLite3;Database=/nonexistent/veltrane.db;NoCreat=1");
  EXPECT_EQ(RunAdmin({"check"}).status, 4);
}

// The release is tried again for a few seconds before the lock is reported left set.
TEST_P(AdminTest, ADoneChangeWhoseLockWasNotReleasedEndsWithStatusFive) {
  Db().Execute("DROP TABLE SessionLocks");  // a lock not tied to its holder's life stays set
  ExpectDone(Admin({"computer", "list"}));
  Db().Refuse("UPDATE", "Users", "frozen", "OLD.Flag = 1 AND NEW.Flag = 0");
  const AdminOutcome outcome = Admin({"computer", "add", "pc"});
  EXPECT_EQ(outcome.status, 5);
  EXPECT_NE(outcome.err.find("veltrane-admin unlock"), std::string::npos) << outcome.err;
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM VirtualServerGroup WHERE Name = 'pc'"), "1");
  EXPECT_EQ(AdminFlag(), "1");
}

// The server ends the session of the statement (as a crash or a restart would), in the middle
// of a delete and at its commit; only at the commit may the change have been made.
TEST_P(AdminTest, AConnectionLostOnTheWayEndsWithStatusFourOrAtTheCommitSix) {
  if (GetParam() != Engine::PostgreSQL) GTEST_SKIP() << "ends a server session";
  AddServer();
  Db().Execute(
      "CREATE FUNCTION lose() RETURNS trigger AS $$ BEGIN PERFORM pg_terminate_backend(pg_backend_pid()); "
      "PERFORM pg_sleep(5); RETURN OLD; END $$ LANGUAGE plpgsql");
  Db().Execute("CREATE TRIGGER lose BEFORE DELETE ON Preferences FOR EACH ROW EXECUTE FUNCTION lose()");
  ExpectDone(Admin({"prefs", "set", "--vserver", "10.0.0.1", "port=2121"}));
  const AdminOutcome lost = Admin({"vserver", "delete", "10.0.0.1", "--yes"});
  EXPECT_EQ(lost.status, 4);
  EXPECT_TRUE(lost.err.starts_with("veltrane-admin: the database connection was lost: ")) << lost.err;

  Db().Execute("DROP TRIGGER lose ON Preferences");
  Db().Execute(
      "CREATE CONSTRAINT TRIGGER lose AFTER DELETE ON VirtualServers DEFERRABLE INITIALLY DEFERRED "
      "FOR EACH ROW EXECUTE FUNCTION lose()");
  const AdminOutcome atCommit = Admin({"vserver", "delete", "10.0.0.1", "--yes"});
  EXPECT_EQ(atCommit.status, 6);
  EXPECT_NE(atCommit.err.find("may or may not have been made"), std::string::npos) << atCommit.err;
  EXPECT_EQ(AdminFlag(), "0");
}

}  // namespace
