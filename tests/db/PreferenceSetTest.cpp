// The preference set: defaults, parsing, and the three store modes against real engines.

#include <gtest/gtest.h>

#include "db/ConnectString.h"
#include "db/PreferenceSet.h"
#include "tests/support/DatabaseTest.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(PreferenceSetParsing, NumbersAreTheLeadingDecimalIntegerOfTheText) {
  PreferenceSet set;
  const std::pair<std::string, int32_t> cases[] = {
      {"2121", 2121}, {"  42abc", 42}, {"abc", 0}, {"", 0}, {"-7", -7}, {"+8", 8}, {"99999999999", 2147483647}};
  for (const auto& [text, port] : cases) {
    set.ApplySetting("FTP Port", text);
    EXPECT_EQ(set.ftpPort, port) << '"' << text << '"';
  }
  set.ApplySetting("Welcome Message", "  it's 5 o'clock ");
  EXPECT_EQ(set.welcomeMessage, "  it's 5 o'clock ");
  set.ApplySetting("ftp port", "1");
  set.ApplySetting("", "1");
  EXPECT_EQ(set.ftpPort, 2147483647);

  std::string text = "unchanged";
  set.SettingText("Unknown", text, 0);
  EXPECT_EQ(text, "unchanged");
}

TEST(PreferenceSetCopy, ACopyTakesTheValuesButNeverTheRows) {
  PreferenceSet page;
  page.rows.push_back({"FTP Port", 5, 1, "21"});
  PreferenceSet dialog = page;
  EXPECT_TRUE(dialog.rows.empty());
  dialog.ftpPort = 2121;
  page = dialog;
  EXPECT_EQ(page.ftpPort, 2121);
  EXPECT_EQ(page.rows.size(), 1u);
}

class PreferenceSetTest : public DatabaseTest {
 protected:
  Rows StoredRows(int32_t server) {
    return Db().Query("SELECT Description, Settings FROM Preferences WHERE VirtualServerID = ? ORDER BY PreferenceID",
                      {server});
  }
};
VELTRANE_ON_ALL_ENGINES(PreferenceSetTest);

TEST_P(PreferenceSetTest, AServerWithoutRowsShowsDefaultsAndModeOneCreatesTheEightRowsInOrder) {
  PreferenceSet set;
  EXPECT_EQ(set.LoadPreferences(7), 0);
  set.StorePreferences(7, PreferenceSet::kCreateRows);
  EXPECT_EQ(StoredRows(7), (Rows{{"FTP Port", "21"},
                                 {"Welcome Message", "Welcome to FTP Service"},
                                 {"GoodBye Message", "GoodBye"},
                                 {"Anonymous", "0"},
                                 {"Max Connections", "10"},
                                 {"Max Connections Per IP", "3"},
                                 {"Max Connections Per User", "3"},
                                 {"Connection Timeout", "5"}}));
  EXPECT_TRUE(set.rows.empty());
  EXPECT_TRUE(Boxes().Boxes().empty());
}

TEST_P(PreferenceSetTest, ModeTwoWritesBackOnlyTheLoadedRows) {
  Db().Execute("INSERT INTO Preferences (Description, Settings, VirtualServerID) VALUES "
               "('FTP Port', '2121', 7), ('ftp port', 'keep me', 7), ('Anonymous', '1', 7), ('FTP Port', '1', 8)");
  PreferenceSet set;
  EXPECT_EQ(set.LoadPreferences(7), 3);
  EXPECT_EQ(set.ftpPort, 2121);
  EXPECT_EQ(set.anonymous, 1);
  EXPECT_EQ(set.maxConnections, 10);
  set.ftpPort = 990;
  set.welcomeMessage = "Hello, 'friend'";
  set.StorePreferences(7, PreferenceSet::kWriteLoadedRows);
  EXPECT_EQ(StoredRows(7), (Rows{{"FTP Port", "990"}, {"ftp port", "keep me"}, {"Anonymous", "1"}}));
  EXPECT_EQ(StoredRows(8), (Rows{{"FTP Port", "1"}}));
}

TEST_P(PreferenceSetTest, ModeThreeDeletesTheLoadedRowsAndForgetsThem) {
  Db().Execute("INSERT INTO Preferences (Description, Settings, VirtualServerID) VALUES "
               "('FTP Port', '21', 7), ('Anonymous', '1', 7), ('FTP Port', '1', 8)");
  PreferenceSet set;
  set.LoadPreferences(7);
  set.StorePreferences(7, PreferenceSet::kDeleteLoadedRows);
  EXPECT_TRUE(set.rows.empty());
  EXPECT_TRUE(StoredRows(7).empty());
  EXPECT_EQ(StoredRows(8).size(), 1u);
}

TEST_P(PreferenceSetTest, AStoreThatFailsReportsItOnce) {
  PreferenceSet set;
  connectString() = "ODBC;DSN=NoSuchSource";
  set.StorePreferences(7, PreferenceSet::kCreateRows);
  ASSERT_EQ(Boxes().Boxes().size(), 1u);
  EXPECT_EQ(Boxes().Boxes()[0].caption, "Error!!");
  EXPECT_EQ(set.LoadPreferences(7), 0);
  EXPECT_EQ(set.virtualServerId, 7);
}

}  // namespace
