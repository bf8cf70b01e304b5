// The Users page and its Add User and Change Password dialogs: which accounts each choice
// lists, the order of the dialogs' checks, adding, editing, deleting and new passwords.

#include "framework/ListFill.h"
#include "framework/scripted/ScriptError.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/ui/UiTest.h"
#include "ui/UsersPage.h"

namespace {

class UsersPageTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (IsSkipped()) return;
    const int alpha = Computer("alpha", "10.0.0.2");
    const int gamma = Computer("gamma");
    first = VirtualServer(alpha, "10.0.0.1");
    second = VirtualServer(alpha, "10.0.0.2");
    const int other = VirtualServer(gamma, "10.0.0.1");  // an edit gave it first's address
    User(first, "anna", 5, 0);
    User(first, "bob", 31, 12);
    User(second, "carl", 0, 3);
    User(other, "dora", 21, -4);
    User(-1, "root", -1, 0);
  }
  int first = 0, second = 0;
};
VELTRANE_ON_ALL_ENGINES(UsersPageTest);

// The combo boxes are filled as the General page's are (its test). The filter is the
// database's (its matching is the model's test); the page passes the text and the row buttons
// follow what is listed.
TEST_P(UsersPageTest, EachChoiceListsItsOwnAccountsAndTheFilterNarrowsThem) {
  session.computerName = "ALP";
  steps.Window(OnPage([&](ScriptedWindow& w) {
    EXPECT_EQ(Column(w, IDC_USER_LIST), (Texts{"carl"}));  // the session's computer and its current site
    w.Select(IDC_COMPUTER, "(local)");
    EXPECT_EQ(Column(w, IDC_USERS_VIRTUAL_SERVER), (Texts{"(Default)"}));
    EXPECT_EQ(Column(w, IDC_USER_LIST), (Texts{"anna", "bob", "carl", "dora", "root"}));
    EXPECT_EQ(Column(w, IDC_USER_LIST, 2), (Texts{"0", "12", "3", "-4", "0"}));
    EXPECT_EQ(Column(w, IDC_USER_LIST, 3), (Texts{"-U-D-", "-U-D-R-C-E-", "-", "-U-D-E-", "-U-D-R-C-E-"}));
    for (const auto& [text, listed] : std::vector<std::pair<std::string, Texts>>{
             {"SRV/AN", {"anna"}}, {"'", {}}, {"", {"anna", "bob", "carl", "dora", "root"}}}) {
      w.Filter(IDC_USER_LIST, text);
      EXPECT_EQ(Column(w, IDC_USER_LIST), listed) << text;
      EXPECT_EQ(w.Enabled(IDC_EDIT_USER), !listed.empty()) << text;
    }
    w.Select(IDC_COMPUTER, "alpha");
    w.Select(IDC_USERS_VIRTUAL_SERVER, "(Default)");
    EXPECT_EQ(Column(w, IDC_USER_LIST), (Texts{"anna", "bob", "carl"}));
    w.Click(IDC_ADD_USER);  // no dialog opens (the script has none) without a virtual server
    w.Select(IDC_USERS_VIRTUAL_SERVER, "10.0.0.1");
    EXPECT_EQ(Column(w, IDC_USER_LIST), (Texts{"anna", "bob"}));
    w.Select(IDC_COMPUTER, "gamma");
    w.Select(IDC_USERS_VIRTUAL_SERVER, "10.0.0.1");  // the later of two virtual servers on one address
    EXPECT_EQ(Column(w, IDC_USER_LIST), (Texts{"dora"}));
  }));
  RunSheet<CUsersPage>();
}

// In turn: a new password survives a later edit; Delete asks first; a change to an account
// another machine deleted meanwhile is refused and the list shows what the database has.
// Add User refuses, at each OK, the first entry missing or wrong; the entry is then typed, or
// for the home folder chosen (a cancelled chooser and a folder not there leave it empty). The
// account is stored on the chosen virtual server with the digest of its password and shown
// selected (which texts the database takes, and its refusal of a name in use, are the
// model's tests).
TEST_P(UsersPageTest, ChangesReachTheDatabaseAndTheListShowsWhatItHas) {
  TemporaryFolder home;
  const struct {
    std::string refusal;
    int control;
    std::string text;
  } turns[] = {{"Please specify user name", IDC_USER_NAME, std::string(256, 'n')},
               {"Please specify home directory", IDC_BROWSE_HOME_DIR, ""},
               {"Please specify disk quota", IDC_QUOTA, "2147483648"},
               {"Please specify Password", IDC_PASSWORD, "Pässwörd"},
               {"Please confirm Password", IDC_CONFIRM_PASSWORD, "pässwörd"},
               {"Passwords do not match!!", IDC_CONFIRM_PASSWORD, "Pässwörd"},
               {"The User Name can hold at most 255 characters. Please shorten it.", IDC_USER_NAME,
                std::string("zoë\0O'Brien", 12)},
               {"The User Name cannot hold a NUL character. Please remove it.", IDC_USER_NAME, "zoë O'Brien"},
               {"The Disk Quota can be at most 2147483647 MB.", IDC_QUOTA, "2147483647"}};
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.SelectRow(IDC_USER_LIST, 1);  // bob
    w.Click(IDC_CHANGE_PASSWORD);
    w.Click(IDC_EDIT_USER);
    EXPECT_EQ(Column(w, IDC_USER_LIST, 2), (Texts{"0", "99", "3", "-4", "0"}));
    w.SelectRow(IDC_USER_LIST, 0);  // anna
    w.Click(IDC_DELETE_USER);       // No
    w.Click(IDC_DELETE_USER);       // Yes
    EXPECT_EQ(Column(w, IDC_USER_LIST), (Texts{"bob", "carl", "dora", "root"}));
    w.SelectRow(IDC_USER_LIST, 2);  // dora
    w.Click(IDC_EDIT_USER);
    EXPECT_EQ(Column(w, IDC_USER_LIST), (Texts{"bob", "carl", "root"}));
    w.SelectRow(IDC_USER_LIST, 2);  // root
    w.Click(IDC_CHANGE_PASSWORD);
    EXPECT_EQ(Column(w, IDC_USER_LIST), (Texts{"bob", "carl"}));
    w.Select(IDC_COMPUTER, "alpha");
    w.Select(IDC_USERS_VIRTUAL_SERVER, "10.0.0.2");
    w.Click(IDC_ADD_USER);
    EXPECT_EQ(Column(w, IDC_USER_LIST), (Texts{"carl", "zoë O'Brien"}));
    EXPECT_EQ(w.Selection(IDC_USER_LIST), 1);
  }));
  steps.Window([&](ScriptedWindow& d) {
    EXPECT_EQ(d.Text(IDC_USER_NAME), "bob");
    d.SetText(IDC_PASSWORD, "fresh");
    d.Click(IDOK);
    d.SetText(IDC_CONFIRM_PASSWORD, "fresh");
    d.Click(IDOK);
  });
  steps.Message(IDOK).Window(Type({{IDC_QUOTA, "99"}})).Message(IDNO).Message(IDYES);
  // Another machine deletes each account while its dialog is open.
  steps.Window([&](ScriptedWindow& d) {
    Db().Execute("DELETE FROM Users WHERE UserName = 'dora'");
    d.Click(IDOK);
  });
  steps.Message(IDOK).Window([&](ScriptedWindow& d) {
    Db().Execute("DELETE FROM Users WHERE UserName = 'root'");
    Type({{IDC_PASSWORD, "fresh"}, {IDC_CONFIRM_PASSWORD, "fresh"}})(d);
  });
  steps.Message(IDOK).Window([&](ScriptedWindow& d) {
    d.Click(IDC_BROWSE_HOME_DIR);
    d.Click(IDC_BROWSE_HOME_DIR);
    for (const auto& turn : turns) {
      d.Click(IDOK);
      EXPECT_EQ(steps.Messages().back().caption, "Invalid Value");
      ASSERT_FALSE(d.Ended()) << turn.refusal;
      if (turn.control == IDC_BROWSE_HOME_DIR)
        d.Click(turn.control);
      else
        d.SetText(turn.control, turn.text);
    }
    d.SetCheck(IDC_UPLOAD, true);
    d.SetCheck(IDC_CREATE_DIR, true);
    d.Click(IDOK);
  });
  // The chooser's answers and the messages, in the order they appear.
  steps.Browse(std::nullopt).Browse((home.Path() / "missing").string()).Message(IDOK);
  steps.Message(IDOK).Message(IDOK).Browse(home.Path().string());
  for (size_t i = 2; i < std::size(turns); ++i) steps.Message(IDOK);
  RunSheet<CUsersPage>();
  const std::string question = "You are deleting user.\n\n Do you really want to continue ?";
  Texts messages{"Please confirm Password", question, question,
                 "Can not update user. User dora does not exist!!",
                 "Can not update user. User root does not exist!!"};
  messages.push_back("Please Specify Valid Directory");
  for (const auto& turn : turns) messages.push_back(turn.refusal);
  EXPECT_EQ(MessageTexts(), messages);
  EXPECT_EQ(
      Db().Query("SELECT UserName, Password, HomeDir, VirtualServerID, DiskQuota, Permissions FROM Users "
                 "WHERE UserName IN ('anna', 'bob', 'zoë O''Brien') ORDER BY UserName"),
      (Rows{{"bob", "76010858c8362d7302ef5f9436aa6639", "/srv/bob", std::to_string(first), "99", "31"},
            {"zoë O'Brien", "b780b85bda0cfe1c236158a9ddc7ae4c", home.Path().string(), std::to_string(second),
             "2147483647", "12"}}));
}

// Values another program stored that the dialog can show only approximately: a quota beyond
// 32 bits and a home directory over 255 characters (SQLite keeps both), and all 32 permission
// bits. The dialog shows the permission bits and keeps the password out of reach; an edit
// writes back only what the user changed.
TEST_P(UsersPageTest, AnEditRewritesOnlyTheFieldsTheUserChanged) {
  const bool sqlite = GetParam() == Engine::SQLite;
  const std::string longHome(300, 'h');
  if (sqlite)
    Db().Execute("UPDATE Users SET DiskQuota = 8589934592, HomeDir = ? WHERE UserName = 'anna'", {longHome});
  steps.Window(OnPage([&](ScriptedWindow& w) {
    for (const int row : {4, 0, 0}) {  // root, anna unchanged, anna without download
      w.SelectRow(IDC_USER_LIST, row);
      w.Click(IDC_EDIT_USER);
    }
  }));
  steps.Window(Type({})).Window([](ScriptedWindow& d) {
    for (const int box : {IDC_DOWNLOAD, IDC_UPLOAD}) EXPECT_TRUE(d.Checked(box)) << box;
    for (const int box : {IDC_RENAME, IDC_CREATE_DIR, IDC_DELETE_FILES}) EXPECT_FALSE(d.Checked(box)) << box;
    EXPECT_THROW(d.SetText(IDC_PASSWORD, "x"), ScriptError);
    d.Click(IDOK);
  });
  steps.Window(Type({}, {IDC_DOWNLOAD, IDOK}));  // Download, ticked, cleared by a click
  RunSheet<CUsersPage>();
  EXPECT_EQ(Db().Query("SELECT UserName, Password, HomeDir, Permissions, DiskQuota FROM Users WHERE UserName "
                       "IN ('anna', 'root') ORDER BY UserName"),
            (Rows{{"anna", "digest", sqlite ? longHome : "/srv/anna", "4", sqlite ? "8589934592" : "0"},
                  {"root", "digest", "/srv/root", "-1", "0"}}));
}

// The list fills a batch at a time while the page answers: the first row is selected as it
// arrives, and Edit and Delete act on the selected account whatever is still to come.
TEST_P(UsersPageTest, WhileTheListFillsEditAndDeleteActOnTheSelectedAccount) {
  backend.SetFeedsListFills(true);
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.Select(IDC_COMPUTER, "(local)");
    ContinueListFills(2);
    EXPECT_EQ(Column(w, IDC_USER_LIST), (Texts{"anna", "bob"}));
    EXPECT_EQ(w.Selection(IDC_USER_LIST), 0);
    w.SelectRow(IDC_USER_LIST, 1);
    ContinueListFills(1);
    EXPECT_EQ(w.Selection(IDC_USER_LIST), 1);  // new rows leave the choice alone
    w.Click(IDC_EDIT_USER);                    // bob; the rest is read before the change is written
    EXPECT_EQ(Column(w, IDC_USER_LIST), (Texts{"anna", "bob", "carl", "dora", "root"}));
    EXPECT_EQ(Column(w, IDC_USER_LIST, 2), (Texts{"0", "77", "3", "-4", "0"}));

    w.Select(IDC_COMPUTER, "alpha");
    w.Select(IDC_USERS_VIRTUAL_SERVER, "(Default)");  // anna, bob, carl
    ContinueListFills(1);
    w.Click(IDC_DELETE_USER);              // anna, the selected row
    EXPECT_EQ(w.Count(IDC_USER_LIST), 2);  // the rest was read before the delete

    // Another page stops a fill; this one reads the list again when it is chosen.
    w.Select(IDC_COMPUTER, "(local)");
    ContinueListFills(1);
    w.ActivatePage(1);
    EXPECT_FALSE(AnyListFilling());
    w.ActivatePage(0);
    EXPECT_EQ(w.Count(IDC_USER_LIST), 0);
    while (ContinueListFills(1)) {
    }
    EXPECT_EQ(Column(w, IDC_USER_LIST), (Texts{"bob", "carl", "dora", "root"}));
  }));
  steps.Window(Type({{IDC_QUOTA, "77"}})).Message(IDYES);
  RunSheet<CUsersPage>();
  EXPECT_EQ(Db().Query("SELECT UserName, DiskQuota FROM Users WHERE UserName IN ('anna', 'bob')"),
            (Rows{{"bob", "77"}}));
}

}  // namespace
