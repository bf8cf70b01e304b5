#include "ui/GeneralPage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "db/ConfigDatabase.h"
#include "platform/LastError.h"
#include "platform/LocalAddresses.h"
#include "platform/ServiceManager.h"
#include "platform/SimulatedServiceManager.h"
#include "service/FtpServiceControl.h"
#include "tests/support/DatabaseTest.h"
#include "tests/ui/ConfigRows.h"
#include "tests/ui/ScriptedUi.h"
#include "ui/FTPSheet.h"
#include "ui/ServiceBackendChoice.h"

namespace {

using ::testing::ElementsAre;
using Names = std::vector<std::string>;
using Rows = std::vector<std::vector<std::string>>;

enum : int {
  kState = 7000, kStart = 7001, kStop = 7002, kComputer = 7007, kAddComputer = 7016, kEdit = 7017,
  kServer = 7018, kPort = 7019, kWelcome = 7020, kGoodbye = 7021, kAnonymous = 7022, kMax = 7023,
  kPerIp = 7024, kPerUser = 7025, kTimeout = 7026,
};

// The eight fields in the order of the stored rows, as the page shows them.
std::vector<std::string> Shown(const ScriptedWindow& w) {
  return {w.Text(kPort), w.Text(kWelcome), w.Text(kGoodbye), w.Checked(kAnonymous) ? "1" : "0",
          w.Text(kMax),  w.Text(kPerIp),   w.Text(kPerUser), w.Text(kTimeout)};
}

const std::vector<std::string> kDefaults{"21", "Welcome to FTP Service", "GoodBye", "0", "10", "3", "3", "5"};

class GeneralPageTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    if (IsSkipped()) return;
    rows.emplace(Db());
    SetLocalAddressSource([] { return std::vector<std::string>{"10.0.0.12", "10.0.0.1", "192.168.5.5"}; });
    SelectServiceBackendOnce();  // the page's own choice, made before the test replaces it
    SetClock(clock);
    SetServiceControlBackend(services);
  }

  void TearDown() override {
    ui.ExpectScriptDone();
    SetServiceControlBackend(nullptr);
    SetClock(nullptr);
    SetLocalAddressSource({});
    DatabaseTest::TearDown();
  }

  // Opens the sheet, on the General page, over the computers as the database holds them;
  // the steps are taken from ui.steps.
  void OpenSheet() {
    db.LoadComputers();
    sheet.AttachDatabase(&db);
    sheet.DoModal();
  }

  Rows Preferences(int server) {
    return Db().Query("SELECT Description, Settings FROM Preferences WHERE VirtualServerID = ? ORDER BY PreferenceID",
                      {server});
  }

  std::optional<ConfigRows> rows;
  ConfigDatabase db;
  CFTPSheet sheet{"Veltrane Properties"};
  ScriptedUi ui;
  std::shared_ptr<SimulatedClock> clock = std::make_shared<SimulatedClock>();
  std::shared_ptr<SimulatedServiceManager> services = std::make_shared<SimulatedServiceManager>(clock);
  SimulatedService& ftp = services->AddService(kFtpServiceName);
};
VELTRANE_ON_ALL_ENGINES(GeneralPageTest);

TEST_P(GeneralPageTest, ListsOnlyThisHostsVirtualServersOfTheChosenComputer) {
  const int alpha = rows->Computer("alpha");
  rows->VirtualServer(alpha, "10.0.0.1");
  rows->VirtualServer(alpha, "172.16.0.9");
  rows->VirtualServer(alpha, "10.0.0.12");
  const int foreign = rows->Computer("foreign");
  rows->VirtualServer(foreign, "172.16.0.10");
  ui.steps.Window([](ScriptedWindow& w) {
    EXPECT_EQ(Entries(w, kComputer), (Names{"(local)", "alpha", "foreign"}));
    EXPECT_EQ(w.Text(kComputer), "(local)");
    EXPECT_EQ(Entries(w, kServer), Names{"(Default)"});
    EXPECT_EQ(Shown(w), kDefaults);
    EXPECT_FALSE(w.Enabled(kEdit));
    w.Select(kComputer, "foreign");
    EXPECT_EQ(Entries(w, kServer), Names{"(Default)"});
    w.Select(kComputer, "alpha");
    EXPECT_EQ(Entries(w, kServer), (Names{"(Default)", "10.0.0.1", "10.0.0.12"}));
    EXPECT_EQ(w.Text(kServer), "(Default)");
    w.CloseSheet(false);
  });
  OpenSheet();
}

TEST_P(GeneralPageTest, StartsOnTheRememberedComputerAndTheFirstEntryBeginningWithItsSite) {
  const int alpha = rows->Computer("alpha", "10.0.0.1");
  rows->VirtualServer(alpha, "10.0.0.12");
  rows->VirtualServer(alpha, "10.0.0.1");
  const int single = rows->Computer("single", "10.0.0.99");
  rows->VirtualServer(single, "192.168.5.5");
  rows->Computer("none", "10.0.0.1");
  db.computerName = "ALP";
  ui.steps.Window([](ScriptedWindow& w) {
    EXPECT_EQ(w.Text(kComputer), "alpha");
    EXPECT_EQ(w.Text(kServer), "10.0.0.12");
    EXPECT_TRUE(w.Enabled(kEdit));
    // A site that names no listed entry leaves the choice empty and the fields as they were.
    w.Select(kComputer, "single");
    EXPECT_EQ(w.Selection(kServer), -1);
    EXPECT_TRUE(w.Enabled(kEdit));
    w.Select(kComputer, "none");
    EXPECT_EQ(w.Text(kServer), "(Default)");
    EXPECT_FALSE(w.Enabled(kEdit));
    w.CloseSheet(false);
  });
  OpenSheet();
}

TEST_P(GeneralPageTest, SettingsWithoutARowShowTheirDefaultsWhateverWasShownBefore) {
  const int alpha = rows->Computer("alpha");
  const int full = rows->VirtualServer(alpha, "10.0.0.1");
  const std::vector<std::string> stored{"2121", "H\xC3\xA9llo 'all'", "Ciao", "1", "50", "4", "6", "15"};
  const char* names[] = {"FTP Port", "Welcome Message", "GoodBye Message", "Anonymous", "Max Connections",
                         "Max Connections Per IP", "Max Connections Per User", "Connection Timeout"};
  for (size_t i = 0; i < stored.size(); ++i) rows->Preference(full, names[i], stored[i]);
  const int partial = rows->VirtualServer(alpha, "10.0.0.12");
  rows->Preference(partial, "FTP Port", "990");
  db.computerName = "alpha";
  ui.steps.Window([&](ScriptedWindow& w) {
    w.Select(kServer, "10.0.0.1");
    EXPECT_EQ(Shown(w), stored);
    w.Select(kServer, "10.0.0.12");
    std::vector<std::string> expected = kDefaults;
    expected[0] = "990";
    EXPECT_EQ(Shown(w), expected);
    w.Select(kServer, "(Default)");
    EXPECT_EQ(Shown(w), kDefaults);
    w.CloseSheet(false);
  });
  OpenSheet();
}

TEST_P(GeneralPageTest, EditPreferencesInsertsTheEightRowsOnceThenUpdatesThemAndCancelWritesNothing) {
  const int server = rows->VirtualServer(rows->Computer("alpha"), "10.0.0.1");
  db.computerName = "alpha";
  const auto edit = [](const char* port, const char* welcome, int button) {
    return [=](ScriptedWindow& w) {
      EXPECT_EQ(w.Text(7029), "Preferences for 10.0.0.1");
      w.SetText(1033, port);
      w.SetText(1038, welcome);
      w.Click(button);
    };
  };
  ui.steps
      .Window([&](ScriptedWindow& w) {
        w.Select(kServer, "10.0.0.1");
        w.Click(kEdit);
        EXPECT_EQ(w.Text(kPort), "2121");
        w.Click(kEdit);
        EXPECT_EQ(w.Text(kWelcome), "Hi \"there\"");
        w.Click(kEdit);
        w.CloseSheet(false);
      })
      .Window(edit("2121", "Welcome to FTP Service", IDOK))
      .Window(edit("2222", "Hi \"there\"", IDOK))
      .Window(edit("1", "x", IDCANCEL));
  OpenSheet();

  EXPECT_EQ(Preferences(server), (Rows{{"FTP Port", "2222"},
                                       {"Welcome Message", "Hi \"there\""},
                                       {"GoodBye Message", "GoodBye"},
                                       {"Anonymous", "0"},
                                       {"Max Connections", "10"},
                                       {"Max Connections Per IP", "3"},
                                       {"Max Connections Per User", "3"},
                                       {"Connection Timeout", "5"}}));
}

TEST_P(GeneralPageTest, AChangeInAddComputerRefreshesThePageAndMarksTheOtherPagesStale) {
  rows->Computer("alpha");
  ui.steps
      .Window([&](ScriptedWindow& w) {
        w.Click(kAddComputer);
        EXPECT_EQ(sheet.m_staleMask, 0);
        w.Click(kAddComputer);
        EXPECT_EQ(Entries(w, kComputer), (Names{"(local)", "alpha", "beta"}));
        EXPECT_EQ(sheet.m_staleMask, CFTPSheet::kSitePageBit | CFTPSheet::kUsersPageBit);
        w.CloseSheet(false);
      })
      .Window([](ScriptedWindow& dlg) { dlg.Click(IDOK); })
      .Window([](ScriptedWindow& dlg) {
        dlg.SetText(7028, "beta");
        dlg.Click(7011);
        dlg.Click(IDOK);
      });
  OpenSheet();
}

TEST_P(GeneralPageTest, OKRemembersTheComputerAndItsSiteButLocalWritesNoRow) {
  const int alpha = rows->Computer("alpha", "10.0.0.1");
  rows->VirtualServer(alpha, "10.0.0.1");
  rows->VirtualServer(alpha, "10.0.0.12");
  const auto sites = [&] { return Db().Query("SELECT Name, CurrentSite FROM VirtualServerGroup"); };
  const auto closeOn = [&](const char* computer, const char* server) {
    ui.steps.Window([=](ScriptedWindow& w) {
      w.Select(kComputer, computer);
      if (server) w.Select(kServer, server);
      w.CloseSheet(true);
    });
    OpenSheet();
  };

  closeOn("alpha", "10.0.0.12");
  EXPECT_EQ(db.computerName, "alpha");
  EXPECT_EQ(sites(), (Rows{{"alpha", "10.0.0.12"}}));
  closeOn("alpha", "(Default)");
  EXPECT_EQ(sites(), (Rows{{"alpha", ""}}));
  Db().Execute("UPDATE VirtualServerGroup SET CurrentSite = '10.0.0.1'");
  closeOn("(local)", nullptr);
  EXPECT_EQ(db.computerName, "");
  EXPECT_EQ(sites(), (Rows{{"alpha", "10.0.0.1"}}));
}

TEST_P(GeneralPageTest, ServiceButtonsFollowTheServiceOnEachTick) {
  ftp.status = SimulatedStatus(SERVICE_STOPPED);
  ui.steps.Window([&](ScriptedWindow& w) {
    const auto display = [&] { return std::make_tuple(w.Text(kState), w.Enabled(kStart), w.Enabled(kStop)); };
    EXPECT_EQ(display(), std::make_tuple("Stopped", true, false));
    ftp.status = SimulatedStatus(SERVICE_RUNNING);
    EXPECT_EQ(display(), std::make_tuple("Stopped", true, false));  // only a tick looks again
    w.FireTimer(1);
    EXPECT_EQ(display(), std::make_tuple("Running", false, true));
    ftp.status = SimulatedStatus(SERVICE_PAUSED);
    w.FireTimer(1);
    EXPECT_EQ(display(), std::make_tuple("Paused", false, false));
    ftp.status = SimulatedStatus(SERVICE_START_PENDING);
    w.FireTimer(1);
    EXPECT_EQ(display(), std::make_tuple("Starting", false, false));
    // An unreachable service manager changes nothing, and a start through it fails.
    ftp.status = SimulatedStatus(SERVICE_STOPPED);
    w.FireTimer(1);
    services->openManagerError = RPC_S_SERVER_UNAVAILABLE;
    w.FireTimer(1);
    EXPECT_EQ(display(), std::make_tuple("Stopped", true, false));
    w.Click(kStart);
    services->openManagerError = ERROR_SUCCESS;
    w.Click(kStart);
    EXPECT_EQ(display(), std::make_tuple("Stopped", true, false));
    w.FireTimer(1);
    EXPECT_EQ(display(), std::make_tuple("Running", false, true));
    ftp.stopError = ERROR_ACCESS_DENIED;
    w.Click(kStop);
    w.CloseSheet(false);
  });
  ui.steps.Message(IDOK).Message(IDOK);
  OpenSheet();
  EXPECT_THAT(ui.MessageTexts(), ElementsAre("Unable to Start Veltrane Server", "Unable to Stop Service"));
}

}  // namespace
