#include "ui/GeneralPage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "db/ConfigDatabase.h"
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

// The eight fields, in the order of the stored rows.
Names Shown(const ScriptedWindow& w) {
  return {w.Text(kPort), w.Text(kWelcome), w.Text(kGoodbye), w.Checked(kAnonymous) ? "1" : "0",
          w.Text(kMax),  w.Text(kPerIp),   w.Text(kPerUser), w.Text(kTimeout)};
}

const Names kDefaults{"21", "Welcome to FTP Service", "GoodBye", "0", "10", "3", "3", "5"};

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
    SetServiceControlBackend(nullptr);
    SetClock(nullptr);
    SetLocalAddressSource({});
    DatabaseTest::TearDown();
  }

  // Opens the sheet, on the General page, over the computers the database holds; the user's
  // part is in ui.steps.
  void OpenSheet() {
    db.LoadComputers();
    sheet.AttachDatabase(&db);
    sheet.DoModal();
    ui.ExpectScriptDone();
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

TEST_P(GeneralPageTest, ShowsThisHostsVirtualServersOfTheRememberedComputerAndItsSite) {
  const int alpha = rows->Computer("alpha", "10.0.0.1");
  rows->Preference(rows->VirtualServer(alpha, "10.0.0.12"), "FTP Port", "990");
  rows->VirtualServer(alpha, "172.16.0.9");
  rows->VirtualServer(alpha, "10.0.0.1");
  rows->VirtualServer(alpha, "192.168.5.5");
  rows->VirtualServer(rows->Computer("foreign"), "172.16.0.10");
  db.computerName = "ALP";
  ui.steps.Window([](ScriptedWindow& w) {
    EXPECT_EQ(Entries(w, kComputer), (Names{"(local)", "alpha", "foreign"}));
    EXPECT_EQ(w.Text(kComputer), "alpha");
    EXPECT_EQ(Entries(w, kServer), (Names{"(Default)", "10.0.0.12", "10.0.0.1", "192.168.5.5"}));
    EXPECT_EQ(w.Text(kServer), "10.0.0.12");  // the first entry that begins with the site
    Names expected = kDefaults;
    expected[0] = "990";
    EXPECT_EQ(Shown(w), expected);
    w.Select(kServer, "192.168.5.5");  // no rows: the defaults, not what was shown before
    EXPECT_EQ(Shown(w), kDefaults);
    EXPECT_TRUE(w.Enabled(kEdit));
    w.Select(kComputer, "foreign");
    EXPECT_EQ(Entries(w, kServer), Names{"(Default)"});
    w.Select(kComputer, "(local)");
    EXPECT_EQ(Entries(w, kServer), Names{"(Default)"});
    EXPECT_EQ(Shown(w), kDefaults);
    EXPECT_FALSE(w.Enabled(kEdit));
    w.CloseSheet(false);
  });
  OpenSheet();
}

TEST_P(GeneralPageTest, EditPreferencesInsertsTheEightRowsOnceThenUpdatesThemAndCancelWritesNothing) {
  const int server = rows->VirtualServer(rows->Computer("alpha"), "10.0.0.1");
  db.computerName = "alpha";
  const auto edit = [](const char* port, int button) {
    return [=](ScriptedWindow& w) {
      EXPECT_EQ(w.Text(7029), "Preferences for 10.0.0.1");
      w.SetText(1033, port);
      w.Click(button);
    };
  };
  ui.steps
      .Window([](ScriptedWindow& w) {
        w.Select(kServer, "10.0.0.1");
        for (int i = 0; i < 3; ++i) w.Click(kEdit);
        EXPECT_EQ(w.Text(kPort), "2222");
        w.CloseSheet(false);
      })
      .Window(edit("21", IDOK))
      .Window(edit("2222", IDOK))
      .Window(edit("1", IDCANCEL));
  OpenSheet();

  EXPECT_EQ(Db().Query("SELECT Description, Settings FROM Preferences WHERE VirtualServerID = ? ORDER BY PreferenceID",
                       {server}),
            (Rows{{"FTP Port", "2222"},
                  {"Welcome Message", "Welcome to FTP Service"},
                  {"GoodBye Message", "GoodBye"},
                  {"Anonymous", "0"},
                  {"Max Connections", "10"},
                  {"Max Connections Per IP", "3"},
                  {"Max Connections Per User", "3"},
                  {"Connection Timeout", "5"}}));
}

TEST_P(GeneralPageTest, OnlyAChangeInAddComputerRefreshesThePageAndMarksTheOtherPagesStale) {
  ui.steps
      .Window([&](ScriptedWindow& w) {
        w.Click(kAddComputer);
        EXPECT_EQ(sheet.m_staleMask, 0);
        w.Click(kAddComputer);
        EXPECT_EQ(Entries(w, kComputer), (Names{"(local)", "beta"}));
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
  const auto closeOn = [&](const char* computer, const char* server) {
    ui.steps.Window([=](ScriptedWindow& w) {
      w.Select(kComputer, computer);
      w.Select(kServer, server);
      w.CloseSheet(true);
    });
    OpenSheet();
    return Db().Query("SELECT Name, CurrentSite FROM VirtualServerGroup");
  };

  EXPECT_EQ(closeOn("alpha", "10.0.0.12"), (Rows{{"alpha", "10.0.0.12"}}));
  EXPECT_EQ(db.computerName, "alpha");
  EXPECT_EQ(closeOn("alpha", "(Default)"), (Rows{{"alpha", ""}}));
  Db().Execute("UPDATE VirtualServerGroup SET CurrentSite = '10.0.0.1'");
  EXPECT_EQ(closeOn("(local)", "(Default)"), (Rows{{"alpha", "10.0.0.1"}}));
  EXPECT_EQ(db.computerName, "");
}

TEST_P(GeneralPageTest, ServiceButtonsFollowTheServiceOnEachTick) {
  ui.steps.Window([&](ScriptedWindow& w) {
    const auto shown = [&] { return std::make_tuple(w.Text(kState), w.Enabled(kStart), w.Enabled(kStop)); };
    const auto tick = [&](DWORD state) {
      ftp.status = SimulatedStatus(state);
      w.FireTimer(1);
      return shown();
    };
    EXPECT_EQ(shown(), std::make_tuple("Stopped", true, false));
    EXPECT_EQ(tick(SERVICE_RUNNING), std::make_tuple("Running", false, true));
    EXPECT_EQ(tick(SERVICE_PAUSED), std::make_tuple("Paused", false, false));
    EXPECT_EQ(tick(SERVICE_START_PENDING), std::make_tuple("Starting", false, false));
    EXPECT_EQ(tick(SERVICE_STOPPED), std::make_tuple("Stopped", true, false));
    // Without a service manager nothing changes, and Start says it failed.
    services->openManagerError = RPC_S_SERVER_UNAVAILABLE;
    EXPECT_EQ(tick(SERVICE_RUNNING), std::make_tuple("Stopped", true, false));
    w.Click(kStart);
    services->openManagerError = ERROR_SUCCESS;
    ftp.status = SimulatedStatus(SERVICE_STOPPED);
    w.Click(kStart);
    EXPECT_EQ(shown(), std::make_tuple("Stopped", true, false));  // until the next tick
    w.FireTimer(1);
    EXPECT_EQ(shown(), std::make_tuple("Running", false, true));
    ftp.stopError = ERROR_ACCESS_DENIED;
    w.Click(kStop);
    w.CloseSheet(false);
  });
  ui.steps.Message(IDOK).Message(IDOK);
  OpenSheet();
  EXPECT_THAT(ui.MessageTexts(), ElementsAre("Unable to Start Veltrane Server", "Unable to Stop Service"));
  EXPECT_EQ(ftp.status.dwCurrentState, SERVICE_RUNNING);
}

}  // namespace
