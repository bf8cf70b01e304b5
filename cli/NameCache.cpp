#include "cli/NameCache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "db/CompletionNames.h"

namespace {

constexpr size_t kMaxAccounts = 10000;

std::string CacheFolder() {
  if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache == '/')
    return std::string(cache) + "/veltrane-admin";
  if (const char* home = std::getenv("HOME"); home && *home == '/')
    return std::string(home) + "/.cache/veltrane-admin";
  return {};
}

bool Printable(const std::string& name) {
  return !name.empty() && std::none_of(name.begin(), name.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
  });
}

void AppendNames(std::string& text, const char* kind, const std::vector<std::string>& names) {
  for (const std::string& name : names)
    if (Printable(name)) text += std::string(kind) + '\t' + name + '\n';
}

// Writes the whole text to a new file made for the owner alone, then puts it in place.
void WriteAtomically(const std::string& folder, const std::string& text) {
  std::string temporary = folder + "/names.XXXXXX";
  const int fd = mkstemp(temporary.data());  // mode 0600
  if (fd < 0) return;
  bool written = true;
  for (size_t at = 0; written && at < text.size();) {
    const ssize_t n = write(fd, text.data() + at, text.size() - at);
    written = n > 0;
    at += written ? static_cast<size_t>(n) : 0;
  }
  written = close(fd) == 0 && written;
  if (!written || std::rename(temporary.c_str(), (folder + "/names").c_str()) != 0) unlink(temporary.c_str());
}

}  // namespace

void WriteNameCache() {
  const std::string folder = CacheFolder();
  if (folder.empty()) return;
  mkdir(folder.substr(0, folder.rfind('/')).c_str(), 0700);
  mkdir(folder.c_str(), 0700);
  struct stat status {};
  // A folder someone else owns or may write in is not ours to put names in.
  if (lstat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != geteuid() ||
      (status.st_mode & 0077) != 0)
    return;
  const CompletionNames names = ReadCompletionNames(kMaxAccounts);
  std::string text;
  AppendNames(text, "computer", names.computers);
  AppendNames(text, "vserver", names.addresses);
  AppendNames(text, "user", names.accounts);
  WriteAtomically(folder, text);
}
