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
  // Never through a link that someone planted (a root process would create its target), and
  // never waiting on a FIFO.
  const int descriptor = open(m_path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
  if (descriptor < 0)
    throw std::runtime_error("The session lock file " + m_path +
                             " cannot be opened: " + std::strerror(errno));
  struct stat file {};
  if (fstat(descriptor, &file) != 0 || !S_ISREG(file.st_mode)) {
    close(descriptor);
    throw std::runtime_error("The session lock file " + m_path + " is not a plain file.");
  }
  // Read access is all an flock needs: whoever may read the database's folder (a member of its
  // group) can take and test it, whatever the umask of the process that made it.
  if (file.st_uid == geteuid()) fchmod(descriptor, 0644);
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
