#include "db/FileLockLiveness.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

FileLockLiveness::FileLockLiveness(const std::string& databaseFile, int32_t userId)
    : m_path(databaseFile + "-session-" + std::to_string(userId)) {}

FileLockLiveness::~FileLockLiveness() { Drop(); }

bool FileLockLiveness::TryHold() {
  Drop();
  // Read access is enough for an flock, so any user who may read the folder's files (a
  // member of the database's group) can take and test it.
  const int descriptor = open(m_path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
  if (descriptor < 0)
    throw std::runtime_error("The session lock file " + m_path +
                             " cannot be opened: " + std::strerror(errno));
  if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    close(descriptor);
    if (error == EWOULDBLOCK) return false;
    throw std::runtime_error("The session lock file " + m_path +
                             " cannot be locked: " + std::strerror(error));
  }
  m_descriptor = descriptor;
  return true;
}

bool FileLockLiveness::Held() {
  struct stat held {
  }, named{};
  return m_descriptor >= 0 && fstat(m_descriptor, &held) == 0 && stat(m_path.c_str(), &named) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

void FileLockLiveness::Drop() {
  if (m_descriptor >= 0) close(m_descriptor);
  m_descriptor = -1;
}
