#include "cli/StandardOutput.h"

#include <unistd.h>

#include <cerrno>
#include <iostream>

StandardOutput::StandardOutput() : m_buffer(kBufferSize), m_previous(std::cout.rdbuf(this)) {
  setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

StandardOutput::~StandardOutput() {
  Flush();
  std::cout.rdbuf(m_previous);
}

bool StandardOutput::Flush() {
  const bool written = WriteAll(pbase(), static_cast<size_t>(pptr() - pbase()));
  setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
  return written;
}

bool StandardOutput::WriteAll(const char* data, size_t size) {
  // After a failure nothing more is written: what follows would not make sense without it.
  while (m_error == 0 && size > 0) {
    const ssize_t written = write(STDOUT_FILENO, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      m_error = written < 0 ? errno : EIO;
      break;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return m_error == 0;
}

StandardOutput::int_type StandardOutput::overflow(int_type c) {
  if (!Flush()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}
