// veltrane-admin run as a user runs it, against real engines: setting up a database, an
// account's whole life, the session lock, signals and unlock, each refusal with its exit
// status, hostile texts, output that did not arrive or was cut short, a connection lost on
// the way, and passwords kept out of sight.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "tests/cli/AdminFixture.h"

namespace {

VELTRANE_ON_ALL_ENGINES(AdminTest);

TEST_P(AdminTest, InitMakesTheTablesIndexesAndBuiltInAccountsOnceAndNamesWhatPreventsAnIndex) {
  for (const char* table : {"Users", "Preferences", "VirtualServers", "VirtualServerGroup"})
    Db().Execute(std::string("DROP TABLE ") + table);
  const Words init{"init", "--connect", Db().ConnectionString()};
  // A database password is asked for rather than given on the command line.
  const std::string asking =
      std::regex_replace(Db().ConnectionString(), std::regex("Pwd=veltrane-pw"), "Pwd=-");
  const AdminOutcome first = AdminRun({"init", "--connect", asking}, "veltrane-pw\n").Wait();
  ExpectDone(first);  // the password asked for reached the database
  ExpectSaid(first.out, "Made the tables: Users Preferences VirtualServers VirtualServerGroup");
  EXPECT_EQ((first.out + AdminRun({"check"}).Wait().out).find("veltrane-pw"), std::string::npos);  // masked
  ExpectPrinted(AdminRun(init).Wait(), 0, "The tables were there already.");

  Db().Execute("DROP INDEX Users_UserName");  // made by the first init, as the built-in "admin" was
  Db().Execute("INSERT INTO Users (UserName) VALUES ('admin'), ('zed'), ('zed')");
  ExpectEnded(
      AdminRun(init).Wait(), 0,
      "Users_UserName was not made: more than one row of Users holds the same UserName \"admin\"; \"zed\"");
  Db().Execute("DELETE FROM Users WHERE UserName = 'zed' OR Password IS NULL");
  ExpectPrinted(AdminRun(init).Wait(), 0, "Made the indexes: Users_UserName\n");
}

// An account's whole life. A hostile name reaches the model whole and the listing quotes it
// (which texts the database takes, and how --match finds them, is the model's test); the
// password typed shows in no output and no file.
TEST_P(AdminTest, AnAccountIsAddedShownEditedGivenAPasswordAndDeletedAfterTheQuestion) {
  const AdminOutcome added = AddAlice();
  EXPECT_EQ(Db().Query(kAlice), (Rows{{"alice", Digest("s3cret!"), "/srv/ftp/alice", "100", "5"}}));
  const AdminOutcome shown = Admin({"user", "show", "alice", "--json"});
  EXPECT_EQ(shown.out,
            "{\"name\": \"alice\", \"home\": \"/srv/ftp/alice\", \"quota\": 100, \"permissions\": \"-U-D-\", "
            "\"vserver\": \"10.0.0.1\"}\n");
  std::string texts = added.out + added.err + shown.out + shown.err;
  for (const auto& file : std::filesystem::recursive_directory_iterator(RegistryRoot().Path()))
    if (file.is_regular_file()) texts += (std::stringstream() << std::ifstream(file.path()).rdbuf()).str();
  EXPECT_EQ(texts.find("s3cret!"), std::string::npos) << texts;

  const std::string name = "O'Brien \"Zoë\" ' OR '1'='1";
  ExpectDone(Admin({"user", "add", name, "--vserver", "10.0.0.1", "--home", "/srv/" + name}, "pw\n"));
  EXPECT_EQ(Admin({"user", "list", "--match", "' OR '1'='1", "--json"}).out,
            "[\n  {\"name\": \"O'Brien \\\"Zoë\\\" ' OR '1'='1\", \"home\": \"/srv/O'Brien \\\"Zoë\\\" ' OR "
            "'1'='1\", \"quota\": 0, \"permissions\": \"-\", \"vserver\": \"10.0.0.1\"}\n]\n");

  ExpectDone(Admin({"user", "edit", "alice", "--quota", "7", "--permissions", "all"}));
  ExpectDone(Admin({"user", "passwd", "alice"}, "n3w\n"));
  EXPECT_EQ(Db().Query(kAlice), (Rows{{"alice", Digest("n3w"), "/srv/ftp/alice", "7", "31"}}));
  EXPECT_EQ(Admin({"user", "delete", "alice"}, "n\n").status, 1);
  ExpectDone(Admin({"user", "delete", "alice"}, "y\n"));
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM Users WHERE UserName = 'alice'"), "0");
}

// A run ended by a termination signal releases the lock; a live holder's lock is never taken
// over, not even by unlock; a killed holder's is taken over at the next log-in.
TEST_P(AdminTest, TheSessionLockOfARunThatIsSignalledLiveOrKilled) {
  AddServer();
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    AdminRun waiting({"vserver", "delete", "10.0.0.1"}, "brelk\n");  // waits at its question
    WaitForTheLock();
    EXPECT_EQ(waiting.EndWith(signal).status, 128 + signal);
    EXPECT_EQ(AdminFlag(), "0") << "signal " << signal;
  }

  AdminRun holder({"vserver", "delete", "10.0.0.1"}, "brelk\n");
  WaitForTheLock();
  for (int round = 0; round < 10; ++round) ASSERT_EQ(Admin({"computer", "list"}).status, 3) << round;
  EXPECT_EQ(AdminRun({"unlock"}, "brelk\n").Wait().status, 3);
  ExpectSaid(AdminRun({"check"}).Wait().out, "session lock: HELD by a session that is running");

  EXPECT_EQ(holder.EndWith(SIGKILL).status, 128 + SIGKILL);
  ExpectPrinted(AdminRun({"check"}).Wait(), 0, "session lock: left by a session that ended");
  ExpectDone(Admin({"computer", "list"}));  // takes the lock over
  ExpectSaid(AdminRun({"check"}).Wait().out, "session lock: free");
}

// A lock left set by another program: check says no log-in can succeed, --wait gives up when
// its time is up or logs in once the lock is free, which unlock makes it only with the
// administrator's password. A lock a run could not release and an unreachable database have
// statuses of their own.
TEST_P(AdminTest, ALockLeftSetIsWaitedForFreedByUnlockWithTheRightPasswordOrReportedWithItsStatus) {
  ExpectDone(Admin({"computer", "list"}));  // the first log-in makes the administrator
  Db().Execute("UPDATE Users SET Flag = 1 WHERE UserName = 'admin'");
  ExpectPrinted(AdminRun({"check"}).Wait(), 3, "ready to log in: no");
  ExpectEnded(Admin({"--wait", "1", "computer", "list"}), 3, "the session lock is still held");

  AdminRun waiting({"--wait=60", "computer", "add", "later"}, "brelk\n");
  ExpectEnded(AdminRun({"unlock"}, "brelk!\n").Wait(), 1, "wrong password for admin");
  EXPECT_EQ(AdminFlag(), "1");
  ExpectDone(AdminRun({"unlock"}, "brelk\n").Wait());
  ExpectDone(waiting.Wait());
  EXPECT_EQ(Db().QueryValue("SELECT Name FROM VirtualServerGroup"), "later");

  // A done change whose lock could not be released (tried again for a few seconds; the lock
  // is not tied to its holder's life here) names unlock.
  Db().Execute("DROP TABLE SessionLocks");
  Db().Refuse("UPDATE", "Users", "frozen", "OLD.Flag = 1 AND NEW.Flag = 0");
  ExpectEnded(Admin({"computer", "add", "pc"}), 5, "veltrane-admin unlock");

  SetRegistryValue("ConnectionString", "Driver=SQLite3;Database=/nonexistent/veltrane.db;NoCreat=1");
  EXPECT_EQ(AdminRun({"check"}).Wait().status, 4);
  EXPECT_EQ(Admin({"computer", "list"}).status, 4);
}

// Every refusal the command line makes of its own, and the model's and the database's passed
// on, with its exit status and its text; none of them changes a row, makes a file or changes
// the configuration.
TEST_P(AdminTest, EachRefusalHasItsStatusAndTextAndChangesNothing) {
  AddServer();
  // Two computers alike and two virtual servers alike, as other programs or edits leave them.
  Db().Execute("INSERT INTO VirtualServerGroup (Name, CurrentSite) VALUES ('twin', ''), ('twin', '')");
  Db().Execute(
      "INSERT INTO VirtualServers (VServerIPAddr, VServerDesc, VServerGroupID) SELECT '10.0.0.9', '', ID "
      "FROM VirtualServerGroup WHERE Name = 'twin'");
  const std::vector<Rows> before = Contents(Db());
  const std::string configured = RegistryValue("ConnectionString");
  const std::string tooLong(256, 'n'), file = (RegistryRoot().Path() / "other.db").string();
  const struct {
    Words words;
    int status;
    std::string said;
    std::string input = "brelk\n";
    bool locked = false;
  } cases[] = {
      {{"computer", "delete", "twin", "--yes"}, 1, "2 computers are named \"twin\"; rename one first"},
      {{"vserver", "delete", "10.0.0.9", "--yes"}, 1, "2 virtual servers have the address \"10.0.0.9\";"},
      {{"vserver", "add", "10.0.0.2", "--computer", "nobody"}, 1, "no computer is named \"nobody\""},
      {{"vserver", "edit", "10.0.0.7", "--computer", "pc", "--description", "x"},
       1,
       "no virtual server has the address \"10.0.0.7\" on computer \"pc\""},
      {{"user", "passwd", "nobody"}, 1, "no account is named \"nobody\"", "brelk\npw\n"},
      {{"user", "edit", "bob", "--quota", "2147483648"}, 1, "from 0 to 2147483647, not \"2147483648\""},
      {{"user", "edit", "admin", "--permissions", "UX"}, 1, "permissions are letters among U, D, R, C and E"},
      {{"user", "edit", "admin", "--home", ""}, 1, "Please specify home directory"},
      {{"user", "add", "", "--vserver", "10.0.0.1", "--home", "/h"}, 1, "Please specify user name"},
      {{"prefs", "set", "--vserver", "10.0.0.1", "port=http"}, 1, "the FTP Port must be a whole number"},
      {{"prefs", "set", "--vserver", "10.0.0.1", "welcome=" + tooLong}, 1, "can hold at most 255 characters"},
      {{"vserver", "add", "10.0.0.1", "--computer", "pc"}, 1, "Virtual server 10.0.0.1 already exists!!"},
      {{"user", "list", "--match", tooLong}, 1, "the text to match can hold at most 255 characters"},
      {{"computer", "list"}, 1, "wrong password for admin", "wrong\n"},
      {{"computer", "add", "sneaky"}, 1, "the password is empty", "\n", true},  // not "locked": asked first
      {{"computer", "list"}, 1, "no administrator's password on standard input", ""},
      {{"user", "add", "bob", "--vserver", "10.0.0.1", "--home", "/h"}, 1, "specify Password", "brelk\n\n"},
      {{"computer", "delete", "pc"}, 1, "nothing was deleted", "brelk\nn\n"},
      {{"import", "/nonexistent/fleet.json"}, 1, "cannot read /nonexistent/fleet.json"},
      {{}, 2, "Usage: veltrane-admin"},
      {{"frob"}, 2, "unknown command \"frob\""},
      {{"help", "frob"}, 2, "there is no command \"frob\""},
      {{"user", "frob"}, 2, "unknown action \"frob\""},
      {{"user", "add", "bob"}, 2, "user add needs --vserver ADDRESS and --home DIR"},
      {{"user", "edit", "bob"}, 2, "user edit needs --home, --quota or --permissions"},
      {{"vserver", "add", "10.0.0.3"}, 2, "vserver add needs --computer NAME"},
      {{"vserver", "edit", "10.0.0.1"}, 2, "vserver edit needs --address or --description"},
      {{"prefs", "set", "--vserver", "10.0.0.1"}, 2, "prefs set needs --vserver ADDRESS and KEY=VALUE"},
      {{"prefs", "set", "--vserver", "10.0.0.1", "colour=red"}, 2, "unknown preference \"colour\""},
      {{"prefs", "set", "--vserver", "10.0.0.1", "port"}, 2, "\"port\" is not KEY=VALUE"},
      {{"prefs", "show", "--computer", "pc"}, 2, "--computer goes with --vserver"},
      {{"init", "--sqlite", "/tmp/a.db", "--dsn", "x"}, 2, "init takes one of --sqlite, --connect and --dsn"},
      // init refuses before it makes a file or changes the configuration
      {{"init", "--sqlite", file, "--unit", ""}, 1, "the service unit needs a name"},
      {{"init", "--connect", ""}, 1, "--connect needs a value that is not empty"},
      {{"init", "--connect", "Driver=SQLite3;Database=" + file + ";Pwd=-"}, 1, "no database password", ""},
      {{"computer", "add", "--"}, 2, "missing computer name"},
      {{"computer", "add", "a", "b"}, 2, "unexpected word \"b\""},
      {{"computer", "add", "-x"}, 2, "unknown option -x"},
      {{"computer", "list", "--colour", "red"}, 2, "unknown option --colour for this command"},
      {{"computer", "list", "--json=yes"}, 2, "--json takes no value"},
      {{"computer", "list", "--json", "--json"}, 2, "--json is given twice"},
      {{"user", "list", "--match"}, 2, "--match needs a value"},
  };
  for (const auto& c : cases) {
    Db().Execute("UPDATE Users SET Flag = ? WHERE UserName = 'admin'", {c.locked ? 1 : 0});
    ExpectEnded(AdminRun(c.words, c.input).Wait(), c.status, c.said);
    EXPECT_EQ(Contents(Db()), before) << c.said;
    EXPECT_EQ(RegistryValue("ConnectionString"), configured) << c.said;
  }
  EXPECT_FALSE(std::filesystem::exists(file));

  // prefs set stores every value or none: refused as the rows are made, and as rows already
  // there are written.
  const Words set{"prefs", "set", "--vserver", "10.0.0.1", "port=2121", "max-connections=99", "timeout=7"};
  const char* stored = "SELECT COUNT(*) FROM Preferences WHERE Settings IN ('2121', '99', '7')";
  for (const char* event : {"INSERT", "UPDATE"}) {
    Db().Refuse(event, "Preferences", "too many", "NEW.Settings = '99'");
    ExpectEnded(Admin(set), 1, "too many");
    EXPECT_EQ(Db().QueryValue(stored), "0") << event;
    Db().Allow("Preferences");
    ExpectDone(Admin({"prefs", "set", "--vserver", "10.0.0.1", "port=21"}));  // the rows to write next
  }
  ExpectDone(Admin(set));
  EXPECT_EQ(Db().QueryValue(stored), "3");
}

// A name holding an escape sequence would recolour the terminal, a newline split its row;
// SQLite also stores bytes that are not UTF-8, which JSON cannot hold raw. The messages that
// repeat a typed name (a confirmation, a refusal) escape it as the tables do. Output that did
// not arrive ends with status 1 and one line; an interrupted listing says so and leaves its
// JSON unfinished.
TEST_P(AdminTest, OutputEscapesControlCharactersAndBytesThatAreNotUtf8AndReportsWhatDidNotArrive) {
  Db().Execute("INSERT INTO VirtualServerGroup (Name, CurrentSite) VALUES (?, ?)",
               {std::string("red\x1b[31m\nnext\x7f"), std::string("\xc2\x9b")});
  if (GetParam() == Engine::SQLite)
    Db().Execute("INSERT INTO VirtualServerGroup (Name, CurrentSite) VALUES (?, 'x')",
                 {std::string("b\xffz")});
  const AdminOutcome table = Admin({"computer", "list"});
  ExpectSaid(table.out, "red\\e[31m\\nnext\\x7f  \\u009b\n");
  const AdminOutcome json = Admin({"computer", "list", "--json"});
  ExpectSaid(json.out, "{\"name\": \"red\\u001b[31m\\u000anext\x7f\", \"currentSite\": \"\xc2\x9b\"}");
  if (GetParam() == Engine::SQLite) {
    ExpectSaid(table.out, "b\\xffz");
    ExpectSaid(json.out, "\"b\\u00ffz\"");
    // An export says that such a text will not come back as it was.
    ExpectSaid(Admin({"export"}).err, "1 texts hold bytes that are not UTF-8");
  }
  EXPECT_EQ(Admin({"computer", "add", "red\x1b[31m"}).out, "Added computer \"red\\e[31m\".\n");
  EXPECT_EQ(Admin({"computer", "delete", "blue\x1b[34m\xc2\x9b", "--yes"}).err,
            "veltrane-admin: no computer is named \"blue\\e[34m\\u009b\"\n");

  const AdminOutcome full = AdminRun({"computer", "list"}, "brelk\n", "/dev/full").Wait();
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err, "veltrane-admin: the output could not be written: No space left on device\n");
  EXPECT_EQ(AdminFlag(), "0");

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
  EXPECT_EQ(AdminFlag(), "0");
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
  ExpectEnded(Admin({"vserver", "delete", "10.0.0.1", "--yes"}), 6, "may or may not have been made");
  EXPECT_EQ(AdminFlag(), "0");
}

}  // namespace
