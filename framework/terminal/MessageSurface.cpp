#include "framework/terminal/MessageSurface.h"

#include <algorithm>
#include <cwctype>

#include "framework/MessageBox.h"
#include "framework/terminal/Panel.h"
#include "framework/terminal/Utf8.h"

namespace {

constexpr int kWidestText = 64;
constexpr int kButtonCols = 10;

char IconLetter(unsigned style) {
  switch (style & MB_ICONMASK) {
    case MB_ICONERROR:
      return 'X';
    case MB_ICONQUESTION:
      return '?';
    case MB_ICONWARNING:
      return '!';
    case MB_ICONINFORMATION:
      return 'i';
  }
  return ' ';
}

std::string ButtonName(int result) {
  const std::string text = MessageBoxButtonText(result);
  return text.empty() ? "OK" : text;
}

}  // namespace

MessageSurface::MessageSurface(const std::string& text, const std::string& caption, unsigned style)
    : m_text(text), m_caption(caption), m_icon(IconLetter(style)), m_results(MessageBoxResults(style)) {}

int MessageSurface::ButtonsCols() const { return static_cast<int>(m_results.size()) * (kButtonCols + 1) - 1; }

void MessageSurface::Fit(CellSize screen) {
  const int textCols = std::clamp(screen.cols - 10, 10, kWidestText);
  m_lines = WrapText(m_text, textCols);
  int widest = ButtonsCols();
  for (const std::string& line : m_lines) widest = std::max(widest, CellWidth(DecodeUtf8(line)) + 4);
  widest = std::max(widest, CellWidth(DecodeUtf8(m_caption)) + 4);
  m_size = {static_cast<int>(m_lines.size()) + 5, std::min(widest + 4, screen.cols)};
  m_corner = Centred(m_size, screen);
}

void MessageSurface::Draw(Canvas& canvas, bool) {
  OriginScope corner(canvas, m_corner.rows, m_corner.cols);
  DrawPanel(canvas, m_size.rows, m_size.cols, m_caption, "\u2190\u2192 choose  Enter answer");
  if (m_icon != ' ') canvas.Text(2, 2, std::string(1, m_icon), 1, Look::Title);
  for (size_t i = 0; i < m_lines.size(); ++i)
    canvas.Text(2 + static_cast<int>(i), 6, m_lines[i], m_size.cols - 8, Look::Plain);
  int col = ButtonsStart();
  for (size_t i = 0; i < m_results.size(); ++i, col += kButtonCols + 1) {
    const bool isDefault = i == 0;
    const std::string name = ButtonName(m_results[i]);
    const std::string shown = (isDefault ? "< " : "[ ") + name + (isDefault ? " >" : " ]");
    canvas.Text(m_size.rows - 2, col + (kButtonCols - static_cast<int>(shown.size())) / 2, shown,
                static_cast<int>(shown.size()), static_cast<int>(i) == m_focus ? Look::Focused : Look::Plain);
  }
}

int MessageSurface::ButtonsStart() const { return (m_size.cols - ButtonsCols()) / 2; }

void MessageSurface::Click(int row, int col) {
  const int offset = col - ButtonsStart();
  if (row != m_size.rows - 2 || offset < 0 || offset % (kButtonCols + 1) == kButtonCols) return;
  const size_t index = offset / (kButtonCols + 1);
  if (index < m_results.size()) m_result = m_results[index];
}

void MessageSurface::HandleKey(const Key& key) {
  const int count = static_cast<int>(m_results.size());
  switch (key.code) {
    case Key::Code::Left:
    case Key::Code::BackTab:
      m_focus = (m_focus + count - 1) % count;
      return;
    case Key::Code::Right:
    case Key::Code::Tab:
      m_focus = (m_focus + 1) % count;
      return;
    case Key::Code::Enter:
      m_result = m_results[m_focus];
      return;
    case Key::Code::Escape:
      if (std::count(m_results.begin(), m_results.end(), IDCANCEL) || count == 1) m_result = m_results.back();
      return;
    case Key::Code::Click:
      Click(key.row - m_corner.rows, key.col - m_corner.cols);
      return;
    case Key::Code::Char:
      break;
    default:
      return;
  }
  if (key.ch == U' ') {
    m_result = m_results[m_focus];
    return;
  }
  for (int result : m_results)
    if (std::towlower(static_cast<wint_t>(key.ch)) ==
        static_cast<wint_t>(std::tolower(ButtonName(result)[0])))
      m_result = result;
}
