#pragma once
// How keys move a selection through rows, shared by lists and drop-down lists: arrows,
// PgUp/PgDn by a page, Home/End, and typed letters jumping to the next row that starts with
// what was typed (a prefix that matches nothing starts again with its last letter).

#include <optional>
#include <string>

#include "framework/terminal/Key.h"

class Control;

class RowMotion {
 public:
  // The row the key moves `current` to, or nothing when the key does not move it.
  std::optional<int> Target(const Key& key, const Control& rows, int current, int page);

 private:
  std::optional<int> Jump(char32_t ch, const Control& rows, int current);

  std::string m_typed;
};
