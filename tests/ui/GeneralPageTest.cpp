// The General page with its Edit Preferences and Add Computer dialogs against real engines,
// over a simulated FTP service and a fixed list of this host's addresses.

#include "ui/GeneralPage.h"

#include "platform/LocalAddresses.h"
#include "tests/support/SimulatedServiceManager.h"
#include "service/FtpServiceControl.h"
#include "tests/ui/UiTest.h"
#include "ui/AddComputerDlg.h"

namespace {

// The eight fields, in the order of the stored rows.
Texts Shown(const ScriptedWindow& w) {
  return {w.Text(IDC_SHOWN_FTP_PORT),        w.Text(IDC_SHOWN_WELCOME),
          w.Text(IDC_SHOWN_GOODBYE),         w.Checked(IDC_SHOWN_ANONYMOUS) ? "1" : "0",
          w.Text(IDC_SHOWN_MAX_CONNECTIONS), w.Text(IDC_SHOWN_MAX_PER_IP),
          w.Text(IDC_SHOWN_MAX_PER_USER),    w.Text(IDC_SHOWN_TIMEOUT)};
}
const Texts kDefaults{"21", "Welcome to FTP Service", "GoodBye", "0", "10", "3", "3", "5"};
const Texts kNames{
    "FTP Port",        "Welcome Message",        "GoodBye Message",          "Anonymous",
    "Max Connections", "Max Connections Per IP", "Max Connections Per User", "Connection Timeout"};

// Checks that Edit Preferences is for `address`, types `port` and closes it with `button`.
ScriptSteps::WindowAction EditPort(const std::string& address, const std::string& port, int button = IDOK) {
  return [=](ScriptedWindow& d) {
    EXPECT_EQ(d.Text(IDC_PREFERENCES_CAPTION), "Preferences for " + address);
    d.SetText(IDC_FTP_PORT, port);
    d.Click(button);
  };
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

  std::tuple<std::string, bool, bool> ServiceShown(const ScriptedWindow& w) {
    return {w.Text(IDC_SERVICE_STATE), w.Enabled(IDC_START_SERVICE), w.Enabled(IDC_STOP_SERVICE)};
  }
  auto Tick(ScriptedWindow& w, DWORD state) {
    ftp.status = SimulatedStatus(state);
    w.FireTimer(1);
    return ServiceShown(w);
  }

  std::shared_ptr<SimulatedClock> clock = std::make_shared<SimulatedClock>();
  std::shared_ptr<SimulatedServiceManager> services = std::make_shared<SimulatedServiceManager>(clock);
  SimulatedService& ftp = services->AddService(kFtpServiceName);
};
VELTRANE_ON_ALL_ENGINES(GeneralPageTest);

// One run through the listing, Add Computer and OK; then OK on other choices.
TEST_P(GeneralPageTest, ListsThisHostsServersOfTheRememberedComputerAndOkRemembersTheChoice) {
  const int alpha = Computer("alpha", "10.0.0.1");
  Preference(VirtualServer(alpha, "10.0.0.12"), "FTP Port", "990");
  VirtualServer(alpha, "172.16.0.9");
  VirtualServer(alpha, "10.0.0.1");
  VirtualServer(alpha, "192.168.5.5");
  const int foreign = Computer("foreign", "10.9.9.9");  // a site written by another machine
  VirtualServer(foreign, "10.0.0.12");
  session.computerName = "ALP";
  steps.Window([&](ScriptedWindow& w) {
    EXPECT_EQ(Column(w, IDC_GENERAL_COMPUTER), (Texts{"(local)", "alpha", "foreign"}));
    EXPECT_EQ(w.Text(IDC_GENERAL_COMPUTER), "alpha");
    EXPECT_EQ(Column(w, IDC_GENERAL_VIRTUAL_SERVER),
              (Texts{"(Default)", "10.0.0.12", "10.0.0.1", "192.168.5.5"}));
    EXPECT_EQ(w.Text(IDC_GENERAL_VIRTUAL_SERVER), "10.0.0.12");  // the first entry that begins with the site
    EXPECT_EQ(Shown(w)[0], "990");
    // A virtual server without rows shows the defaults, not what was shown before.
    w.Select(IDC_GENERAL_VIRTUAL_SERVER, "192.168.5.5");
    EXPECT_EQ(Shown(w), kDefaults);
    // No address begins with foreign's site: the defaults stay chosen, with Edit disabled.
    w.Select(IDC_GENERAL_COMPUTER, "foreign");
    EXPECT_EQ(Column(w, IDC_GENERAL_VIRTUAL_SERVER), (Texts{"(Default)", "10.0.0.12"}));
    EXPECT_EQ(w.Text(IDC_GENERAL_VIRTUAL_SERVER), "(Default)");
    EXPECT_FALSE(w.Enabled(IDC_GENERAL_EDIT_PREFERENCES));
    // Add Computer refreshes the list and marks the other pages, but only after a change.
    w.Click(IDC_GENERAL_ADD_COMPUTER);
    EXPECT_EQ(stalePages.m_staleMask, 0);
    w.Click(IDC_GENERAL_ADD_COMPUTER);
    EXPECT_EQ(Column(w, IDC_GENERAL_COMPUTER), (Texts{"(local)", "alpha", "beta", "foreign"}));
    EXPECT_EQ(stalePages.m_staleMask, CFTPSheetPage::kSitePageBit | CFTPSheetPage::kUsersPageBit);
    w.Select(IDC_GENERAL_COMPUTER, "alpha");
    w.Select(IDC_GENERAL_VIRTUAL_SERVER, "10.0.0.12");
    w.CloseSheet(true);
  });
  steps.Window(Type({})).Window(Type({{IDC_COMPUTER_NAME, "beta"}}, {IDC_SAVE_COMPUTER, IDOK}));
  RunSheet<CGeneralPage>();
  EXPECT_EQ(Db().Query("SELECT Name, CurrentSite FROM VirtualServerGroup ORDER BY ID"),
            (Rows{{"alpha", "10.0.0.12"}, {"foreign", "10.9.9.9"}, {"beta", ""}}));
  EXPECT_EQ(session.computerName, "alpha");
  // OK on "(local)" forgets the computer and writes no site; on a computer's "(Default)", clears its site.
  for (const auto& [computer, site, remembered] :
       {std::tuple{"(local)", "10.0.0.12", ""}, {"alpha", "", "alpha"}}) {
    steps.Window([computer = computer](ScriptedWindow& w) {
      w.Select(IDC_GENERAL_COMPUTER, computer);
      w.Select(IDC_GENERAL_VIRTUAL_SERVER, "(Default)");
      w.CloseSheet(true);
    });
    RunSheet<CGeneralPage>();
    EXPECT_EQ(session.computerName, remembered);
    EXPECT_EQ(Db().QueryValue("SELECT CurrentSite FROM VirtualServerGroup WHERE ID = ?", {alpha}), site);
  }
}

// On a virtual server without rows, Edit Preferences inserts the eight once, Cancel writes
// nothing, and a text too long for its column keeps the dialog open with the focus on it.
// Where another program stored values the fields show only approximately, an edit of the port
// rewrites the port alone.
TEST_P(GeneralPageTest, EditPreferencesWritesOnlyWhatTheUserChangedAndRefusesATextTooLong) {
  const int alpha = Computer("alpha");
  VirtualServer(alpha, "10.0.0.1");  // without rows
  const int stored = VirtualServer(alpha, "10.0.0.12");
  const std::string welcome =
      GetParam() == Engine::SQLite ? std::string(300, 'w') : "Hi";  // SQLite keeps any length
  Texts values{"21", welcome, "Bye", "5", "99999999999", "3", "3", "5 minutes"};
  for (size_t i = 0; i < kNames.size(); ++i) Preference(stored, kNames[i], values[i]);
  session.computerName = "alpha";
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.Select(IDC_GENERAL_VIRTUAL_SERVER, "10.0.0.12");
    EXPECT_TRUE(w.Checked(IDC_SHOWN_ANONYMOUS));  // how the other texts read is the model's test
    w.Click(IDC_GENERAL_EDIT_PREFERENCES);
    w.Select(IDC_GENERAL_VIRTUAL_SERVER, "10.0.0.1");
    for (int i = 0; i < 3; ++i) w.Click(IDC_GENERAL_EDIT_PREFERENCES);
    EXPECT_EQ(w.Text(IDC_SHOWN_FTP_PORT), "2222");
  }));
  steps.Window(EditPort("10.0.0.12", "2121")).Window([](ScriptedWindow& d) {
    d.SetText(IDC_WELCOME, std::string(256, 'w'));
    d.Click(IDOK);
    EXPECT_EQ(d.FocusId(), IDC_WELCOME);
    d.SetText(IDC_WELCOME, "Hi");
    EditPort("10.0.0.1", "21")(d);
  });
  steps.Message(IDOK).Window(EditPort("10.0.0.1", "2222")).Window(EditPort("10.0.0.1", "1", IDCANCEL));
  RunSheet<CGeneralPage>();
  EXPECT_EQ(MessageTexts(), Texts{"The Welcome Message can hold at most 255 characters. Please shorten it."});
  // The stored server's rows, then the eight the first OK made for the bare one.
  values[0] = "2121";
  values.insert(values.end(), {"2222", "Hi", "GoodBye", "0", "10", "3", "3", "5"});
  Rows expected;
  for (const std::string& text : values) expected.push_back({text});
  EXPECT_EQ(Db().Query("SELECT Settings FROM Preferences ORDER BY PreferenceID"), expected);
}

// The buttons follow the service on each tick; a refused start or stop is reported, and a
// start shows on the next tick.
TEST_P(GeneralPageTest, ServiceButtonsFollowTheServiceAndARefusedStartOrStopIsReported) {
  SetLocalAddressSource([] { return std::nullopt; });  // a host name that does not resolve
  steps.Window(OnPage([&](ScriptedWindow& w) {
    EXPECT_EQ(ServiceShown(w), std::make_tuple("Stopped", true, false));
    EXPECT_EQ(Tick(w, SERVICE_RUNNING), std::make_tuple("Running", false, true));
    EXPECT_EQ(Tick(w, SERVICE_START_PENDING), std::make_tuple("Starting", false, false));
    // A service that cannot be read leaves the display as it is.
    ftp.queryError = ERROR_ACCESS_DENIED;
    EXPECT_EQ(Tick(w, SERVICE_STOPPED), std::make_tuple("Starting", false, false));
    ftp.queryError = ERROR_SUCCESS;
    // Without a service manager neither button is usable until it is back.
    services->openManagerError = RPC_S_SERVER_UNAVAILABLE;
    EXPECT_EQ(Tick(w, SERVICE_RUNNING), std::make_tuple("Service manager not available", false, false));
    services->openManagerError = ERROR_SUCCESS;
    EXPECT_EQ(Tick(w, SERVICE_STOPPED), std::make_tuple("Stopped", true, false));
    ftp.startError = ERROR_ACCESS_DENIED;
    w.Click(IDC_START_SERVICE);
    ftp.startError = ERROR_SUCCESS;
    w.Click(IDC_START_SERVICE);
    w.FireTimer(1);
    EXPECT_EQ(ServiceShown(w), std::make_tuple("Running", false, true));
    ftp.stopError = ERROR_ACCESS_DENIED;
    w.Click(IDC_STOP_SERVICE);
  }));
  steps.Message(IDOK).Message(IDOK);
  RunSheet<CGeneralPage>();
  EXPECT_EQ(MessageTexts(), (Texts{"Unable to Start Veltrane Server", "Unable to Stop Service"}));
}

// Delete asks, then hands the model (whose test the cascade is) the computer chosen, by key
// while names are shared. A name too long for its column is refused with the focus on it;
// what fits is saved as typed, new or renamed.
TEST_P(GeneralPageTest, AddComputerDeletesTheChosenComputerByKeyAndSavesNamesExactlyAsTyped) {
  Computer("alpha");
  const int twin = Computer("alpha", "10.0.0.1");
  session.LoadComputers();
  const std::string quoted = "O'Hara's \"box\"";
  std::string longest;  // 255 characters of two bytes each
  for (int i = 0; i < 255; ++i) longest += "\xC3\xA9";
  CAddComputerDlg dlg(session);
  steps.Window([&](ScriptedWindow& w) {
    w.Select(IDC_COMPUTER_CHOICE, "alpha");  // the first of the two
    w.Click(IDC_DELETE_COMPUTER);            // No
    w.Click(IDC_DELETE_COMPUTER);            // Yes
    EXPECT_EQ(Db().Query("SELECT ID FROM VirtualServerGroup"), (Rows{{std::to_string(twin)}}));
    w.Select(IDC_COMPUTER_CHOICE, "<New>");
    w.SetText(IDC_COMPUTER_NAME, longest + "x");
    w.Click(IDC_SAVE_COMPUTER);
    EXPECT_EQ(w.FocusId(), IDC_COMPUTER_NAME);
    w.SetText(IDC_COMPUTER_NAME, longest);
    w.Click(IDC_SAVE_COMPUTER);
    EXPECT_EQ(w.Text(IDC_COMPUTER_CHOICE), "<New>");
    w.Select(IDC_COMPUTER_CHOICE, "alpha");
    w.SetText(IDC_COMPUTER_NAME, quoted);
    w.Click(IDC_SAVE_COMPUTER);
    EXPECT_EQ(Column(w, IDC_COMPUTER_CHOICE), (Texts{"<New>", quoted, longest}));
    w.Click(IDOK);
  });
  steps.Message(IDNO).Message(IDYES).Message(IDOK);
  dlg.DoModal();
  EXPECT_EQ(dlg.m_bChanged, 1);
  EXPECT_EQ(Db().Query("SELECT Name, CurrentSite FROM VirtualServerGroup ORDER BY ID"),
            (Rows{{quoted, "10.0.0.1"}, {longest, ""}}));
}

}  // namespace
