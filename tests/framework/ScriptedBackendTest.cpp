#include "framework/FolderBrowser.h"
#include "framework/scripted/ScriptError.h"
#include "tests/framework/RecordDialog.h"
#include "tests/framework/ScriptedFixture.h"

namespace {

using ScriptedBackendTest = ScriptedFixture;

// Add opens the nested dialog, then asks whether to keep what it returned.
void AddThroughNestedDialog(RecordDialog& dlg) {
  CDialog nested(test_templates::kNested, &dlg);
  const INT_PTR result = nested.DoModal();
  if (result == IDOK && dlg.MessageBox("Keep it?", "Warning", MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
    dlg.m_list.InsertItem(0, "kept");
}

TEST_F(ScriptedBackendTest, NestedDialogsAndMessageBoxesRunInsideTheClickThatOpenedThem) {
  RecordDialog dlg;
  dlg.m_onAdd = AddThroughNestedDialog;
  int rowsAfterAdd = -1;
  steps
      .Window([&](ScriptedWindow& w) {
        w.Click(17);
        rowsAfterAdd = w.Count(16);
        w.Click(IDOK);
      })
      .Window([](ScriptedWindow& w) {
        EXPECT_EQ(w.Describe(), "dialog 101 \"Nested\"");
        EXPECT_EQ(w.FocusId(), 20);  // the first tab stop
        w.Click(IDOK);
      })
      .Message(IDYES);

  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(rowsAfterAdd, 1);
  ASSERT_EQ(steps.Messages().size(), 1u);
  EXPECT_EQ(steps.Messages()[0].owner, &dlg);
  EXPECT_EQ(steps.Messages()[0].caption, "Warning");
}

TEST_F(ScriptedBackendTest, TimerTicksReachOnTimerOnlyWhileTheTimerRuns) {
  RecordDialog dlg;
  steps.Window([&](ScriptedWindow& w) {
    EXPECT_THROW(w.FireTimer(5), ScriptError);
    EXPECT_EQ(dlg.SetTimer(5, 1000, nullptr), 5u);
    w.FireTimer(5);
    w.FireTimer(5);
    dlg.KillTimer(5);
    EXPECT_THROW(w.FireTimer(5), ScriptError);
    w.Click(IDCANCEL);
  });
  dlg.DoModal();
  EXPECT_EQ(dlg.m_log, (std::vector<std::string>{"timer 5", "timer 5"}));
}

TEST_F(ScriptedBackendTest, FolderChooserAnswersAFolderOrNothing) {
  steps.Browse("/srv/ftp/caf\xC3\xA9").Browse(std::nullopt);
  EXPECT_EQ(BrowseForFolder(nullptr, "Select a Directory:", BIF_RETURNONLYFSDIRS), "/srv/ftp/caf\xC3\xA9");
  EXPECT_EQ(BrowseForFolder(nullptr, "Select a Directory:", BIF_RETURNONLYFSDIRS), std::nullopt);
}

TEST_F(ScriptedBackendTest, MissingTemplateIsReportedAndAnswersMinusOne) {
  steps.Message(IDOK);
  CDialog missing(999);
  EXPECT_EQ(missing.DoModal(), -1);
  ASSERT_EQ(steps.Messages().size(), 1u);
  EXPECT_EQ(steps.Messages()[0].text, "The dialog template 999 cannot be found.");
}

// Failures need a backend of their own: the fixture's expects a clean run.
class ScriptFailureTest : public ::testing::Test {
protected:
  ModuleResourceScope module{test_templates::Module()};
  ScriptSteps steps;
  ScriptedBackend backend{steps};
  BackendScope use{backend};
};

TEST_F(ScriptFailureTest, AnUnexpectedWindowFailsTheRunAndEverythingAfterIsCancelled) {
  RecordDialog dlg;
  dlg.m_onAdd = AddThroughNestedDialog;
  steps.Window([](ScriptedWindow& w) {
    w.Click(17);  // opens dialog 101, for which there is no step
    w.Click(IDOK);
  });
  EXPECT_THROW(dlg.DoModal(), ScriptError);
  EXPECT_EQ(backend.Failure(), "dialog 101 \"Nested\" appeared after the last step");
  EXPECT_FALSE(dlg.IsWindowCreated());

  // Winding down: windows close with Cancel, questions are answered No.
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(::MessageBox(nullptr, "Delete?", "Warning", MB_YESNO), IDNO);
  EXPECT_EQ(::MessageBox(nullptr, "Done", "Information", MB_OK), IDOK);
  EXPECT_EQ(BrowseForFolder(nullptr, "Select", 0), std::nullopt);
}

TEST_F(ScriptFailureTest, AWindowLeftOpenFailsTheRun) {
  RecordDialog dlg;
  steps.Window([](ScriptedWindow& w) { w.SetText(10, "x"); });
  EXPECT_THROW(dlg.DoModal(), ScriptError);
  EXPECT_EQ(backend.Failure(), "dialog 100 \"Record\" was left open");
}

TEST_F(ScriptFailureTest, AnAnswerTheBoxDoesNotOfferFailsTheRun) {
  steps.Message(IDYES);
  EXPECT_THROW(::MessageBox(nullptr, "Saved", "Information", MB_OK), ScriptError);
  EXPECT_EQ(backend.Failure(), "the message box \"Information\" \"Saved\" has no Yes button");
}

TEST_F(ScriptFailureTest, AMessageWhereAWindowWasExpectedFailsTheRun) {
  steps.Window([](ScriptedWindow& w) { w.Click(IDOK); });
  EXPECT_THROW(::MessageBox(nullptr, "Saved", "Information", MB_OK), ScriptError);
  EXPECT_EQ(backend.Failure(),
            "the next step is for a window, but the message box \"Information\" \"Saved\" appeared");
}

}  // namespace
