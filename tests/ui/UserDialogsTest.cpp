// The Add User and Change Password dialogs: the order of their checks, the two modes, the
// permission boxes and the folder chooser.

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

  // Presses OK, which must show `text` and leave the dialog open.
  void ExpectRefusal(ScriptedWindow& w, const std::string& text) {
    steps.Message(IDOK);
    w.Click(IDOK);
    EXPECT_EQ(MessageTexts().back(), text);
    EXPECT_EQ(steps.Messages().back().caption, "Invalid Value");
    EXPECT_FALSE(w.Ended());
  }
  static void EditAccount(CAddUserDlg& dlg, int32_t permissions) {
    dlg.m_bEdit = 1;
    dlg.m_user = {7, "anna", "stored-digest", "/srv/anna", permissions, 3, 50, 0};
  }

  TemporaryFolder home;
};

TEST_F(UserDialogsTest, AddModeChecksEachEntryInTurnThenStoresTheDigest) {
  steps.Window([&](ScriptedWindow& w) {
    ExpectRefusal(w, "Please specify user name");
    w.SetText(kName, std::string(256, 'n'));
    ExpectRefusal(w, "Please specify home directory");
    steps.Browse(home.Path().string());
    w.Click(kBrowse);
    ExpectRefusal(w, "Please specify disk quota");
    w.SetText(kQuota, "2147483648");
    ExpectRefusal(w, "Please specify Password");
    w.SetText(kPassword, "Pässwörd");
    ExpectRefusal(w, "Please confirm Password");
    w.SetText(kConfirm, "pässwörd");
    ExpectRefusal(w, "Passwords do not match!!");
    w.SetText(kConfirm, "Pässwörd");
    ExpectRefusal(w, "The User Name can hold at most 255 characters. Please shorten it.");
    w.SetText(kName, "O'Brien ü");
    ExpectRefusal(w, "The Disk Quota can be at most 2147483647 MB.");
    w.SetText(kQuota, "2147483647");
    w.SetCheck(kUpload, true);
    w.SetCheck(kCreateDir, true);
    w.Click(IDOK);
  });
  CAddUserDlg dlg;
  dlg.m_user.VirtualServerID = 12;
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_user.UserName, "O'Brien ü");
  EXPECT_EQ(dlg.m_user.Password, "b780b85bda0cfe1c236158a9ddc7ae4c");  // MD5 of the UTF-8 bytes
  EXPECT_EQ(dlg.m_user.HomeDir, home.Path().string());
  EXPECT_EQ(dlg.m_user.Permissions, 4 + 8);
  EXPECT_EQ(dlg.m_user.DiskQuota, 2147483647);
  EXPECT_EQ(dlg.m_user.VirtualServerID, 12);
}

TEST_F(UserDialogsTest, EditModeShowsThePermissionBitsAndKeepsNameAndPassword) {
  for (const auto& [stored, checked] : {std::pair{21, 0b00111}, std::pair{-1, 0b11111}}) {
    steps.Window([&](ScriptedWindow& w) {
      const int boxes[] = {kDownload, kUpload, kDelete, kRename, kCreateDir};
      for (int i = 0; i < 5; ++i) EXPECT_EQ(w.Checked(boxes[i]), ((checked >> i) & 1) != 0) << stored;
      EXPECT_EQ(w.Text(kQuota), "50");
      EXPECT_THROW(w.SetText(kPassword, "x"), ScriptError);
      w.Click(IDOK);
    });
    CAddUserDlg dlg;
    EditAccount(dlg, stored);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_user.Permissions, stored == -1 ? 31 : stored);
    EXPECT_EQ(dlg.m_user.Password, "stored-digest");
  }
}

TEST_F(UserDialogsTest, TheHomeDirectoryChangesOnlyToAFolderThatExists) {
  steps.Window([&](ScriptedWindow& w) {
    w.Click(kBrowse);  // cancelled
    w.Click(kBrowse);  // a folder that is not there
    EXPECT_EQ(w.Text(kHome), "/srv/anna");
    w.Cancel();
  });
  steps.Browse(std::nullopt).Browse((home.Path() / "missing").string()).Message(IDOK);
  CAddUserDlg dlg;
  EditAccount(dlg, 0);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Please Specify Valid Directory"});
}

TEST_F(UserDialogsTest, ChangePasswordWantsTheSamePasswordTwice) {
  steps.Window([&](ScriptedWindow& w) {
    EXPECT_EQ(w.Text(kName), "anna");
    w.SetText(kPassword, "new");
    ExpectRefusal(w, "Please confirm Password");
    w.SetText(kConfirm, "new");
    w.Click(IDOK);
  });
  CChangePasswordDlg dlg;
  dlg.m_strUserName = "anna";
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_strPassword, "new");
}

}  // namespace
