#include "bench/TimedKeys.h"

#include <stdexcept>
#include <string>

void TimedKeys::EndFrame() {
  m_screen.EndFrame();
  if (!m_answered.empty() && !m_answered.back()) m_answered.back() = Clock::now();
}

std::optional<Key> TimedKeys::WaitForKey(int, int) {
  if (m_read.size() == m_keys.size()) return Key::Of(Key::Code::Escape);
  m_read.push_back(Clock::now());
  m_answered.emplace_back();
  return m_keys[m_read.size() - 1];
}

double TimedKeys::SecondsFromTo(size_t first, size_t last) const {
  if (last >= m_answered.size() || !m_answered[last])
    throw std::runtime_error("key " + std::to_string(last) + " was not answered");
  return std::chrono::duration<double>(*m_answered[last] - m_read.at(first)).count();
}
