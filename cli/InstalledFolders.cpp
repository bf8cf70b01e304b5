#include "cli/InstalledFolders.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "db/SessionSettings.h"

namespace {

struct Expected {
  const char* folder;
  mode_t mode;
};

constexpr Expected kFolders[] = {{"/var/lib/veltrane", 03770}, {"/var/lib/veltrane/registry", 02770}};
constexpr const char* kGroup = "veltrane";

std::string Octal(mode_t mode) {
  char text[8];
  std::snprintf(text, sizeof text, "%o", static_cast<unsigned>(mode & 07777));
  return text;
}

std::string OwnerAndGroup(const struct stat& info) {
  const passwd* user = getpwuid(info.st_uid);
  const group* owner = getgrgid(info.st_gid);
  return (user ? user->pw_name : std::to_string(info.st_uid)) + ":" +
         (owner ? owner->gr_name : std::to_string(info.st_gid));
}

}  // namespace

void ReportInstalledFolders() {
  if (RegistryStoreFolder() != kFolders[1].folder) return;
  const std::string wanted = std::string("root:") + kGroup;
  for (const Expected& expected : kFolders) {
    struct stat info;
    if (stat(expected.folder, &info) != 0) continue;
    if (OwnerAndGroup(info) == wanted && (info.st_mode & 07777) == expected.mode) continue;
    std::cerr << "veltrane-admin: " << expected.folder << " is " << OwnerAndGroup(info) << " "
              << Octal(info.st_mode) << ", not " << wanted << " " << Octal(expected.mode)
              << ", so members of the group " << kGroup
              << " may not be able to use it. Repair it with: sudo chown " << wanted << " " << expected.folder
              << " && sudo chmod " << Octal(expected.mode) << " " << expected.folder << '\n';
  }
}
