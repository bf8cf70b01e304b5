// veltrane-admin as a fleet's administrator uses it: the command-line conventions, waiting
// for the session lock, listings in a stable order, and export and import, all or nothing,
// from one engine into the other.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/cli/AdminFixture.h"

namespace {

using FleetTest = AdminTest;
VELTRANE_ON_ALL_ENGINES(FleetTest);

TEST_P(FleetTest, TheConventionsOfTheCommandLine) {
  AddServer();
  const struct {
    Words words;
    std::string out;  // found in standard output ("" for none at all)
  } cases[] = {
      {{"--version"}, "veltrane-admin 1.0\n"},
      {{"help", "user"}, "| import FILE [--dry-run]"},
      {{"user", "add", "--help"}, "user list"},
      {{"-h"}, "export [--computer NAME]"},
      {{"vserver", "add", "10.0.0.3", "--computer=pc", "--description=a=b"}, "Added virtual server"},
      {{"user", "add", "zed", "--vserver=10.0.0.1", "--home", "/h", "--permissions", "-U-D-"}, "Added"},
      {{"user", "add", "Bea", "--vserver", "10.0.0.1", "--home=/h", "--permissions=ALL"}, "Added"},
  };
  for (const auto& [words, out] : cases) ExpectPrinted(Admin(words, "pw\n"), 0, out);
  EXPECT_EQ(Admin({"-q", "computer", "add", "--", "--"}).out, "");
  EXPECT_EQ(Db().QueryValue("SELECT VServerDesc FROM VirtualServers WHERE VServerIPAddr = '10.0.0.3'"),
            "a=b");
  // Lists come by name, whatever the log-ins changed (each rewrites the administrator's row).
  for (int round = 0; round < 2; ++round)
    EXPECT_EQ(Admin({"-q", "user", "list"}).out,
              "name   home  quota  permissions  vserver\n"
              "Bea    /h    0      -U-D-R-C-E-  10.0.0.1\n"
              "admin  c:\\   0      -U-D-R-C-E-  \n"
              "ftp    c:\\   0      -U-D-R-C-E-  \n"
              "zed    /h    0      -U-D-        10.0.0.1\n");
  // The names completion offers (the computer "--" among them), for the owner alone.
  const auto names = RegistryRoot().Path() / "veltrane-admin" / "names";
  const std::string text = (std::stringstream() << std::ifstream(names).rdbuf()).str();
  ExpectSaid(text, "computer\t--\ncomputer\tpc\nvserver\t10.0.0.1\n");
  ExpectSaid(text, "user\tzed\n");
  EXPECT_EQ(std::filesystem::status(names).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  // service status asks for no password and leaves the lock alone (there is no service
  // manager here, which it says).
  Db().Execute("UPDATE Users SET Flag = 1 WHERE UserName = 'admin'");
  const AdminOutcome status = AdminRun({"service", "status"}).Wait();
  EXPECT_EQ(status.err.find("password"), std::string::npos) << status.err;
  EXPECT_EQ(status.err.find("locked"), std::string::npos) << status.err;
}

// An export is imported and migrated, each into an empty database of the other engine when
// there is one (else of the same). The import's has keys that moved on, so that every reference
// has to be remapped; migrate takes the passwords of both administrators on standard input.
// Then imports into the database the fleet came from are refused or fail half-way and leave
// nothing.
TEST_P(FleetTest, AnExportMovesEverythingIntoAnEmptyDatabaseAndARefusedImportLeavesNothing) {
  // Two computers, a hostile description, preferences and accounts, and a changed
  // administrator's password.
  AddAlice();
  ExpectDone(Admin({"computer", "add", "pc2"}));
  ExpectDone(
      Admin({"vserver", "add", "10.0.0.2", "--computer", "pc2", "--description", "O'Brien \"Zoë\"\n"}));
  ExpectDone(Admin({"prefs", "set", "--vserver", "10.0.0.2", "port=2121", "welcome=hi, there"}));
  ExpectDone(Admin({"prefs", "set", "--vserver", "10.0.0.1", "port=21"}));
  ExpectDone(
      Admin({"user", "add", "bob", "--vserver", "10.0.0.2", "--home", "/srv/b\\c", "--permissions", "ALL"},
            "pw\n"));
  ExpectDone(Admin({"user", "passwd", "admin"}, "n3w\n"));
  const AdminOutcome exported = AdminRun({"export"}, "n3w\n").Wait();
  ASSERT_EQ(exported.status, 0) << exported.err;
  const std::string file = WriteFile("fleet.json", exported.out);
  const Engine other = GetParam() == Engine::SQLite ? Engine::PostgreSQL : Engine::SQLite;
  TestDatabase migrated(IsAvailable(other) ? other : GetParam()),
      imported(IsAvailable(other) ? other : GetParam());
  const Words migrate{"migrate", "--connect", migrated.ConnectionString()};
  const std::string inUse = RegistryValue("ConnectionString");
  ExpectEnded(AdminRun(migrate, "n3w\nwrong\n").Wait(), 1, "uses the database it used before");
  EXPECT_EQ(RegistryValue("ConnectionString"), inUse);
  EXPECT_EQ(migrated.QueryValue("SELECT COUNT(*) FROM VirtualServerGroup"), "0");
  ExpectDone(AdminRun(migrate, "n3w\nbrelk\n").Wait());  // its import logs in to the database now in use
  EXPECT_EQ(Contents(migrated), Contents(Db()));

  imported.Execute("INSERT INTO VirtualServerGroup (Name) VALUES ('gone'), ('gone'), ('gone')");
  imported.Execute("INSERT INTO VirtualServers (VServerIPAddr) VALUES ('gone'), ('gone'), ('gone')");
  imported.Execute("DELETE FROM VirtualServerGroup");
  imported.Execute("DELETE FROM VirtualServers");
  SetRegistryValue("ConnectionString", imported.ConnectionString());
  ExpectPrinted(AdminRun({"import", file, "--replace"}, "brelk\n").Wait(), 0,
                "accounts: 2 added, 1 changed, 1 unchanged");
  EXPECT_EQ(Contents(imported), Contents(Db()));
  EXPECT_EQ(AdminRun({"export"}, "n3w\n").Wait().out, exported.out);

  SetRegistryValue("ConnectionString", inUse);
  ExpectDone(AdminRun({"computer", "delete", "pc", "--yes"}, "n3w\n").Wait());
  ExpectDone(AdminRun({"user", "edit", "bob", "--quota", "9"}, "n3w\n").Wait());
  const std::vector<Rows> before = Contents(Db());

  // CSV as a spreadsheet saves it, with a byte order mark; dave's server is not there.
  const std::string carol =
      "\xEF\xBB\xBFname,home,vserver,password,permissions\n\"carol, jr\",/srv/c,10.0.0.2,pw,ud\n";
  const std::string csv = WriteFile("accounts.csv", carol + "dave,/srv/d,10.9.9.9,pw,ud\n");
  // A unique index that the preferences of pc break once computers and servers are in.
  Db().Execute("CREATE UNIQUE INDEX Preferences_Description ON Preferences (Description)");
  const struct {
    Words words;
    std::string said;
  } cases[] = {
      {{"import", file, "--replace"}, "constraint"},
      {{"import", file}, "account \"bob\" exists with other values"},
      {{"user", "import", csv}, "account \"dave\": there is no virtual server 10.9.9.9"},
  };
  for (const auto& [words, said] : cases) {
    ExpectEnded(AdminRun(words, "n3w\n").Wait(), 1, said);
    EXPECT_EQ(Contents(Db()), before) << words[0];
  }
  Db().Execute("DROP INDEX Preferences_Description");
  ExpectPrinted(AdminRun({"import", file, "--replace", "--dry-run"}, "n3w\n").Wait(), 0,
                "accounts: 1 added, 1 changed, 2 unchanged\nDry run: nothing was changed.");
  EXPECT_EQ(Contents(Db()), before);
  ExpectDone(AdminRun({"user", "import", WriteFile("carol.csv", carol)}, "n3w\n").Wait());
  EXPECT_EQ(Db().Query("SELECT Password, Permissions FROM Users WHERE UserName = 'carol, jr'"),
            (Rows{{Digest("pw"), "5"}}));
}

}  // namespace
