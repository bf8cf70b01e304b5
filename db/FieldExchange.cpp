#include "db/FieldExchange.h"

#include <algorithm>

std::string WithoutBrackets(const std::string& name) {
  std::string plain = name;
  std::erase(plain, '[');
  std::erase(plain, ']');
  return plain;
}
