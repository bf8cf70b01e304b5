#include "framework/terminal/KeyDecoder.h"

#include <algorithm>

namespace {

constexpr char kEscape = '\033';
// Bracketed paste: what the terminal sends around a pasted text.
constexpr std::string_view kPasteStart = "\033[200~";
constexpr std::string_view kPasteEnd = "\033[201~";
// A decimal mouse report longer than this is not one.
constexpr size_t kLongestMouseReport = 32;

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

// `text` is the start of `whole`, and shorter.
bool Begins(std::string_view text, std::string_view whole) {
  return text.size() < whole.size() && StartsWith(whole, text);
}

int Utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}

std::optional<Key> ControlKey(char32_t ch) {
  switch (ch) {
    case U'\t':
      return Key::Of(Key::Code::Tab);
    case U'\r':
    case U'\n':
      return Key::Of(Key::Code::Enter);
    case 8:
    case 127:
      return Key::Of(Key::Code::Backspace);
  }
  return std::nullopt;
}

bool IsControl(char32_t ch) { return ch < U' ' || ch == 127; }

}  // namespace

KeyDecoder::KeyDecoder(std::vector<Sequence> known, std::string mouse)
    : m_known(std::move(known)), m_mouse(std::move(mouse)) {
  std::erase_if(m_known, [](const Sequence& sequence) { return sequence.bytes.empty(); });
}

void KeyDecoder::Feed(std::string_view bytes) {
  m_bytes.erase(0, m_at);
  m_at = 0;
  m_bytes += bytes;
  m_timedOut = false;
}

std::optional<Key> KeyDecoder::Next() {
  while (m_at < m_bytes.size()) {
    const std::string_view rest = std::string_view(m_bytes).substr(m_at);
    const Step step = m_inPaste ? DecodePasted(rest) : Decode(rest);
    if (step.used == 0) return std::nullopt;
    m_at += step.used;
    if (step.key) return step.key;
  }
  m_timedOut = false;
  return std::nullopt;
}

KeyDecoder::Step KeyDecoder::Decode(std::string_view rest) {
  // The longest sequence the bytes start with, unless a longer one may still come.
  const Sequence* whole = nullptr;
  bool longer = Begins(rest, kPasteStart) || Begins(rest, m_mouse);
  for (const Sequence& known : m_known) {
    if (StartsWith(rest, known.bytes) && (!whole || known.bytes.size() > whole->bytes.size())) whole = &known;
    longer = longer || Begins(rest, known.bytes);
  }
  if (longer && !m_timedOut) return {};
  if (whole) return {whole->bytes.size(), whole->key};
  if (rest.front() == kEscape) return DecodeEscape(rest);
  Step step = DecodeCharacter(rest, false);
  if (step.key && IsControl(step.key->ch)) step.key = ControlKey(step.key->ch);
  return step;
}

KeyDecoder::Step KeyDecoder::DecodeEscape(std::string_view rest) {
  if (StartsWith(rest, kPasteStart)) {
    m_inPaste = true;
    return {kPasteStart.size(), std::nullopt};
  }
  if (!m_mouse.empty() && StartsWith(rest, m_mouse)) return DecodeMouse(rest);
  if (rest.size() == 1) return m_timedOut ? Step{1, Key::Of(Key::Code::Escape)} : Step{};
  const char second = rest[1];
  if (second == '[') return SkipControlSequence(rest);
  if (second == 'O' && rest.size() >= 3) return {3, std::nullopt};  // a single-shift key no one named
  if (second == 'O' && !m_timedOut) return {};
  // Alt with a character typed at once; Escape before anything else is Escape alone.
  if (static_cast<unsigned char>(second) >= 0x80 || !IsControl(static_cast<unsigned char>(second))) {
    Step step = DecodeCharacter(rest.substr(1), true);
    if (step.used > 0) ++step.used;
    return step;
  }
  return {1, Key::Of(Key::Code::Escape)};
}

// Parameters and intermediates, then one final byte; a byte out of place ends it early.
KeyDecoder::Step KeyDecoder::SkipControlSequence(std::string_view rest) const {
  for (size_t i = 2; i < rest.size(); ++i) {
    const auto byte = static_cast<unsigned char>(rest[i]);
    if (byte >= 0x40 && byte <= 0x7E) return {i + 1, std::nullopt};
    if (byte < 0x20 || byte > 0x3F) return {i, std::nullopt};
  }
  return m_timedOut ? Step{rest.size(), std::nullopt} : Step{};
}

KeyDecoder::Step KeyDecoder::DecodeCharacter(std::string_view rest, bool alt) const {
  const auto lead = static_cast<unsigned char>(rest.front());
  const size_t length = Utf8Length(lead);
  if (length == 0) return {1, std::nullopt};
  if (rest.size() < length) return m_timedOut ? Step{rest.size(), std::nullopt} : Step{};
  char32_t ch = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(rest[k]);
    if ((next & 0xC0) != 0x80) return {k, std::nullopt};  // a broken character is dropped
    ch = (ch << 6) | (next & 0x3F);
  }
  return {length, Key::Char(ch, alt)};
}

// The pasted characters up to the paste's end or to what has not arrived yet, as one key.
KeyDecoder::Step KeyDecoder::DecodePasted(std::string_view rest) {
  std::u32string text;
  size_t used = 0;
  while (used < rest.size()) {
    const std::string_view part = rest.substr(used);
    if (StartsWith(part, kPasteEnd)) {
      m_inPaste = false;
      used += kPasteEnd.size();
      break;
    }
    if (Begins(part, kPasteEnd) && !m_timedOut) break;
    const Step step = DecodeCharacter(part, false);
    if (step.used == 0) break;
    used += step.used;
    if (step.key && !IsControl(step.key->ch)) text += step.key->ch;
  }
  return {used, text.empty() ? std::nullopt : std::optional<Key>(Key::Pasted(std::move(text)))};
}

// A press of the first button is a click; the wheel moves as the arrows do; the rest (other
// buttons, releases, motion) is dropped.
KeyDecoder::Step KeyDecoder::DecodeMouse(std::string_view rest) const {
  int button = 0, col = 0, row = 0;
  size_t used = 0;
  bool press = true;
  if (m_mouse == "\033[<") {
    // ESC [ < button ; column ; row M (press) or m (release), in decimal from 1.
    int* fields[] = {&button, &col, &row};
    size_t field = 0, i = m_mouse.size();
    for (; i < rest.size() && i < kLongestMouseReport; ++i) {
      const char c = rest[i];
      if (c >= '0' && c <= '9') {
        *fields[field] = *fields[field] * 10 + (c - '0');
      } else if (c == ';' && field < 2) {
        ++field;
      } else {
        break;
      }
    }
    if (i >= rest.size() && i < kLongestMouseReport)
      return m_timedOut ? Step{rest.size(), std::nullopt} : Step{};
    if (i >= rest.size() || field != 2 || (rest[i] != 'M' && rest[i] != 'm')) return {i, std::nullopt};
    press = rest[i] == 'M';
    used = i + 1;
  } else {
    // The start, then three bytes: the button, the column and the row, each plus 32 (from 1).
    used = m_mouse.size() + 3;
    if (rest.size() < used) return m_timedOut ? Step{rest.size(), std::nullopt} : Step{};
    button = static_cast<unsigned char>(rest[used - 3]) - 32;
    col = static_cast<unsigned char>(rest[used - 2]) - 32;
    row = static_cast<unsigned char>(rest[used - 1]) - 32;
    press = (button & 3) != 3;
  }
  constexpr int kMotion = 32, kWheel = 64;
  if (!press || (button & kMotion)) return {used, std::nullopt};
  if (button & kWheel) return {used, Key::Of((button & 3) == 0 ? Key::Code::Up : Key::Code::Down)};
  if ((button & 3) != 0) return {used, std::nullopt};
  return {used, Key{Key::Code::Click, 0, false, 0, row - 1, col - 1}};
}
