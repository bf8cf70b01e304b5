#include "framework/terminal/RowMotion.h"

#include <algorithm>

#include "framework/Control.h"
#include "framework/terminal/Utf8.h"

std::optional<int> RowMotion::Target(const Key& key, const Control& rows, int current, int page) {
  const int count = rows.RowCount();
  if (key.Is(Key::Code::Char) && !key.alt && key.ch > U' ') return Jump(key.ch, rows, current);
  m_typed.clear();
  if (count == 0) return std::nullopt;
  std::optional<int> target;
  switch (key.code) {
    case Key::Code::Up:
      target = current - 1;
      break;
    case Key::Code::Down:
      target = current + 1;
      break;
    case Key::Code::PageUp:
      target = current - std::max(1, page);
      break;
    case Key::Code::PageDown:
      target = current + std::max(1, page);
      break;
    case Key::Code::Home:
      target = 0;
      break;
    case Key::Code::End:
      target = count - 1;
      break;
    default:
      return std::nullopt;
  }
  return std::clamp(*target, 0, count - 1);
}

std::optional<int> RowMotion::Jump(char32_t ch, const Control& rows, int current) {
  const std::string letter = EncodeUtf8(std::u32string(1, ch));
  m_typed += letter;
  // Typing on through a match stays on it; a new first letter moves on from it.
  const int from = m_typed.size() == letter.size() ? current : current - 1;
  int found = rows.FindRowWithPrefix(from, m_typed);
  if (found < 0) {
    m_typed = letter;
    found = rows.FindRowWithPrefix(current, m_typed);
  }
  return found < 0 ? std::nullopt : std::optional<int>(found);
}
