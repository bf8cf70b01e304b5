#pragma once
// The check of a new password typed twice, shared by the two user dialogs.

#include <string>

// The refusal of the two entries, or null when they are fit to be stored: the password must
// not be empty, nor its confirmation, and both must be the same byte for byte.
const char* PasswordRefusal(const std::string& password, const std::string& confirmation);
