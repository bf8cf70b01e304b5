#pragma once
// Standard output through a buffer of our own, so that the first failed write is remembered
// with its cause: a command whose output did not arrive (a full disk) must not end as done,
// while a reader that went away (| head) is no error.

#include <streambuf>
#include <vector>

class StandardOutput : public std::streambuf {
 public:
  // Puts itself behind std::cout; the destructor flushes and puts the old buffer back.
  StandardOutput();
  ~StandardOutput() override;
  StandardOutput(const StandardOutput&) = delete;
  StandardOutput& operator=(const StandardOutput&) = delete;

  // Writes what is buffered; false once any write has failed.
  bool Flush();
  // The errno of the first failed write, or 0.
  int FirstError() const { return m_error; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override { return Flush() ? 0 : -1; }

 private:
  static constexpr size_t kBufferSize = 64 * 1024;

  bool WriteAll(const char* data, size_t size);

  std::vector<char> m_buffer;
  int m_error = 0;
  std::streambuf* m_previous;
};
