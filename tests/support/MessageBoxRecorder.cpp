#include "tests/support/MessageBoxRecorder.h"

MessageBoxRecorder::MessageBoxRecorder() {
  previous_ = SetMessageBoxPresenter([this](CWnd* owner, const std::string& text, const std::string& caption,
                                            unsigned style) {
    boxes_.push_back({owner != nullptr, text, caption, style});
    if (answers_.empty()) return MessageBoxResults(style).front();  // the style's default button
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { SetMessageBoxPresenter(std::move(previous_)); }
