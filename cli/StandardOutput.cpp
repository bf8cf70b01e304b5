#include "cli/StandardOutput.h"

#include <unistd.h>

#include <cerrno>
#include <iostream>

namespace {

constexpr size_t kBufferSize = 64 * 1024;

}  // namespace

StandardOutput::StandardOutput() : m_previous(std::cout.rdbuf(this)) { m_buffer.reserve(kBufferSize); }

StandardOutput::~StandardOutput() {
  Flush();
  std::cout.rdbuf(m_previous);
}

bool StandardOutput::Flush() {
  const bool written = WriteAll(m_buffer.data(), m_buffer.size());
  m_buffer.clear();
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
  if (traits_type::eq_int_type(c, traits_type::eof())) return Flush() ? 0 : traits_type::eof();
  const char character = traits_type::to_char_type(c);
  return xsputn(&character, 1) == 1 ? c : traits_type::eof();
}

std::streamsize StandardOutput::xsputn(const char* text, std::streamsize count) {
  if (m_error != 0) return 0;
  m_buffer.append(text, static_cast<size_t>(count));
  if (m_buffer.size() >= kBufferSize && !Flush()) return 0;
  return count;
}
