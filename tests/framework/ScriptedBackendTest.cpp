#include "framework/FolderBrowser.h"
#include "framework/scripted/ScriptError.h"
#include "tests/framework/RecordDialog.h"
#include "tests/framework/ScriptedFixture.h"

namespace {

// A run that fails: the fixture's own check of a clean run does not apply.
class ScriptFailureTest : public ScriptedFixture {
 protected:
  void TearDown() override {}
};

TEST_F(ScriptFailureTest, AWindowLeftOpenFailsTheRun) {
  steps.Window([](ScriptedWindow& w) { w.SetText(10, "x"); });
  EXPECT_THROW(RecordDialog().DoModal(), ScriptError);
  EXPECT_EQ(backend.Failure(), "dialog 100 \"Record\" was left open");
}

TEST_F(ScriptFailureTest, AnUnexpectedWindowFailsTheRunAndEverythingAfterIsCancelled) {
  RecordDialog dlg;
  dlg.m_onAdd = [](RecordDialog& d) { CDialog(test_templates::kNested, &d).DoModal(); };
  steps.Window([](ScriptedWindow& w) { w.Click(17); });  // opens dialog 101, for which there is no step
  EXPECT_THROW(dlg.DoModal(), ScriptError);
  EXPECT_EQ(backend.Failure(), "dialog 101 \"Nested\" appeared after the last step");
  EXPECT_FALSE(dlg.IsWindowCreated());

  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(::MessageBox(nullptr, "Delete?", "Warning", MB_YESNO), IDNO);
  EXPECT_EQ(BrowseForFolder(nullptr, "Select", 0), std::nullopt);
}

}  // namespace
