// Whole sessions replayed by veltrane-control from UI scripts against the applet on a fresh
// SQLite database, and what the database holds afterwards.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "tests/applet/AppletEnvironment.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

class UiScriptTest : public ::testing::Test, public AppletEnvironment {
protected:
  // Replays the script file; the host's output, empty when all went as scripted.
  static std::string Replay(const std::string& path) {
    const std::string command = std::string("'") + HOST_PROGRAM + "' --ui-script '" + path + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return "cannot run " + command;
    std::string output;
    char buffer[512];
    while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
    const int status = pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) output += "(the host failed)";
    return output;
  }
};

TEST_F(UiScriptTest, ServersAndAccountsAddedAndDeletedLeaveOnlyTheComputer) {
  EXPECT_EQ(Replay(SCRIPT_FOLDER "/users-and-servers.txt"), "");
  EXPECT_EQ(db.Query("SELECT Name, CurrentSite FROM VirtualServerGroup"), (Rows{{"ftp-east", ""}}));
  EXPECT_EQ(db.Query("SELECT * FROM VirtualServers"), Rows{});
  EXPECT_EQ(db.Query("SELECT * FROM Preferences"), Rows{});
  EXPECT_EQ(db.Query("SELECT UserName, Flag FROM Users ORDER BY UserName"), (Rows{{"admin", "0"}, {"ftp", "0"}}));
}

}  // namespace
