#pragma once
// Text columns hold at most 255 characters. Reading cuts a longer value (never inside a
// UTF-8 sequence); writing refuses one, so that nothing is stored that reads back changed.

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr size_t kMaxTextCharacters = 255;

// The first 255 characters of the `bytes` bytes at `text`.
std::string_view CutToMaxCharacters(const char* text, size_t bytes);

bool ExceedsMaxCharacters(const std::string& text);

// A NUL character cannot be stored either: PostgreSQL refuses it in a text and SQLite's
// readers stop at it, so a text holding one is refused before anything is written.
bool HoldsNul(const std::string& text);
