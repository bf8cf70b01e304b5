#include "ui/TextLimits.h"

#include "db/TextLimit.h"
#include "framework/MessageBox.h"

bool TextFitsColumn(CWnd* owner, const std::string& text, const std::string& fieldName) {
  if (!ExceedsMaxCharacters(text)) return true;
  MessageBox(owner,
             "The " + fieldName + " can hold at most " + std::to_string(kMaxTextCharacters) +
                 " characters. Please shorten it.",
             "Invalid Value", MB_OK | MB_ICONINFORMATION);
  return false;
}
