#include "ui/FailureBoxes.h"

#include "framework/MessageBox.h"

namespace {

void ShowFailure(const Failure& failure) {
  if (failure.quiet) return;
  switch (failure.kind) {
    case FailureKind::refused:
      MessageBox(nullptr, failure.text, "Information", MB_OK | MB_ICONINFORMATION);
      break;
    case FailureKind::unexpected:
      AfxMessageBox(failure.text, MB_OK);
      break;
    default:
      MessageBox(nullptr, failure.text, "Error!!", MB_OK | MB_ICONINFORMATION);
      break;
  }
}

}  // namespace

FailureBoxes::FailureBoxes() : m_previous(SetFailureSink(ShowFailure)) {}

FailureBoxes::~FailureBoxes() { SetFailureSink(std::move(m_previous)); }
