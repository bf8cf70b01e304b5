#include "ui/PasswordCheck.h"

const char* PasswordRefusal(const std::string& password, const std::string& confirmation) {
  if (password.empty()) return "Please specify Password";
  if (confirmation.empty()) return "Please confirm Password";
  if (password != confirmation) return "Passwords do not match!!";
  return nullptr;
}
