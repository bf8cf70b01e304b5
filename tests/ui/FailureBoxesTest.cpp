// The model's failures as the sheet shows them: caption, icon and buttons by kind, no owner,
// and nothing for a quiet one.

#include "ui/FailureBoxes.h"

#include <gtest/gtest.h>

#include "framework/MessageBox.h"
#include "framework/WinApp.h"

namespace {

TEST(FailureBoxesTest, EachKindHasItsCaptionAndIconAndAQuietFailureShowsNothing) {
  std::vector<std::string> shown;
  const MessageBoxPresenter previous = SetMessageBoxPresenter(
      [&shown](CWnd* owner, const std::string& text, const std::string& caption, unsigned style) {
        shown.push_back((owner ? "owned " : "") + caption + " " + std::to_string(style) + ": " + text);
        return IDOK;
      });
  const std::string info = " " + std::to_string(MB_OK | MB_ICONINFORMATION) + ": ";
  std::vector<std::pair<FailureKind, std::string>> cases{
      {FailureKind::refused, "Information" + info},
      {FailureKind::unexpected, AfxGetAppName() + " " + std::to_string(MB_OK) + ": "}};
  for (const FailureKind kind : {FailureKind::locked, FailureKind::unreachable, FailureKind::lost,
                                 FailureKind::commitUnknown, FailureKind::failed, FailureKind::lockLeftSet})
    cases.emplace_back(kind, "Error!!" + info);
  {
    const FailureBoxes boxes;
    for (const auto& [kind, box] : cases) {
      ReportFailure({kind, "text", true});
      ReportFailure({kind, "text", false});
      EXPECT_EQ(shown, std::vector<std::string>{box + "text"});
      shown.clear();
    }
  }
  testing::internal::CaptureStderr();
  ReportFailure({FailureKind::refused, "after", false});  // the boxes have gone with their scope
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "veltrane: after\n");
  SetMessageBoxPresenter(previous);
}

}  // namespace
