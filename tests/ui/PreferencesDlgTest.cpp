#include "ui/PreferencesDlg.h"

#include <gtest/gtest.h>

#include "tests/ui/ScriptedUi.h"

namespace {

std::vector<int32_t> Numbers(const PreferenceSet& p) {
  return {p.ftpPort, p.anonymous, p.maxConnections, p.maxConnectionsPerIp, p.maxConnectionsPerUser,
          p.connectionTimeout};
}

TEST(PreferencesDlg, OKHandsBackTheEditsAndCancelNothing) {
  for (const int button : {IDOK, IDCANCEL}) {
    ScriptedUi ui;
    CPreferencesDlg dlg;
    dlg.m_prefs.welcomeMessage = "It's \"quoted\" \xC3\xA9";
    dlg.m_prefs.maxConnections = -4;
    dlg.m_strCaption = "Preferences for 10.0.0.1";
    ui.steps.Window([button](ScriptedWindow& w) {
      EXPECT_EQ(w.Text(7029), "Preferences for 10.0.0.1");
      EXPECT_EQ(w.Text(1038), "It's \"quoted\" \xC3\xA9");
      EXPECT_EQ(w.Text(1036), "-4");
      w.SetText(1033, "990");
      w.SetText(1040, "Bye \xE2\x80\x94 now");
      w.SetCheck(1000, true);
      w.SetText(1039, " +7 ");
      w.Click(button);
    });

    EXPECT_EQ(dlg.DoModal(), button);
    const bool ok = button == IDOK;
    EXPECT_EQ(Numbers(dlg.m_prefs), (ok ? std::vector<int32_t>{990, 1, -4, 7, 3, 5} : std::vector<int32_t>{21, 0, -4, 3, 3, 5}));
    EXPECT_EQ(dlg.m_prefs.goodbyeMessage, ok ? "Bye \xE2\x80\x94 now" : "GoodBye");
    EXPECT_EQ(dlg.m_prefs.welcomeMessage, "It's \"quoted\" \xC3\xA9");
    ui.ExpectScriptDone();
  }
}

TEST(PreferencesDlg, ARefusedFieldKeepsTheDialogOpenWithTheFocusOnIt) {
  ScriptedUi ui;
  CPreferencesDlg dlg;
  std::string longest;  // 255 characters of two bytes each still fit
  for (int i = 0; i < 255; ++i) longest += "\xC3\xA9";
  std::vector<int> focus;
  ui.steps
      .Window([&](ScriptedWindow& w) {
        w.SetText(1036, "ten");
        w.Click(IDOK);
        focus.push_back(w.FocusId());
        w.SetText(1036, "10");
        w.SetText(1040, longest);
        w.SetText(1038, longest + "x");
        w.Click(IDOK);
        focus.push_back(w.FocusId());
        w.SetText(1038, "Hi");
        w.Click(IDOK);
      })
      .Message(IDOK)
      .Message(IDOK);

  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(focus, (std::vector<int>{1036, 1038}));
  EXPECT_EQ(ui.MessageTexts()[0], "Please enter an integer.");
  EXPECT_EQ(ui.steps.Messages()[1].caption, "Invalid Value");
  EXPECT_NE(ui.MessageTexts()[1].find("Welcome Message"), std::string::npos);
  EXPECT_EQ(dlg.m_prefs.goodbyeMessage, longest);
  ui.ExpectScriptDone();
}

}  // namespace
