#pragma once
// Records every message box shown while it lives and answers it with the style's default
// button (OK, or Yes for Yes/No questions).

#include <string>
#include <vector>

#include "framework/MessageBox.h"

struct RecordedBox {
  bool hasOwner;
  std::string text;
  std::string caption;
  unsigned style;
};

class MessageBoxRecorder {
 public:
  MessageBoxRecorder();
  ~MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

  const std::vector<RecordedBox>& Boxes() const { return m_boxes; }
  void Clear() { m_boxes.clear(); }

 private:
  std::vector<RecordedBox> m_boxes;
  MessageBoxPresenter m_previous;
};
