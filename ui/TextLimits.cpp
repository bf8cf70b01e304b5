#include "ui/TextLimits.h"

#include "db/TextLimit.h"
#include "framework/MessageBox.h"

bool TextFitsColumn(CWnd* owner, const std::string& text, const std::string& fieldName) {
  std::string refusal;
  if (ExceedsMaxCharacters(text))
    refusal = "The " + fieldName + " can hold at most " + std::to_string(kMaxTextCharacters) +
              " characters. Please shorten it.";
  else if (HoldsNul(text))
    refusal = "The " + fieldName + " cannot hold a NUL character. Please remove it.";
  else
    return true;
  MessageBox(owner, refusal, "Invalid Value", MB_OK | MB_ICONINFORMATION);
  return false;
}
