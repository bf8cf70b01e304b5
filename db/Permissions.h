#pragma once
// The permission bits of an FTP account (the Users column Permissions) and their letters.

#include <cstdint>
#include <optional>
#include <string>

inline constexpr int32_t kPermissionDownload = 1;
inline constexpr int32_t kPermissionRename = 2;
inline constexpr int32_t kPermissionUpload = 4;
inline constexpr int32_t kPermissionCreateDirectory = 8;
inline constexpr int32_t kPermissionDelete = 16;

// "-" followed by "U-", "D-", "R-", "C-" and "E-" for each bit that is set, in that order;
// other bits are ignored. So 0 gives "-" and all five give "-U-D-R-C-E-".
std::string PermissionText(int32_t permissions);

// The bits of letters U, D, R, C and E in any order and either case, with or without the
// dashes PermissionText writes, or of the word "all" in any case (all five); nothing for any
// other letter or a letter twice.
std::optional<int32_t> ParsePermissionLetters(const std::string& letters);
