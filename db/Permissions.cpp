#include "ui/Permissions.h"

std::string PermissionText(int32_t permissions) {
  static constexpr struct {
    int32_t bit;
    const char* letter;
  } kLetters[] = {
      {kPermissionUpload, "U-"},          {kPermissionDownload, "D-"}, {kPermissionRename, "R-"},
      {kPermissionCreateDirectory, "C-"}, {kPermissionDelete, "E-"},
  };
  std::string text = "-";
  for (const auto& letter : kLetters)
    if (permissions & letter.bit) text += letter.letter;
  return text;
}
