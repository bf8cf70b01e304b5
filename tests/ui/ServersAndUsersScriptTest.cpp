// A whole session replayed by veltrane-control from a UI script against a fresh SQLite
// database, and what the database holds afterwards.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/applet/AppletEnvironment.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

class ServersAndUsersScriptTest : public ::testing::Test, public AppletEnvironment {
protected:
  // Replays the script; its output (standard output and error together) goes into `output`.
  int Replay(const std::string& name, std::string& output) {
    const std::string command =
        std::string("'") + HOST_PROGRAM + "' --ui-script '" + SCRIPT_FOLDER + "/" + name + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buffer[512];
    while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

TEST_F(ServersAndUsersScriptTest, ServersAndAccountsAddedAndDeletedLeaveOnlyTheComputer) {
  std::string output;
  ASSERT_EQ(Replay("users-and-servers.txt", output), 0) << output;
  EXPECT_EQ(output, "");
  EXPECT_EQ(db.Query("SELECT Name, CurrentSite FROM VirtualServerGroup"), (Rows{{"ftp-east", ""}}));
  EXPECT_EQ(db.Query("SELECT * FROM VirtualServers"), Rows{});
  EXPECT_EQ(db.Query("SELECT * FROM Preferences"), Rows{});
  EXPECT_EQ(db.Query("SELECT UserName, Flag FROM Users ORDER BY UserName"), (Rows{{"admin", "0"}, {"ftp", "0"}}));
}

}  // namespace
