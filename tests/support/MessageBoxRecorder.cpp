#include "tests/support/MessageBoxRecorder.h"

MessageBoxRecorder::MessageBoxRecorder() {
  previous_ = SetMessageBoxPresenter([this](CWnd* owner, const std::string& text, const std::string& caption,
                                            unsigned style) {
    boxes_.push_back({owner != nullptr, text, caption, style});
    return MessageBoxResults(style).front();
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { SetMessageBoxPresenter(std::move(previous_)); }
