#pragma once
// A terminal that types keys given in advance into the terminal backend, each as soon as the
// backend asks for one (as a user typing ahead would), and times each one's answer: from the
// moment the backend reads the key to the end of the frame it draws next. It draws on the
// terminal it wraps. After the last key it presses Escape until every window has closed.

#include <chrono>
#include <optional>
#include <vector>

#include "framework/terminal/Terminal.h"

class TimedKeys : public Terminal {
 public:
  TimedKeys(Terminal& screen, std::vector<Key> keys) : m_screen(screen), m_keys(std::move(keys)) {}

  CellSize Size() const override { return m_screen.Size(); }
  Canvas& BeginFrame() override { return m_screen.BeginFrame(); }
  void EndFrame() override;
  std::optional<Key> WaitForKey(int timeoutMs, int wakeDescriptor) override;

  // Seconds from reading key `first` to the frame that answered key `last`; throws when
  // `last` was never answered.
  double SecondsFromTo(size_t first, size_t last) const;

 private:
  using Clock = std::chrono::steady_clock;

  Terminal& m_screen;
  std::vector<Key> m_keys;
  std::vector<Clock::time_point> m_read;                     // one per key read so far
  std::vector<std::optional<Clock::time_point>> m_answered;  // likewise
};
