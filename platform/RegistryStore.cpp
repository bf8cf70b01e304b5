#include "platform/RegistryStore.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <vector>

#include "digest/Digest.h"
#include "platform/FileDescriptor.h"
#include "platform/RootTrust.h"

namespace registry_store {
namespace {

constexpr const char* kDefaultRoot = "/var/lib/veltrane/registry";
// Encoded names longer than this are cut and made unique by a digest, leaving room under
// the file system's 255-byte limit for the value prefix.
constexpr size_t kMaxEncodedName = 200;
constexpr size_t kKeptPrefix = 160;
// "4294967295 =", the encoded name and "\n", with room to spare.
constexpr size_t kMaxHeader = 256;

LONG ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case ENOTDIR:
    case EEXIST:
    case EISDIR:
    case ELOOP:  // a symbolic link where the store keeps a folder or a value
      return ERROR_ACCESS_DENIED;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return ERROR_DISK_FULL;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case ENAMETOOLONG:
      return ERROR_INVALID_PARAMETER;
    default:
      return ERROR_IO_DEVICE;
  }
}

bool NeedsEscape(unsigned char c, bool first) {
  return c == '%' || c == '/' || c == '=' || c == '~' || c < 0x20 || c == 0x7F || (first && c == '.');
}

// A key or value name as a file-name component: "." and ".." and temporary files (leading
// ".") cannot arise, and "=" is left free to mark values.
std::string EncodeName(std::string_view name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (NeedsEscape(c, i == 0)) {
      encoded += '%';
      encoded += kHex[c >> 4];
      encoded += kHex[c & 0x0F];
    } else {
      encoded += static_cast<char>(c);
    }
  }
  if (encoded.size() > kMaxEncodedName) {
    encoded = encoded.substr(0, kKeptPrefix) + "~" +
              DigestBytes(encoded.data(), static_cast<uint32_t>(encoded.size()));
  }
  return encoded;
}

bool SharedWithGroup(const struct stat& info) { return (info.st_mode & S_ISGID) != 0; }

bool SharedWithGroup(const std::string& folder) {
  struct stat info;
  return ::stat(folder.c_str(), &info) == 0 && SharedWithGroup(info);
}

bool SharedWithGroup(int folder) {
  struct stat info;
  return ::fstat(folder, &info) == 0 && SharedWithGroup(info);
}

std::string ParentFolder(const std::string& folder) {
  const size_t slash = folder.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : folder.substr(0, slash);
}

std::string ValueFileName(const char* name) { return "=" + EncodeName(name ? name : ""); }

mode_t FolderMode(bool shared) { return shared ? 02770 : 0700; }

// Makes every missing folder of path (the store's root and those above it), each shared as
// its parent is; created tells whether the last one is new.
LONG MakeFolders(const std::string& path, bool& created) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string prefix = path.substr(0, slash);
    if (::mkdir(prefix.c_str(), 0700) == 0) {
      // Set past the umask, which may have taken bits the owner or the group needs. In a
      // shared folder the new one already has the group and the set-group-ID bit.
      ::chmod(prefix.c_str(), FolderMode(SharedWithGroup(ParentFolder(prefix))));
      created = slash == std::string::npos;
    } else if (errno != EEXIST) {
      return ErrorFromErrno(errno);
    } else {
      created = false;
    }
    if (slash == std::string::npos) return ERROR_SUCCESS;
  }
}

// The folder name in parent, never through a symbolic link; made first when create asks
// and it is missing. An invalid descriptor, with errno set, when it cannot be opened.
FileDescriptor OpenFolderBelow(int parent, const std::string& name, bool create, bool& created) {
  created = create && ::mkdirat(parent, name.c_str(), 0700) == 0;
  if (create && !created && errno != EEXIST) return FileDescriptor();
  if (!created)
    return FileDescriptor(::openat(parent, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  FileDescriptor made(::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (made.get() >= 0) ::fchmod(made.get(), FolderMode(SharedWithGroup(parent)));
  return made;
}

// The key's own folder, walked down from the root; made where missing when create asks.
FileDescriptor OpenKeyFolder(const KeyPath& key, bool create, bool& created) {
  created = false;
  if (create) {
    const LONG status = MakeFolders(key.root, created);
    if (status != ERROR_SUCCESS) return FileDescriptor();
  }
  FileDescriptor folder(::open(key.root.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  for (size_t begin = 0; folder.get() >= 0 && begin < key.below.size();) {
    const size_t end = std::min(key.below.find('/', begin), key.below.size());
    folder = OpenFolderBelow(folder.get(), key.below.substr(begin, end - begin), create, created);
    begin = end + 1;
  }
  return folder;
}

bool WriteAll(int fd, const void* data, size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = ::write(fd, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

// Reads exactly size bytes at offset; false on error or a file shorter than that.
bool ReadAll(int fd, void* data, size_t size, off_t offset) {
  auto* bytes = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t got = ::pread(fd, bytes, size, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    bytes += got;
    size -= static_cast<size_t>(got);
    offset += got;
  }
  return true;
}

// The first line of a value file: the type in decimal, then a space and the file's name
// when it was written (so that a value renamed to another name is known), then "\n".
struct Header {
  size_t length = 0;  // 0 when the file does not start with a header
  DWORD type = 0;
  std::string fileName;  // empty in a header written before names were kept
};

Header ParseHeader(int fd) {
  char bytes[kMaxHeader];
  ssize_t got;
  do got = ::pread(fd, bytes, sizeof bytes, 0);
  while (got < 0 && errno == EINTR);
  const std::string_view text(bytes, got > 0 ? static_cast<size_t>(got) : 0);
  const size_t end = text.find('\n');
  const size_t space = text.substr(0, end).find(' ');
  const std::string_view digits = text.substr(0, std::min(space, end));
  if (end == std::string_view::npos || digits.empty() || digits.size() > 10) return {};
  uint64_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return {};
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value > std::numeric_limits<DWORD>::max()) return {};
  Header header{end + 1, static_cast<DWORD>(value), {}};
  if (space != std::string_view::npos) header.fileName = text.substr(space + 1, end - space - 1);
  return header;
}

std::string OwnerName(uid_t uid) {
  const passwd* user = ::getpwuid(uid);
  return user ? user->pw_name : "uid " + std::to_string(uid);
}

// Why root must not read this value file as it stands; empty when it may.
std::string RootDistrust(const struct stat& info, const Header& header, const std::string& fileName) {
  if (info.st_uid != 0) return "it was written by " + OwnerName(info.st_uid);
  if (info.st_mode & (S_IWGRP | S_IWOTH)) return "others may change it";
  if (!header.fileName.empty() && header.fileName != fileName)
    return "it was written as " + header.fileName + " and renamed";
  return {};
}

// Whether the file already holds exactly this header and these bytes.
bool Holds(int fd, const struct stat& info, const std::string& header, const BYTE* data, DWORD size) {
  if (!S_ISREG(info.st_mode) || static_cast<uint64_t>(info.st_size) != header.size() + size) return false;
  std::vector<char> stored(header.size() + size);
  return ReadAll(fd, stored.data(), stored.size(), 0) &&
         std::string_view(stored.data(), header.size()) == header &&
         (size == 0 || std::equal(data, data + size, stored.data() + header.size()));
}

// A value that already holds these bytes and is as a new one would be to a root reader.
bool Unchanged(int folder, const std::string& fileName, const std::string& header, const BYTE* data,
               DWORD size) {
  FileDescriptor file(::openat(folder, fileName.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  struct stat info;
  if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !Holds(file.get(), info, header, data, size))
    return false;
  return !RunningAsRoot() || RootDistrust(info, ParseHeader(file.get()), fileName).empty();
}

// A new file of its own in folder, for the value's next bytes; its name in temporary.
FileDescriptor CreateTemporary(int folder, std::string& temporary) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    uint64_t random = 0;
    if (::getrandom(&random, sizeof random, 0) != sizeof random) return FileDescriptor();
    temporary = ".tmp-" + std::to_string(random);
    FileDescriptor file(
        ::openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (file.get() >= 0 || errno != EEXIST) return file;
  }
  return FileDescriptor();
}

}  // namespace

std::string RootDistrust(const KeyPath& key, const char* name) {
  if (!RunningAsRoot() || RootTrustsGroup()) return {};
  bool created = false;
  const FileDescriptor folder = OpenKeyFolder(key, false, created);
  if (folder.get() < 0) return errno == ELOOP || errno == ENOTDIR ? "a symbolic link is on its way" : "";
  const std::string fileName = ValueFileName(name);
  const FileDescriptor file(::openat(folder.get(), fileName.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  struct stat info;
  if (file.get() < 0) return errno == ELOOP ? "it is a symbolic link" : "";
  if (::fstat(file.get(), &info) != 0) return {};
  return RootDistrust(info, ParseHeader(file.get()), fileName);
}

mode_t NewFileMode(const std::string& folder) { return SharedWithGroup(folder) ? 0660 : 0600; }

KeyPath LocalMachineKey() {
  const char* root = std::getenv("VELTRANE_REGISTRY_ROOT");
  return {root && *root ? root : kDefaultRoot, "HKEY_LOCAL_MACHINE"};
}

LONG SubKeyPath(const KeyPath& parent, const char* subKey, KeyPath& key) {
  key = parent;
  if (!subKey || !*subKey) return ERROR_SUCCESS;
  std::string_view rest(subKey);
  while (true) {
    const size_t end = rest.find('\\');
    const std::string_view component = rest.substr(0, end);
    if (component.empty()) return ERROR_INVALID_PARAMETER;
    key.below += '/';
    key.below += EncodeName(component);
    if (end == std::string_view::npos) return ERROR_SUCCESS;
    rest.remove_prefix(end + 1);
  }
}

LONG CheckKey(const KeyPath& key, REGSAM desired) {
  bool created = false;
  const FileDescriptor folder = OpenKeyFolder(key, false, created);
  if (folder.get() < 0) return ErrorFromErrno(errno);
  int mode = X_OK;
  if (desired & KEY_QUERY_VALUE) mode |= R_OK;
  if (desired & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) mode |= W_OK;
  // The walk found no symbolic link on the way, so the path names the folder it opened.
  if (::faccessat(AT_FDCWD, key.Folder().c_str(), mode, AT_EACCESS) != 0) return ErrorFromErrno(errno);
  return ERROR_SUCCESS;
}

LONG CreateKey(const KeyPath& key, bool& created) {
  const FileDescriptor folder = OpenKeyFolder(key, true, created);
  return folder.get() < 0 ? ErrorFromErrno(errno) : ERROR_SUCCESS;
}

LONG ReadValue(const KeyPath& key, const char* name, DWORD& type, DWORD& size, BYTE* data, DWORD capacity) {
  bool created = false;
  const FileDescriptor folder = OpenKeyFolder(key, false, created);
  if (folder.get() < 0) return ErrorFromErrno(errno);
  const std::string fileName = ValueFileName(name);
  FileDescriptor file(::openat(folder.get(), fileName.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  if (file.get() < 0) return ErrorFromErrno(errno);
  struct stat info;
  if (::fstat(file.get(), &info) != 0) return ErrorFromErrno(errno);
  if (!S_ISREG(info.st_mode)) return ERROR_BADDB;
  const Header header = ParseHeader(file.get());
  if (header.length == 0) return ERROR_BADDB;
  if (RunningAsRoot() && !RootTrustsGroup() && !RootDistrust(info, header, fileName).empty())
    return ERROR_ACCESS_DENIED;
  const uint64_t dataSize = static_cast<uint64_t>(info.st_size) - header.length;
  if (dataSize > std::numeric_limits<DWORD>::max()) return ERROR_BADDB;
  type = header.type;
  size = static_cast<DWORD>(dataSize);
  if (data && capacity >= size && !ReadAll(file.get(), data, size, static_cast<off_t>(header.length))) {
    return ERROR_BADDB;
  }
  return ERROR_SUCCESS;
}

LONG WriteValue(const KeyPath& key, const char* name, DWORD type, const BYTE* data, DWORD size) {
  bool created = false;
  const FileDescriptor folder = OpenKeyFolder(key, false, created);
  if (folder.get() < 0) return ErrorFromErrno(errno);
  const std::string fileName = ValueFileName(name);
  const std::string header = std::to_string(type) + " " + fileName + "\n";
  if (Unchanged(folder.get(), fileName, header, data, size)) return ERROR_SUCCESS;

  std::string temporary;
  FileDescriptor file = CreateTemporary(folder.get(), temporary);
  if (file.get() < 0) return ErrorFromErrno(errno);
  const bool shared = SharedWithGroup(folder.get());
  const mode_t mode = shared ? (RunningAsRoot() ? 0640 : 0660) : 0600;
  const bool written = ::fchmod(file.get(), mode) == 0 &&
                       WriteAll(file.get(), header.data(), header.size()) &&
                       WriteAll(file.get(), data, size) && ::fsync(file.get()) == 0 && file.Close() &&
                       ::renameat(folder.get(), temporary.c_str(), folder.get(), fileName.c_str()) == 0;
  if (!written) {
    const int error = errno;
    ::unlinkat(folder.get(), temporary.c_str(), 0);
    return ErrorFromErrno(error);
  }
  // Makes the rename itself durable; the new value is already in place, so a failure here
  // is not reported as a failed write.
  const FileDescriptor directory(::openat(folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.get() >= 0) ::fsync(directory.get());
  return ERROR_SUCCESS;
}

}  // namespace registry_store
