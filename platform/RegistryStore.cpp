#include "platform/RegistryStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "digest/Digest.h"

namespace registry_store {
namespace {

constexpr const char* kDefaultRoot = "/var/lib/veltrane/registry";
// Encoded names longer than this are cut and made unique by a digest, leaving room under
// the file system's 255-byte limit for the value prefix.
constexpr size_t kMaxEncodedName = 200;
constexpr size_t kKeptPrefix = 160;
constexpr size_t kMaxHeader = 12;  // "4294967295\n" and one spare byte

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

bool SharedWithGroup(const std::string& folder) {
  struct stat info;
  return ::stat(folder.c_str(), &info) == 0 && (info.st_mode & S_ISGID) != 0;
}

std::string ParentFolder(const std::string& folder) {
  const size_t slash = folder.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : folder.substr(0, slash);
}

std::string ValuePath(const std::string& folder, const char* name) {
  return folder + "/=" + EncodeName(name ? name : "");
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  ~FileDescriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return m_fd; }
  // Closes now and reports the result: a failed close can mean lost data.
  bool Close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }

 private:
  int m_fd;
};

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

// Parses "<type>\n"; returns the header's length, or 0 when the file does not start with one.
size_t ParseHeader(int fd, DWORD& type) {
  char header[kMaxHeader];
  ssize_t got;
  do got = ::pread(fd, header, sizeof header, 0);
  while (got < 0 && errno == EINTR);
  uint64_t value = 0;
  for (ssize_t i = 0; i < got; ++i) {
    if (header[i] == '\n') {
      if (i == 0 || value > std::numeric_limits<DWORD>::max()) return 0;
      type = static_cast<DWORD>(value);
      return static_cast<size_t>(i) + 1;
    }
    if (header[i] < '0' || header[i] > '9') return 0;
    value = value * 10 + static_cast<unsigned>(header[i] - '0');
  }
  return 0;
}

}  // namespace

mode_t NewFileMode(const std::string& folder) { return SharedWithGroup(folder) ? 0660 : 0600; }

std::string LocalMachineFolder() {
  const char* root = std::getenv("VELTRANE_REGISTRY_ROOT");
  return std::string(root && *root ? root : kDefaultRoot) + "/HKEY_LOCAL_MACHINE";
}

LONG SubKeyFolder(const std::string& parentFolder, const char* subKey, std::string& folder) {
  folder = parentFolder;
  if (!subKey || !*subKey) return ERROR_SUCCESS;
  std::string_view rest(subKey);
  while (true) {
    const size_t end = rest.find('\\');
    const std::string_view component = rest.substr(0, end);
    if (component.empty()) return ERROR_INVALID_PARAMETER;
    folder += '/';
    folder += EncodeName(component);
    if (end == std::string_view::npos) return ERROR_SUCCESS;
    rest.remove_prefix(end + 1);
  }
}

LONG CheckKey(const std::string& folder, REGSAM desired) {
  struct stat info;
  if (::stat(folder.c_str(), &info) != 0) return ErrorFromErrno(errno);
  if (!S_ISDIR(info.st_mode)) return ERROR_ACCESS_DENIED;
  int mode = X_OK;
  if (desired & KEY_QUERY_VALUE) mode |= R_OK;
  if (desired & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) mode |= W_OK;
  if (::faccessat(AT_FDCWD, folder.c_str(), mode, AT_EACCESS) != 0) return ErrorFromErrno(errno);
  return ERROR_SUCCESS;
}

LONG CreateKey(const std::string& folder, bool& created) {
  created = false;
  for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string prefix = folder.substr(0, slash);
    if (::mkdir(prefix.c_str(), 0700) == 0) {
      // Set past the umask, which may have taken bits the owner or the group needs. In a
      // shared folder the new one already has the group and the set-group-ID bit.
      ::chmod(prefix.c_str(), SharedWithGroup(ParentFolder(prefix)) ? 02770 : 0700);
      created = slash == std::string::npos;
    } else if (errno != EEXIST) {
      return ErrorFromErrno(errno);
    }
    if (slash == std::string::npos) return ERROR_SUCCESS;
  }
}

LONG ReadValue(const std::string& folder, const char* name, DWORD& type, DWORD& size, BYTE* data,
               DWORD capacity) {
  FileDescriptor file(::open(ValuePath(folder, name).c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return ErrorFromErrno(errno);
  struct stat info;
  if (::fstat(file.get(), &info) != 0) return ErrorFromErrno(errno);
  if (!S_ISREG(info.st_mode)) return ERROR_BADDB;
  const size_t headerLength = ParseHeader(file.get(), type);
  if (headerLength == 0) return ERROR_BADDB;
  const uint64_t dataSize = static_cast<uint64_t>(info.st_size) - headerLength;
  if (dataSize > std::numeric_limits<DWORD>::max()) return ERROR_BADDB;
  size = static_cast<DWORD>(dataSize);
  if (data && capacity >= size && !ReadAll(file.get(), data, size, static_cast<off_t>(headerLength))) {
    return ERROR_BADDB;
  }
  return ERROR_SUCCESS;
}

LONG WriteValue(const std::string& folder, const char* name, DWORD type, const BYTE* data, DWORD size) {
  std::string temporary = folder + "/.tmp-XXXXXX";
  FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
  if (file.get() < 0) return ErrorFromErrno(errno);

  const std::string header = std::to_string(type) + "\n";
  const mode_t mode = NewFileMode(folder);
  const bool written = ::fchmod(file.get(), mode) == 0 &&
                       WriteAll(file.get(), header.data(), header.size()) &&
                       WriteAll(file.get(), data, size) && ::fsync(file.get()) == 0 && file.Close() &&
                       ::rename(temporary.c_str(), ValuePath(folder, name).c_str()) == 0;
  if (!written) {
    const int error = errno;
    ::unlink(temporary.c_str());
    return ErrorFromErrno(error);
  }
  // Makes the rename itself durable; the new value is already in place, so a failure here
  // is not reported as a failed write.
  FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.get() >= 0) ::fsync(directory.get());
  return ERROR_SUCCESS;
}

}  // namespace registry_store
