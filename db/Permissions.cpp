#include "db/Permissions.h"

#include <algorithm>
#include <strings.h>

#include <cctype>
#include <iterator>

namespace {

// The letters in the order the Users page shows them.
constexpr struct {
  int32_t bit;
  char letter;
} kLetters[] = {
    {kPermissionUpload, 'U'},          {kPermissionDownload, 'D'}, {kPermissionRename, 'R'},
    {kPermissionCreateDirectory, 'C'}, {kPermissionDelete, 'E'},
};

}  // namespace

std::string PermissionText(int32_t permissions) {
  std::string text = "-";
  for (const auto& letter : kLetters)
    if (permissions & letter.bit) text += std::string{letter.letter, '-'};
  return text;
}

std::optional<int32_t> ParsePermissionLetters(const std::string& letters) {
  int32_t bits = 0;
  if (strcasecmp(letters.c_str(), "all") == 0) {
    for (const auto& letter : kLetters) bits |= letter.bit;
    return bits;
  }
  for (const char typed : letters) {
    if (typed == '-') continue;  // as PermissionText writes them: -U-D-
    const auto* match = std::find_if(std::begin(kLetters), std::end(kLetters), [typed](const auto& letter) {
      return letter.letter == std::toupper(static_cast<unsigned char>(typed));
    });
    if (match == std::end(kLetters) || (bits & match->bit)) return std::nullopt;
    bits |= match->bit;
  }
  return bits;
}
