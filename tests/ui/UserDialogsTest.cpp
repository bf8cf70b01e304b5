// The Add User and Change Password dialogs through the scripted backend: the order of their
// checks, the two modes, the permission boxes and the folder chooser.

#include <string>

#include "framework/scripted/ScriptError.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/ui/ScriptedUi.h"
#include "ui/AddUserDlg.h"
#include "ui/ChangePasswordDlg.h"

namespace {

constexpr int kName = 1028, kPassword = 1013, kConfirm = 1014, kQuota = 7010, kHome = 1084, kBrowse = 1019;
constexpr int kDownload = 1053, kUpload = 1054, kRename = 1055, kDelete = 1056, kCreateDir = 1057;

class UserDialogsTest : public ::testing::Test, protected ScriptedUi {
protected:
  void TearDown() override { ExpectScriptDone(); }

  // Presses OK and expects the dialog to stay open after the refusal `text`.
  void ExpectRefusal(ScriptedWindow& w, const std::string& text) {
    const size_t before = steps.Messages().size();
    w.Click(IDOK);
    ASSERT_EQ(steps.Messages().size(), before + 1);
    const MessageBoxRequest& box = steps.Messages().back();
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, "Invalid Value");
    EXPECT_EQ(box.style, 0x40u);
    EXPECT_FALSE(w.Ended());
  }

  // Sets the dialog up to edit an account with these permissions.
  static void EditAccount(CAddUserDlg& dlg, int32_t permissions) {
    dlg.m_bEdit = 1;
    dlg.m_user = {.UserID = 7, .UserName = "anna", .Password = "stored-digest", .HomeDir = "/srv/anna",
                  .Permissions = permissions, .VirtualServerID = 3, .DiskQuota = 50, .Flag = 0};
  }

  TemporaryFolder home;
};

TEST_F(UserDialogsTest, AddModeChecksEachEntryInTurnThenStoresTheDigest) {
  steps.Window([&](ScriptedWindow& w) {
    ExpectRefusal(w, "Please specify user name");
    w.SetText(kName, std::string(256, 'n'));
    ExpectRefusal(w, "Please specify home directory");
    w.Click(kBrowse);
    EXPECT_EQ(w.Text(kHome), home.Path().string());
    ExpectRefusal(w, "Please specify disk quota");
    w.SetText(kQuota, "2147483648");
    ExpectRefusal(w, "Please specify Password");
    w.SetText(kPassword, "Secret");
    ExpectRefusal(w, "Please confirm Password");
    w.SetText(kConfirm, "secret");
    ExpectRefusal(w, "Passwords do not match!!");
    w.SetText(kConfirm, "Secret");
    ExpectRefusal(w, "The User Name can hold at most 255 characters. Please shorten it.");
    w.SetText(kName, "O'Brien ü");
    ExpectRefusal(w, "The Disk Quota can be at most 2147483647 MB.");
    w.SetText(kQuota, "2147483647");
    w.SetText(kPassword, "Pässwörd");
    w.SetText(kConfirm, "Pässwörd");
    w.SetCheck(kUpload, true);
    w.SetCheck(kCreateDir, true);
    w.Click(IDOK);
  });
  steps.Message(IDOK).Message(IDOK).Browse(home.Path().string());
  for (int i = 0; i < 6; ++i) steps.Message(IDOK);

  CAddUserDlg dlg;
  dlg.m_user.VirtualServerID = 12;
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_user.UserName, "O'Brien ü");
  EXPECT_EQ(dlg.m_user.Password, "b780b85bda0cfe1c236158a9ddc7ae4c");  // MD5 of the UTF-8 bytes
  EXPECT_EQ(dlg.m_user.HomeDir, home.Path().string());
  EXPECT_EQ(dlg.m_user.DiskQuota, 2147483647);
  EXPECT_EQ(dlg.m_user.Permissions, 4 + 8);
  EXPECT_EQ(dlg.m_user.UserID, -1);
  EXPECT_EQ(dlg.m_user.VirtualServerID, 12);
}

TEST_F(UserDialogsTest, EditModeShowsTheBitsAndKeepsNameAndPassword) {
  steps.Window([&](ScriptedWindow& w) {
    EXPECT_EQ(w.Text(kName), "anna");
    EXPECT_EQ(w.Text(kPassword), "");
    EXPECT_EQ(w.Text(kQuota), "50");
    EXPECT_EQ(w.Text(kHome), "/srv/anna");
    EXPECT_TRUE(w.Checked(kDownload));
    EXPECT_TRUE(w.Checked(kUpload));
    EXPECT_TRUE(w.Checked(kDelete));
    EXPECT_FALSE(w.Checked(kRename));
    EXPECT_FALSE(w.Checked(kCreateDir));
    EXPECT_THROW(w.SetText(kName, "bob"), ScriptError);
    EXPECT_THROW(w.SetText(kPassword, "x"), ScriptError);
    w.Click(IDOK);
  });
  CAddUserDlg dlg;
  EditAccount(dlg, 21);
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_user.Permissions, 21);
  EXPECT_EQ(dlg.m_user.Password, "stored-digest");
  EXPECT_EQ(dlg.m_user.UserName, "anna");
  EXPECT_EQ(dlg.m_user.UserID, 7);
}

TEST_F(UserDialogsTest, AllBitsStoredAsMinusOneShowAllFiveBoxesAndComeBackAs31) {
  steps.Window([&](ScriptedWindow& w) {
    for (int box : {kDownload, kUpload, kRename, kDelete, kCreateDir}) EXPECT_TRUE(w.Checked(box));
    w.Click(IDOK);
  });
  CAddUserDlg dlg;
  EditAccount(dlg, -1);
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_user.Permissions, 31);
}

TEST_F(UserDialogsTest, TheHomeDirectoryChangesOnlyToAFolderThatExists) {
  steps.Window([&](ScriptedWindow& w) {
    w.Click(kBrowse);  // cancelled
    w.Click(kBrowse);  // a folder that is not there
    w.Click(kBrowse);  // a choice without a path
    EXPECT_EQ(w.Text(kHome), "/srv/anna");
    w.Cancel();
  });
  steps.Browse(std::nullopt).Browse((home.Path() / "missing").string()).Message(IDOK).Browse("").Message(IDOK);
  CAddUserDlg dlg;
  EditAccount(dlg, 0);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  ASSERT_EQ(steps.Messages().size(), 2u);
  EXPECT_EQ(steps.Messages()[0].text, "Please Specify Valid Directory");
  EXPECT_EQ(steps.Messages()[0].caption, "Error!!");
  EXPECT_EQ(steps.Messages()[0].style, 0x40u);
  EXPECT_EQ(steps.Messages()[1].text, "Failed to get directory");
  EXPECT_EQ(steps.Messages()[1].style, 0x10u);
}

TEST_F(UserDialogsTest, ChangePasswordWantsTheSamePasswordTwice) {
  steps.Window([&](ScriptedWindow& w) {
    EXPECT_EQ(w.Text(kName), "anna");
    EXPECT_THROW(w.SetText(kName, "bob"), ScriptError);
    w.SetText(kPassword, "new");
    ExpectRefusal(w, "Please confirm Password");
    w.SetText(kConfirm, "New");
    ExpectRefusal(w, "Passwords do not match!!");
    w.SetText(kConfirm, "new");
    w.Click(IDOK);
  });
  steps.Message(IDOK).Message(IDOK);
  CChangePasswordDlg dlg;
  dlg.m_strUserName = "anna";
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_strPassword, "new");
}

}  // namespace
