#include "db/RowMutation.h"

std::string WithValue(const std::string& text, const std::string& value) {
  std::string result = text;
  if (const auto marker = result.find("%s"); marker != std::string::npos) result.replace(marker, 2, value);
  return result;
}
