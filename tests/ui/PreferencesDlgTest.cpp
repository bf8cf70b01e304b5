#include "ui/PreferencesDlg.h"

#include <gtest/gtest.h>

#include "tests/ui/ScriptedUi.h"

namespace {

class PreferencesDlgTest : public ::testing::Test {
 protected:
  void TearDown() override { ui.ExpectScriptDone(); }

  static PreferenceSet Edited() {
    PreferenceSet prefs;
    prefs.welcomeMessage = "Bienvenue chez l'\xC3\xA9quipe \"FTP\"";
    prefs.goodbyeMessage = "";
    prefs.anonymous = 1;
    prefs.maxConnections = -4;
    prefs.maxConnectionsPerIp = 2147483647;
    prefs.maxConnectionsPerUser = 0;
    prefs.connectionTimeout = 60;
    prefs.ftpPort = 2121;
    prefs.virtualServerId = 9;
    return prefs;
  }

  static void ExpectSameValues(const PreferenceSet& a, const PreferenceSet& b) {
    EXPECT_EQ(a.welcomeMessage, b.welcomeMessage);
    EXPECT_EQ(a.goodbyeMessage, b.goodbyeMessage);
    EXPECT_EQ(a.anonymous, b.anonymous);
    EXPECT_EQ(a.maxConnections, b.maxConnections);
    EXPECT_EQ(a.maxConnectionsPerIp, b.maxConnectionsPerIp);
    EXPECT_EQ(a.maxConnectionsPerUser, b.maxConnectionsPerUser);
    EXPECT_EQ(a.connectionTimeout, b.connectionTimeout);
    EXPECT_EQ(a.ftpPort, b.ftpPort);
    EXPECT_EQ(a.virtualServerId, b.virtualServerId);
  }

  ScriptedUi ui;
};

TEST_F(PreferencesDlgTest, ShowsTheCallersValuesAndGivesThemBackUnchangedOnOK) {
  CPreferencesDlg dlg;
  dlg.m_prefs = Edited();
  dlg.m_strCaption = "Preferences for 10.0.0.1";
  ui.steps.Window([](ScriptedWindow& w) {
    EXPECT_EQ(w.Caption(), "Edit Preferences");
    EXPECT_EQ(w.Text(7029), "Preferences for 10.0.0.1");
    EXPECT_EQ(w.Text(1033), "2121");
    EXPECT_EQ(w.Text(1038), "Bienvenue chez l'\xC3\xA9quipe \"FTP\"");
    EXPECT_EQ(w.Text(1040), "");
    EXPECT_TRUE(w.Checked(1000));
    EXPECT_EQ(w.Text(1036), "-4");
    EXPECT_EQ(w.Text(1039), "2147483647");
    EXPECT_EQ(w.Text(1041), "0");
    EXPECT_EQ(w.Text(1037), "60");
    w.Click(IDOK);
  });

  EXPECT_EQ(dlg.DoModal(), IDOK);
  ExpectSameValues(dlg.m_prefs, Edited());
}

TEST_F(PreferencesDlgTest, OKTakesTheEditsAndCancelTakesNothing) {
  for (const int button : {IDOK, IDCANCEL}) {
    SCOPED_TRACE(button);
    CPreferencesDlg dlg;
    ui.steps.Window([button](ScriptedWindow& w) {
      w.SetText(1033, "990");
      w.SetText(1038, "Hi");
      w.SetText(1040, "Bye \xE2\x80\x94 now");
      w.SetCheck(1000, true);
      w.SetText(1036, " -1 ");
      w.SetText(1039, "+7");
      w.SetText(1041, "8");
      w.SetText(1037, "0");
      w.Click(button);
    });

    EXPECT_EQ(dlg.DoModal(), button);
    PreferenceSet expected;
    if (button == IDOK) {
      expected.ftpPort = 990;
      expected.welcomeMessage = "Hi";
      expected.goodbyeMessage = "Bye \xE2\x80\x94 now";
      expected.anonymous = 1;
      expected.maxConnections = -1;
      expected.maxConnectionsPerIp = 7;
      expected.maxConnectionsPerUser = 8;
      expected.connectionTimeout = 0;
    }
    ExpectSameValues(dlg.m_prefs, expected);
  }
}

TEST_F(PreferencesDlgTest, ARefusedFieldKeepsTheDialogOpenWithTheFocusOnIt) {
  CPreferencesDlg dlg;
  std::vector<int> focus;
  const std::string fits(255, 'w');
  ui.steps
      .Window([&](ScriptedWindow& w) {
        w.SetText(1036, "ten");
        w.Click(IDOK);
        focus.push_back(w.FocusId());
        w.SetText(1036, "10");
        w.SetText(1033, "99999999999");
        w.Click(IDOK);
        focus.push_back(w.FocusId());
        w.SetText(1033, "21");
        w.SetText(1040, std::string(256, 'g'));
        w.Click(IDOK);
        focus.push_back(w.FocusId());
        // 255 two-byte characters are 510 bytes, and still fit.
        std::string accents;
        for (int i = 0; i < 255; ++i) accents += "\xC3\xA9";
        w.SetText(1040, accents);
        w.SetText(1038, accents + "x");
        w.Click(IDOK);
        focus.push_back(w.FocusId());
        ASSERT_FALSE(w.Ended());
        w.SetText(1038, fits);
        w.Click(IDOK);
      })
      .Message(IDOK)
      .Message(IDOK)
      .Message(IDOK)
      .Message(IDOK);

  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(focus, (std::vector<int>{1036, 1033, 1040, 1038}));
  const auto& boxes = ui.steps.Messages();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].text, "Please enter an integer.");
  for (size_t i : {2u, 3u}) {
    EXPECT_EQ(boxes[i].caption, "Invalid Value");
    EXPECT_EQ(boxes[i].owner, &dlg);
  }
  EXPECT_NE(boxes[2].text.find("Goodbye Message"), std::string::npos);
  EXPECT_NE(boxes[3].text.find("Welcome Message"), std::string::npos);
  EXPECT_EQ(dlg.m_prefs.welcomeMessage, fits);
  EXPECT_EQ(dlg.m_prefs.goodbyeMessage.size(), 510u);
}

}  // namespace
