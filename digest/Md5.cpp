#include "digest/Md5.h"

#include <cstring>

namespace {

constexpr uint32_t RotateLeft(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

constexpr uint32_t F(uint32_t x, uint32_t y, uint32_t z) { return (x & y) | (~x & z); }
constexpr uint32_t G(uint32_t x, uint32_t y, uint32_t z) { return (x & z) | (y & ~z); }
constexpr uint32_t H(uint32_t x, uint32_t y, uint32_t z) { return x ^ y ^ z; }
constexpr uint32_t I(uint32_t x, uint32_t y, uint32_t z) { return y ^ (x | ~z); }

// The sine table T[i] = floor(2^32 * |sin(i + 1)|) of RFC 1321.
constexpr uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

// Per-round shift amounts, four per round.
constexpr int kShift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

void EncodeLittleEndian(uint8_t* out, const uint32_t* words, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    for (int b = 0; b < 4; ++b) out[i * 4 + b] = static_cast<uint8_t>(words[i] >> (8 * b));
  }
}

}  // namespace

Md5::Md5() : state{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476} {}

void Md5::Transform(const uint8_t block[64]) {
  uint32_t x[16];
  for (int i = 0; i < 16; ++i) {
    x[i] = uint32_t(block[i * 4]) | uint32_t(block[i * 4 + 1]) << 8 | uint32_t(block[i * 4 + 2]) << 16 |
           uint32_t(block[i * 4 + 3]) << 24;
  }
  uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  for (int i = 0; i < 64; ++i) {
    const int round = i / 16;
    uint32_t f;
    int k;
    switch (round) {
      case 0:
        f = F(b, c, d);
        k = i;
        break;
      case 1:
        f = G(b, c, d);
        k = (5 * i + 1) % 16;
        break;
      case 2:
        f = H(b, c, d);
        k = (3 * i + 5) % 16;
        break;
      default:
        f = I(b, c, d);
        k = (7 * i) % 16;
        break;
    }
    const uint32_t rotated = b + RotateLeft(a + f + x[k] + kSine[i], kShift[round][i % 4]);
    a = d;
    d = c;
    c = b;
    b = rotated;
  }
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}

void Md5::Update(const void* data, uint32_t length) {
  const auto* input = static_cast<const uint8_t*>(data);
  uint32_t buffered = (bitCount[0] >> 3) & 0x3F;

  const uint32_t lowBefore = bitCount[0];
  bitCount[0] += length << 3;
  if (bitCount[0] < lowBefore) ++bitCount[1];
  bitCount[1] += length >> 29;

  uint32_t consumed = 0;
  const uint32_t room = 64 - buffered;
  if (length >= room) {
    std::memcpy(buffer + buffered, input, room);
    Transform(buffer);
    for (consumed = room; consumed + 63 < length; consumed += 64) Transform(input + consumed);
    buffered = 0;
  }
  if (length > consumed) std::memcpy(buffer + buffered, input + consumed, length - consumed);
}

std::string Md5::Final() {
  uint8_t lengthBytes[8];
  EncodeLittleEndian(lengthBytes, bitCount, 2);

  const uint32_t buffered = (bitCount[0] >> 3) & 0x3F;
  const uint32_t padLength = buffered < 56 ? 56 - buffered : 120 - buffered;
  static const uint8_t kPadding[64] = {0x80};
  Update(kPadding, padLength);
  Update(lengthBytes, 8);

  uint8_t digest[16];
  EncodeLittleEndian(digest, state, 4);
  static const char kHex[] = "0123456789abcdef";
  std::string text;
  text.reserve(32);
  for (uint8_t byte : digest) {
    text += kHex[byte >> 4];
    text += kHex[byte & 0x0F];
  }
  return text;
}
