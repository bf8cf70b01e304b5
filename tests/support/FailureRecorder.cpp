#include "tests/support/MessageBoxRecorder.h"

MessageBoxRecorder::MessageBoxRecorder() {
  m_previous = SetMessageBoxPresenter(
      [this](CWnd* owner, const std::string& text, const std::string& caption, unsigned style) {
        m_boxes.push_back({owner != nullptr, text, caption, style});
        return MessageBoxResults(style).front();
      });
}

MessageBoxRecorder::~MessageBoxRecorder() { SetMessageBoxPresenter(std::move(m_previous)); }
