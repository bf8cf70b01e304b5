#include "framework/scripted/ScriptParser.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>

#include "framework/scripted/ScriptError.h"

namespace {

enum class Arg { Id, Number, Text, OnOff, YesNo, OkCancel, Answer };

struct Token {
  std::string text;
  bool quoted;
};

const std::map<std::string, std::vector<Arg>>& Signatures() {
  static const std::map<std::string, std::vector<Arg>> signatures = {
      {"expect-dialog", {Arg::Id}},
      {"expect-sheet", {Arg::Text}},
      {"set", {Arg::Id, Arg::Text}},
      {"check", {Arg::Id, Arg::OnOff}},
      {"select", {Arg::Id, Arg::Text}},
      {"select-row", {Arg::Id, Arg::Number}},
      {"filter", {Arg::Id, Arg::Text}},
      {"click", {Arg::Id}},
      {"tab", {Arg::Number}},
      {"timer", {Arg::Number}},
      {"close-sheet", {Arg::OkCancel}},
      {"expect-message", {Arg::Text, Arg::Text}},
      {"answer", {Arg::Answer}},
      {"browse", {Arg::Text}},  // or no argument at all
      {"expect-text", {Arg::Id, Arg::Text}},
      {"expect-enabled", {Arg::Id, Arg::YesNo}},
      {"expect-checked", {Arg::Id, Arg::OnOff}},
      {"expect-count", {Arg::Id, Arg::Number}},
      {"expect-cell", {Arg::Id, Arg::Number, Arg::Number, Arg::Text}},
  };
  return signatures;
}

std::string Usage(const std::string& name, const std::vector<Arg>& args) {
  std::string usage = name;
  for (Arg arg : args) {
    static const char* const forms[] = {"ID",     "N",         "\"TEXT\"",        "on|off",
                                        "yes|no", "ok|cancel", "ok|yes|no|cancel"};
    usage += std::string(" ") + forms[static_cast<int>(arg)];
  }
  return usage;
}

bool ParseNumber(const std::string& text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// An id's name, spelt as a C identifier: a letter or '_', then letters, digits and '_'.
bool IsName(const std::string& text) {
  const auto nameCharacter = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
  return !text.empty() && !std::isdigit(static_cast<unsigned char>(text[0])) &&
         std::all_of(text.begin(), text.end(), nameCharacter);
}

bool Fits(Arg arg, const Token& token) {
  int number = 0;
  switch (arg) {
    case Arg::Id:
      return !token.quoted && (ParseNumber(token.text, number) || IsName(token.text));
    case Arg::Number:
      return !token.quoted && ParseNumber(token.text, number);
    case Arg::Text:
      return token.quoted;
    case Arg::OnOff:
      return !token.quoted && (token.text == "on" || token.text == "off");
    case Arg::YesNo:
      return !token.quoted && (token.text == "yes" || token.text == "no");
    case Arg::OkCancel:
      return !token.quoted && (token.text == "ok" || token.text == "cancel");
    case Arg::Answer:
      return !token.quoted &&
             (token.text == "ok" || token.text == "cancel" || token.text == "yes" || token.text == "no");
  }
  return false;
}

class LineReader {
 public:
  LineReader(const std::string& scriptName, int line, const std::string& text)
      : m_where(scriptName + ":" + std::to_string(line) + ": "), m_text(text) {}

  std::vector<Token> Tokens() {
    std::vector<Token> tokens;
    while (SkipBlanks(), m_at < m_text.size() && m_text[m_at] != '#')
      tokens.push_back(m_text[m_at] == '"' ? Quoted() : Word());
    return tokens;
  }

  [[noreturn]] void Fail(const std::string& why) const { throw ScriptError(m_where + why); }

 private:
  void SkipBlanks() {
    while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\t' || m_text[m_at] == '\r'))
      ++m_at;
  }

  Token Word() {
    const size_t start = m_at;
    while (m_at < m_text.size() && m_text[m_at] != ' ' && m_text[m_at] != '\t' && m_text[m_at] != '\r' &&
           m_text[m_at] != '"' && m_text[m_at] != '#')
      ++m_at;
    return {m_text.substr(start, m_at - start), false};
  }

  Token Quoted() {
    std::string text;
    for (++m_at; m_at < m_text.size(); ++m_at) {
      const char c = m_text[m_at];
      if (c == '"') {
        ++m_at;
        return {text, true};
      }
      if (c != '\\') {
        text += c;
        continue;
      }
      if (++m_at == m_text.size()) break;
      switch (m_text[m_at]) {
        case 'n':
          text += '\n';
          break;
        case '"':
        case '\\':
          text += m_text[m_at];
          break;
        default:
          Fail("unknown escape " + QuoteForReport(std::string("\\") + m_text[m_at]));
      }
    }
    Fail("a text has no closing quote");
  }

  std::string m_where;
  const std::string& m_text;
  size_t m_at = 0;
};

// Characters of a text that an error line quotes: enough to recognise it, never a flood.
constexpr size_t kMaxReportedCharacters = 200;

std::string ScriptEscaped(char c) {
  if (c == '\n') return "\\n";
  if (c == '"' || c == '\\') return std::string("\\") + c;
  return std::string(1, c);
}

// The length of the UTF-8 character that starts at `at`, or 0 when the byte there starts none.
size_t Utf8SequenceLength(const std::string& text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = 0;
  if (lead < 0x80)
    length = 1;
  else if ((lead & 0xE0) == 0xC0)
    length = 2;
  else if ((lead & 0xF0) == 0xE0)
    length = 3;
  else if ((lead & 0xF8) == 0xF0)
    length = 4;
  if (length == 0 || at + length > text.size()) return 0;
  for (size_t next = at + 1; next < at + length; ++next)
    if ((static_cast<unsigned char>(text[next]) & 0xC0) != 0x80) return 0;
  return length;
}

std::string Hex(const char* prefix, unsigned char value) {
  static const char digits[] = "0123456789ABCDEF";
  return prefix + std::string{digits[value >> 4], digits[value & 0xF]};
}

// One character as an error line shows it: C0 and C1 control characters and stray bytes as
// escapes, everything else as the script would write it.
std::string ReportedCharacter(const std::string& text, size_t at, size_t length) {
  const auto byte = static_cast<unsigned char>(text[at]);
  if (length == 0) return Hex("\\x", byte);
  if (length > 1) {
    const auto second = static_cast<unsigned char>(text[at + 1]);
    return byte == 0xC2 && second < 0xA0 ? Hex("\\u00", second) : text.substr(at, length);
  }
  if (byte == '\r') return "\\r";
  if (byte == '\t') return "\\t";
  if ((byte < 0x20 && byte != '\n') || byte == 0x7F) return Hex("\\x", byte);
  return ScriptEscaped(text[at]);
}

}  // namespace

int ScriptCommand::Number(size_t index) const {
  int value = 0;
  ParseNumber(args.at(index), value);
  return value;
}

std::vector<ScriptCommand> ParseScript(const std::string& scriptName, const std::string& text) {
  std::vector<ScriptCommand> commands;
  size_t start = 0;
  for (int line = 1; start <= text.size(); ++line) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string lineText = text.substr(start, end - start);
    start = end + 1;

    LineReader reader(scriptName, line, lineText);
    std::vector<Token> tokens = reader.Tokens();
    if (tokens.empty()) continue;
    if (tokens[0].quoted) reader.Fail("a line must begin with a command");
    const auto signature = Signatures().find(tokens[0].text);
    if (signature == Signatures().end()) reader.Fail("unknown command " + QuoteForReport(tokens[0].text));
    const std::vector<Arg>& args = signature->second;
    const bool cancelledBrowse = tokens[0].text == "browse" && tokens.size() == 1;
    bool fits = cancelledBrowse || tokens.size() == args.size() + 1;
    for (size_t i = 0; fits && !cancelledBrowse && i < args.size(); ++i) fits = Fits(args[i], tokens[i + 1]);
    if (!fits) reader.Fail("expected " + Usage(tokens[0].text, args));

    ScriptCommand command{line, tokens[0].text, {}};
    for (size_t i = 1; i < tokens.size(); ++i) command.args.push_back(tokens[i].text);
    if (!args.empty() && args[0] == Arg::Id) command.idByName = !ParseNumber(command.args[0], command.id);
    commands.push_back(std::move(command));
  }
  return commands;
}

std::string QuoteText(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) quoted += ScriptEscaped(c);
  return quoted + "\"";
}

std::string QuoteForReport(const std::string& text) {
  std::string quoted = "\"";
  size_t characters = 0;
  for (size_t at = 0; at < text.size(); ++characters) {
    if (characters == kMaxReportedCharacters) return quoted + "\"...";
    const size_t length = Utf8SequenceLength(text, at);
    quoted += ReportedCharacter(text, at, length);
    at += std::max<size_t>(length, 1);
  }
  return quoted + "\"";
}
