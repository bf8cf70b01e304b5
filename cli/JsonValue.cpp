#include "cli/JsonValue.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "base/Utf8.h"

namespace {

class JsonParser {
 public:
  explicit JsonParser(const std::string& text) : m_text(text) {}

  JsonValue Document() {
    JsonValue value = Value(0);
    SkipSpace();
    if (m_at != m_text.size()) Fail("text after the document");
    return value;
  }

 private:
  static constexpr int kMaxDepth = 64;

  [[noreturn]] void Fail(const std::string& what) const {
    const auto line = std::count(m_text.begin(), m_text.begin() + static_cast<long>(m_at), '\n') + 1;
    throw std::runtime_error("not a JSON document: " + what + " on line " + std::to_string(line));
  }
  void SkipSpace() {
    while (m_at < m_text.size() &&
           (m_text[m_at] == ' ' || m_text[m_at] == '\n' || m_text[m_at] == '\r' || m_text[m_at] == '\t'))
      ++m_at;
  }
  char Peek() {
    SkipSpace();
    if (m_at == m_text.size()) Fail("unexpected end");
    return m_text[m_at];
  }
  void Expect(char c) {
    if (Peek() != c) Fail(std::string("expected '") + c + "'");
    ++m_at;
  }
  bool Take(const char* word) {
    const std::string expected = word;
    if (m_text.compare(m_at, expected.size(), expected) != 0) return false;
    m_at += expected.size();
    return true;
  }

  JsonValue Value(int depth) {
    if (depth > kMaxDepth) Fail("nesting too deep");
    JsonValue value;
    const char c = Peek();
    if (c == '{') {
      value.kind = JsonValue::Kind::object;
      ++m_at;
      if (Peek() == '}') return ++m_at, value;
      do {
        if (Peek() != '"') Fail("expected a member name");
        std::string name = String();
        Expect(':');
        value.members.emplace_back(std::move(name), Value(depth + 1));
      } while (Peek() == ',' && ++m_at);
      Expect('}');
    } else if (c == '[') {
      value.kind = JsonValue::Kind::array;
      ++m_at;
      if (Peek() == ']') return ++m_at, value;
      do value.items.push_back(Value(depth + 1));
      while (Peek() == ',' && ++m_at);
      Expect(']');
    } else if (c == '"') {
      value.kind = JsonValue::Kind::string;
      value.text = String();
    } else if (Take("true") || Take("false")) {
      value.kind = JsonValue::Kind::boolean;
      value.text = c == 't' ? "true" : "false";
    } else if (Take("null")) {
    } else {
      value.kind = JsonValue::Kind::number;
      const size_t start = m_at;
      while (m_at < m_text.size() &&
             std::string_view("+-0123456789.eE").find(m_text[m_at]) != std::string::npos)
        ++m_at;
      if (m_at == start) Fail("unexpected character");
      value.text = m_text.substr(start, m_at - start);
    }
    return value;
  }

  uint32_t Hex4() {
    if (m_at + 4 > m_text.size()) Fail("short \\u escape");
    uint32_t code = 0;
    for (int i = 0; i < 4; ++i) {
      const char h = m_text[m_at++];
      code <<= 4;
      if (h >= '0' && h <= '9')
        code |= static_cast<uint32_t>(h - '0');
      else if (h >= 'a' && h <= 'f')
        code |= static_cast<uint32_t>(h - 'a' + 10);
      else if (h >= 'A' && h <= 'F')
        code |= static_cast<uint32_t>(h - 'A' + 10);
      else
        Fail("bad \\u escape");
    }
    return code;
  }

  std::string String() {
    ++m_at;  // the opening quote
    std::string out;
    for (;;) {
      if (m_at >= m_text.size()) Fail("unterminated string");
      const char c = m_text[m_at++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) Fail("a control character in a string");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (m_at >= m_text.size()) Fail("unterminated string");
      const char escaped = m_text[m_at++];
      const std::string_view simple = "\"\\/bfnrt";
      if (const size_t i = simple.find(escaped); i != std::string_view::npos) {
        out += "\"\\/\b\f\n\r\t"[i];
      } else if (escaped == 'u') {
        uint32_t code = Hex4();
        if (code >= 0xD800 && code < 0xDC00 && Take("\\u")) {
          const uint32_t low = Hex4();
          if (low < 0xDC00 || low > 0xDFFF) Fail("bad surrogate pair");
          code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        } else if (code >= 0xD800 && code < 0xE000) {
          Fail("bad surrogate pair");
        }
        AppendUtf8(out, code);
      } else {
        Fail("bad escape");
      }
    }
  }

  const std::string& m_text;
  size_t m_at = 0;
};

}  // namespace

const JsonValue* JsonValue::Find(const std::string& name) const {
  for (const auto& [member, value] : members)
    if (member == name) return &value;
  return nullptr;
}

JsonValue ParseJson(const std::string& text) { return JsonParser(text).Document(); }
