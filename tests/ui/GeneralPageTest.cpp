// The General page with its Edit Preferences and Add Computer dialogs against real engines,
// over a simulated FTP service (or a service manager on a private bus) and a fixed list of
// this host's addresses.

#include "ui/GeneralPage.h"

#include <gmock/gmock.h>

#include "SystemdMock.h"
#include "platform/LocalAddresses.h"
#include "tests/support/SimulatedServiceManager.h"
#include "platform/SystemdServiceBackend.h"
#include "service/FtpServiceControl.h"
#include "tests/ui/UiTest.h"
#include "ui/AddComputerDlg.h"
#include "ui/GetLocalAddresses.h"
#include "ui/PreferencesDlg.h"

namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

enum : int {
  kState = 7000, kStart = 7001, kStop = 7002, kComputer = 7007, kAddComputer = 7016, kEdit = 7017,
  kServer = 7018, kPort = 7019, kWelcome = 7020, kGoodbye = 7021, kAnonymous = 7022, kMax = 7023,
  kPerIp = 7024, kPerUser = 7025, kTimeout = 7026,
};
// In the Add Computer dialog.
constexpr int kComputers = 7027, kDeleteComputer = 7012, kName = 7028, kSave = 7011;

// The eight fields, in the order of the stored rows.
Texts Shown(const ScriptedWindow& w) {
  return {w.Text(kPort), w.Text(kWelcome), w.Text(kGoodbye), w.Checked(kAnonymous) ? "1" : "0",
          w.Text(kMax),  w.Text(kPerIp),   w.Text(kPerUser), w.Text(kTimeout)};
}
const Texts kDefaults{"21", "Welcome to FTP Service", "GoodBye", "0", "10", "3", "3", "5"};
const Texts kNames{"FTP Port", "Welcome Message", "GoodBye Message", "Anonymous", "Max Connections",
                   "Max Connections Per IP", "Max Connections Per User", "Connection Timeout"};

// 255 characters of two bytes each: they fit on either engine.
std::string Longest() {
  std::string text;
  for (int i = 0; i < 255; ++i) text += "\xC3\xA9";
  return text;
}

TEST(GetLocalAddresses, AppendsInResolverOrderAndAnUnresolvableHostAddsNothing) {
  SetLocalAddressSource([] { return std::vector<std::string>{"10.0.0.12", "10.0.0.1"}; });
  std::vector<std::string> addresses{"192.168.1.1"};
  EXPECT_EQ(GetLocalAddresses(addresses), 3);
  SetLocalAddressSource([] { return std::nullopt; });
  EXPECT_EQ(GetLocalAddresses(addresses), 3);
  SetLocalAddressSource({});
  EXPECT_EQ(addresses, (Texts{"192.168.1.1", "10.0.0.12", "10.0.0.1"}));
}

TEST(PreferencesDlg, ATextTooLongForItsColumnKeepsTheDialogOpenWithTheFocusOnIt) {
  ScriptedUi ui;
  CPreferencesDlg dlg;
  ui.steps
      .Window([&](ScriptedWindow& w) {
        w.SetText(1040, Longest());
        w.SetText(1038, Longest() + "x");
        w.Click(IDOK);
        EXPECT_EQ(w.FocusId(), 1038);
        w.SetText(1038, "Hi");
        w.Click(IDOK);
      })
      .Message(IDOK);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(ui.steps.Messages()[0].caption, "Invalid Value");
  EXPECT_EQ(dlg.m_prefs.goodbyeMessage, Longest());
  ui.ExpectScriptDone();
}

class GeneralPageTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    SetLocalAddressSource([] { return std::vector<std::string>{"10.0.0.12", "10.0.0.1", "192.168.5.5"}; });
    SetClock(clock);
    SetServiceControlBackend(services);
  }
  void TearDown() override {
    SetServiceControlBackend(nullptr);
    SetClock(nullptr);
    SetLocalAddressSource({});
    UiTest::TearDown();
  }

  // Runs the Add Computer dialog over the computers the database holds; returns m_bChanged.
  int RunAddComputer(CAddComputerDlg& dlg) {
    session.LoadComputers();
    dlg.m_pDatabase = &session;
    dlg.DoModal();
    return dlg.m_bChanged;
  }
  // Chooses the computer with that key as a user would, also where names are shared.
  static void Choose(CAddComputerDlg& dlg, int computerId) {
    for (int i = 0; i < dlg.m_cbComputer.GetCount(); ++i)
      if (dlg.m_cbComputer.GetItemData(i) == static_cast<DWORD_PTR>(computerId)) dlg.m_cbComputer.SetCurSel(i);
    dlg.OnCommand(kComputers, CBN_SELCHANGE);
  }

  std::shared_ptr<SimulatedClock> clock = std::make_shared<SimulatedClock>();
  std::shared_ptr<SimulatedServiceManager> services = std::make_shared<SimulatedServiceManager>(clock);
  SimulatedService& ftp = services->AddService(kFtpServiceName);
};
VELTRANE_ON_ALL_ENGINES(GeneralPageTest);

TEST_P(GeneralPageTest, ShowsThisHostsVirtualServersOfTheRememberedComputerAndItsSite) {
  const int alpha = Computer("alpha", "10.0.0.1");
  Preference(VirtualServer(alpha, "10.0.0.12"), "FTP Port", "990");
  VirtualServer(alpha, "172.16.0.9");
  VirtualServer(alpha, "10.0.0.1");
  VirtualServer(alpha, "192.168.5.5");
  VirtualServer(Computer("foreign"), "172.16.0.10");
  session.computerName = "ALP";
  steps.Window(OnPage([](ScriptedWindow& w) {
    EXPECT_EQ(Column(w, kComputer), (Texts{"(local)", "alpha", "foreign"}));
    EXPECT_EQ(w.Text(kComputer), "alpha");
    EXPECT_EQ(Column(w, kServer), (Texts{"(Default)", "10.0.0.12", "10.0.0.1", "192.168.5.5"}));
    EXPECT_EQ(w.Text(kServer), "10.0.0.12");  // the first entry that begins with the site
    EXPECT_EQ(Shown(w)[0], "990");
    w.Select(kServer, "192.168.5.5");  // no rows: the defaults, not what was shown before
    EXPECT_EQ(Shown(w), kDefaults);
    w.Select(kComputer, "foreign");
    EXPECT_EQ(Column(w, kServer), Texts{"(Default)"});
    w.Select(kComputer, "(local)");
    EXPECT_EQ(Column(w, kServer), Texts{"(Default)"});
    EXPECT_EQ(Shown(w), kDefaults);
    EXPECT_FALSE(w.Enabled(kEdit));
    w.CloseSheet(false);
  }));
  RunSheet<CGeneralPage>();
}

TEST_P(GeneralPageTest, ACurrentSiteNoAddressMatchesKeepsDefaultChosen) {
  const int alpha = Computer("alpha", "10.9.9.9");  // written by another machine
  Preference(VirtualServer(alpha, "10.0.0.1"), "FTP Port", "990");
  session.computerName = "alpha";
  steps.Window(OnPage([](ScriptedWindow& w) {
    EXPECT_EQ(w.Text(kServer), "(Default)");
    EXPECT_EQ(Shown(w), kDefaults);
    EXPECT_FALSE(w.Enabled(kEdit));
    w.CloseSheet(false);
  }));
  RunSheet<CGeneralPage>();
}

TEST_P(GeneralPageTest, AddComputerRefreshesOnlyOnAChangeAndEditPreferencesInsertsTheEightRowsOnce) {
  const int server = VirtualServer(Computer("alpha"), "10.0.0.1");
  session.computerName = "alpha";
  const auto edit = [](const char* port, int button) {
    return [=](ScriptedWindow& d) {
      EXPECT_EQ(d.Text(7029), "Preferences for 10.0.0.1");
      d.SetText(1033, port);
      d.Click(button);
    };
  };
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.Click(kAddComputer);
    EXPECT_EQ(pSheet->m_staleMask, 0);
    w.Click(kAddComputer);
    EXPECT_EQ(Column(w, kComputer), (Texts{"(local)", "alpha", "beta"}));
    EXPECT_EQ(pSheet->m_staleMask, CFTPSheet::kSitePageBit | CFTPSheet::kUsersPageBit);
    w.Select(kComputer, "alpha");
    w.Select(kServer, "10.0.0.1");
    for (int i = 0; i < 3; ++i) w.Click(kEdit);
    EXPECT_EQ(w.Text(kPort), "2222");
  }));
  steps.Window([](ScriptedWindow& d) { d.Click(IDOK); });
  steps.Window([](ScriptedWindow& d) {
    d.SetText(kName, "beta");
    d.Click(kSave);
    d.Click(IDOK);
  });
  steps.Window(edit("21", IDOK)).Window(edit("2222", IDOK)).Window(edit("1", IDCANCEL));
  RunSheet<CGeneralPage>();
  Rows expected;
  for (size_t i = 0; i < kNames.size(); ++i) expected.push_back({kNames[i], i == 0 ? "2222" : kDefaults[i]});
  EXPECT_EQ(Db().Query("SELECT Description, Settings FROM Preferences WHERE VirtualServerID = ? ORDER BY PreferenceID",
                       {server}),
            expected);
}

// Another program stored values the fields can show only approximately; an edit of the port
// rewrites the port alone.
TEST_P(GeneralPageTest, EditPreferencesRewritesOnlyTheSettingsTheUserChanged) {
  const int server = VirtualServer(Computer("alpha"), "10.0.0.1");
  const std::string welcome = GetParam() == Engine::SQLite ? std::string(300, 'w') : "Hi";  // SQLite keeps any length
  Texts stored{"21", welcome, "Bye", "5", "99999999999", "3", "3", "5 minutes"};
  for (size_t i = 0; i < kNames.size(); ++i) Preference(server, kNames[i], stored[i]);
  session.computerName = "alpha";
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.Select(kServer, "10.0.0.1");
    EXPECT_EQ(w.Text(kMax), "2147483647");
    EXPECT_TRUE(w.Checked(kAnonymous));
    w.Click(kEdit);
  }));
  steps.Window([](ScriptedWindow& d) {
    d.SetText(1033, "2121");
    d.Click(IDOK);
  });
  RunSheet<CGeneralPage>();
  stored[0] = "2121";
  Rows expected;
  for (const std::string& text : stored) expected.push_back({text});
  EXPECT_EQ(Db().Query("SELECT Settings FROM Preferences ORDER BY PreferenceID"), expected);
}

TEST_P(GeneralPageTest, OKRemembersTheComputerAndItsSiteButLocalWritesNoRow) {
  const int alpha = Computer("alpha", "10.0.0.1");
  VirtualServer(alpha, "10.0.0.1");
  VirtualServer(alpha, "10.0.0.12");
  const auto closeOn = [&](const char* computer, const char* server) {
    steps.Window([=](ScriptedWindow& w) {
      w.Select(kComputer, computer);
      w.Select(kServer, server);
      w.CloseSheet(true);
    });
    RunSheet<CGeneralPage>();
    return Db().Query("SELECT Name, CurrentSite FROM VirtualServerGroup");
  };
  EXPECT_EQ(closeOn("alpha", "10.0.0.12"), (Rows{{"alpha", "10.0.0.12"}}));
  EXPECT_EQ(session.computerName, "alpha");
  EXPECT_EQ(closeOn("alpha", "(Default)"), (Rows{{"alpha", ""}}));
  Db().Execute("UPDATE VirtualServerGroup SET CurrentSite = '10.0.0.1'");
  EXPECT_EQ(closeOn("(local)", "(Default)"), (Rows{{"alpha", "10.0.0.1"}}));
  EXPECT_EQ(session.computerName, "");
}

TEST_P(GeneralPageTest, ServiceButtonsFollowTheServiceOnEachTick) {
  steps.Window([&](ScriptedWindow& w) {
    const auto shown = [&] { return std::make_tuple(w.Text(kState), w.Enabled(kStart), w.Enabled(kStop)); };
    const auto tick = [&](DWORD state) {
      ftp.status = SimulatedStatus(state);
      w.FireTimer(1);
      return shown();
    };
    EXPECT_EQ(shown(), std::make_tuple("Stopped", true, false));
    EXPECT_EQ(tick(SERVICE_RUNNING), std::make_tuple("Running", false, true));
    EXPECT_EQ(tick(SERVICE_START_PENDING), std::make_tuple("Starting", false, false));
    EXPECT_EQ(tick(SERVICE_STOPPED), std::make_tuple("Stopped", true, false));
    // Without a service manager neither button is usable until it is back.
    services->openManagerError = RPC_S_SERVER_UNAVAILABLE;
    EXPECT_EQ(tick(SERVICE_RUNNING), std::make_tuple("Service manager not available", false, false));
    services->openManagerError = ERROR_SUCCESS;
    EXPECT_EQ(tick(SERVICE_STOPPED), std::make_tuple("Stopped", true, false));
    // A service that cannot be read leaves the display as it is; a refused start says so.
    ftp.queryError = ERROR_ACCESS_DENIED;
    EXPECT_EQ(tick(SERVICE_RUNNING), std::make_tuple("Stopped", true, false));
    ftp.queryError = ERROR_SUCCESS;
    ftp.status = SimulatedStatus(SERVICE_STOPPED);
    ftp.startError = ERROR_ACCESS_DENIED;
    w.Click(kStart);
    ftp.startError = ERROR_SUCCESS;
    w.Click(kStart);
    EXPECT_EQ(shown(), std::make_tuple("Stopped", true, false));  // until the next tick
    w.FireTimer(1);
    EXPECT_EQ(shown(), std::make_tuple("Running", false, true));
    ftp.stopError = ERROR_ACCESS_DENIED;
    w.Click(kStop);
    w.CloseSheet(false);
  });
  steps.Message(IDOK).Message(IDOK);
  RunSheet<CGeneralPage>();
  EXPECT_THAT(MessageTexts(), ElementsAre("Unable to Start Veltrane Server", "Unable to Stop Service"));
  EXPECT_EQ(ftp.status.dwCurrentState, SERVICE_RUNNING);
}

TEST_P(GeneralPageTest, AServiceManagerThatNeverAnswersLeavesThePageAndItsTimerRunning) {
  SystemdMock mock;
  std::string skipReason;
  if (!mock.Start(skipReason)) GTEST_SKIP() << skipReason;
  mock.AddUnit("veltrane-server.service", "FTP server");
  SetServiceControlBackend(std::make_shared<SystemdServiceBackend>(
      std::map<std::string, std::string>{{kFtpServiceName, "veltrane-server.service"}}));
  mock.FreezeManager();  // it keeps its name on the bus and never answers
  steps.Window([&](ScriptedWindow& w) {
    const auto shown = [&] { return std::make_tuple(w.Text(kState), w.Enabled(kStart), w.Enabled(kStop)); };
    EXPECT_EQ(shown(), std::make_tuple("Service manager not available", false, false));
    // Each tick returns while the one question in the background is still out.
    for (int tick = 0; tick < 5; ++tick) {
      w.FireTimer(1);
      EXPECT_EQ(shown(), std::make_tuple("Service manager not available", false, false));
    }
    w.Select(kComputer, "(local)");  // the page still does its work
    w.CloseSheet(false);
  });
  RunSheet<CGeneralPage>();
}

TEST_P(GeneralPageTest, AddComputerSavesExactlyAsTypedAndRefusesWhatCannotBeStored) {
  Computer("alpha", "10.0.0.1");
  const std::string quoted = "O'Hara's \"box\"";
  CAddComputerDlg dlg;
  steps.Window([&](ScriptedWindow& w) {
    w.SetText(kName, Longest() + "x");
    w.Click(kSave);
    EXPECT_EQ(dlg.m_bChanged, 0);
    EXPECT_EQ(w.FocusId(), kName);
    w.SetText(kName, Longest());
    w.Click(kSave);
    EXPECT_EQ(w.Text(kComputers), "<New>");
    w.SetText(kName, "alpha");
    w.Click(kSave);
    w.Select(kComputers, "alpha");
    w.SetText(kName, quoted);  // a rename
    w.Click(kSave);
    EXPECT_THAT(Column(w, kComputers), UnorderedElementsAre("<New>", quoted, Longest()));
    w.Click(IDOK);
  });
  steps.Message(IDOK).Message(IDOK);
  EXPECT_EQ(RunAddComputer(dlg), 1);
  EXPECT_EQ(steps.Messages()[0].caption, "Invalid Value");
  EXPECT_EQ(MessageTexts()[1], "Computer alpha already exists!!. Can not add it.");
  EXPECT_EQ(Db().Query("SELECT Name, CurrentSite FROM VirtualServerGroup ORDER BY ID"),
            (Rows{{quoted, "10.0.0.1"}, {Longest(), ""}}));
}

TEST_P(GeneralPageTest, DeleteComputerRemovesOnlyWhatIsUnderItEvenWhenNamesAreShared) {
  const int alpha = Computer("alpha"), beta = Computer("beta"), other = Computer("other");
  for (const int computer : {alpha, beta, other}) {
    const int server = VirtualServer(computer, "10.0.0." + std::to_string(computer));
    Preference(server, "FTP Port", "21");
    User(server, "u" + std::to_string(server));
  }
  // Rows left of a computer: its own, its virtual servers', their preferences', their users'.
  const auto left = [&](int computer) {
    const std::string id = std::to_string(computer);
    const std::string servers = "VirtualServerID IN (SELECT VServerID FROM VirtualServers WHERE VServerGroupID = " + id + ")";
    return Count("VirtualServerGroup", "ID = " + id) + Count("VirtualServers", "VServerGroupID = " + id) +
           Count("Preferences", servers) + Count("Users", servers);
  };
  CAddComputerDlg dlg;
  steps.Window([&](ScriptedWindow& w) {
    // A rename gives beta alpha's name: a delete by name would reach alpha's rows.
    w.Select(kComputers, "beta");
    w.SetText(kName, "alpha");
    w.Click(kSave);
    Choose(dlg, beta);
    w.Click(kDeleteComputer);  // No
    EXPECT_EQ(left(beta), 4);
    w.Click(kDeleteComputer);  // Yes
    EXPECT_EQ(left(beta), 0);
    EXPECT_EQ(left(alpha), 4);
    Choose(dlg, alpha);
    w.Click(kDeleteComputer);  // Yes
    w.Click(IDOK);
  });
  steps.Message(IDNO).Message(IDYES).Message(IDYES);
  EXPECT_EQ(RunAddComputer(dlg), 1);
  EXPECT_EQ(left(alpha), 0);
  EXPECT_EQ(left(other), 4);
}

}  // namespace
