#include "db/TextLimit.h"

namespace {

// Bytes that start a character: anything but a UTF-8 continuation byte.
bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

// Offset of the first byte after the first 255 characters, or `bytes` when there are fewer.
size_t EndOfMaxCharacters(const char* text, size_t bytes) {
  size_t characters = 0;
  for (size_t i = 0; i < bytes; ++i)
    if (StartsCharacter(text[i]) && ++characters > kMaxTextCharacters) return i;
  return bytes;
}

}  // namespace

std::string_view CutToMaxCharacters(const char* text, size_t bytes) {
  return std::string_view(text, EndOfMaxCharacters(text, bytes));
}

bool ExceedsMaxCharacters(const std::string& text) {
  return EndOfMaxCharacters(text.data(), text.size()) < text.size();
}

bool HoldsNul(const std::string& text) { return text.find('\0') != std::string::npos; }
