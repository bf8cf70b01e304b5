#include "platform/GroupAccess.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace {

bool InGroup(gid_t group) {
  if (getegid() == group) return true;
  const int count = getgroups(0, nullptr);
  std::vector<gid_t> groups(count > 0 ? static_cast<size_t>(count) : 0);
  if (count > 0 && getgroups(count, groups.data()) < 0) return false;
  return std::find(groups.begin(), groups.end(), group) != groups.end();
}

std::string GroupName(gid_t group) {
  const struct group* entry = getgrgid(group);
  return entry ? entry->gr_name : std::to_string(group);
}

std::string UserName() {
  const passwd* entry = getpwuid(getuid());
  return entry ? entry->pw_name : "USER";
}

}  // namespace

std::string MissingGroupCause(const std::string& folder) {
  for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string prefix = folder.substr(0, slash);
    const bool last = slash == std::string::npos;
    if (access(prefix.c_str(), last ? R_OK | X_OK : X_OK) != 0) {
      struct stat info;
      if (errno != EACCES || stat(prefix.c_str(), &info) != 0) return {};
      const mode_t groupNeeds = last ? (S_IRGRP | S_IXGRP) : S_IXGRP;
      if ((info.st_mode & groupNeeds) != groupNeeds || InGroup(info.st_gid)) return {};
      const std::string group = GroupName(info.st_gid);
      return "you are not in the group " + group +
             " (or your session started before you were added): " + prefix +
             " cannot be read; an administrator adds you with \"sudo adduser " + UserName() + " " + group +
             "\", then log in again";
    }
    if (last) return {};
  }
}
