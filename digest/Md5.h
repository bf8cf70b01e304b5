#pragma once
// MD5 message digest (RFC 1321). One object digests one input: construct, Update as often as
// needed, Final once.

#include <cstdint>
#include <string>

class Md5 {
 public:
  Md5();
  virtual ~Md5() = default;

  // Feeds length bytes from data; any length, 0 included.
  void Update(const void* data, uint32_t length);
  // Completes the digest and returns it as 32 lower-case hexadecimal digits.
  std::string Final();

 private:
  void Transform(const uint8_t block[64]);

  uint8_t buffer[64] = {};    // input not yet consumed: a partial block
  uint32_t bitCount[2] = {};  // input length in bits modulo 2^64, low word first
  uint32_t state[4];          // chaining values A, B, C, D
};
