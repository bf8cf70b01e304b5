#include "cli/MessageFilter.h"

#include <cstdio>
#include <cstring>

MessageFilter::MessageFilter(std::ostream& stream) : m_stream(stream), m_target(stream.rdbuf()) {
  m_stream.rdbuf(this);
}

MessageFilter::~MessageFilter() {
  sync();
  m_stream.rdbuf(m_target);
}

void MessageFilter::Put(const char* text) {
  m_target->sputn(text, static_cast<std::streamsize>(std::strlen(text)));
}

void MessageFilter::PutHeldLead() {
  if (m_heldLead) m_target->sputc(static_cast<char>(0xC2));
  m_heldLead = false;
}

MessageFilter::int_type MessageFilter::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const auto byte = static_cast<unsigned char>(traits_type::to_char_type(c));
  char escaped[8];
  if (m_heldLead && byte >= 0x80 && byte <= 0x9F) {
    m_heldLead = false;
    std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
    Put(escaped);
    return c;
  }
  PutHeldLead();
  if (byte == 0xC2) {
    m_heldLead = true;
  } else if (byte == 0x1B) {
    Put("\\e");
  } else if ((byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F) {
    std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
    Put(escaped);
  } else {
    m_target->sputc(static_cast<char>(byte));
  }
  return c;
}

int MessageFilter::sync() {
  PutHeldLead();
  return m_target->pubsync();
}
