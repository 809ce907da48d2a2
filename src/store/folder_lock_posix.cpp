// The folder's lock where the disk is reached through POSIX calls (the
// native build and its tests): flock, which two openings conflict on even
// within one process.
#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "store/folder_lock.h"

namespace store {

FolderLock::FolderLock(const std::filesystem::path& folder) : m_file(folder / kFileName) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    const int fd = ::open(m_file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      m_state = errno == EWOULDBLOCK ? State::HeldElsewhere : State::Unavailable;
      ::close(fd);
      return;
    }
    // A diary that ended between the opening and the lock removed the file
    // this descriptor names: the lock must be on the file that has the name.
    struct stat held{}, named{};
    if (::fstat(fd, &held) == 0 && ::stat(m_file.c_str(), &named) == 0 && held.st_ino == named.st_ino) {
      m_handle = fd;
      m_state = State::Held;
      return;
    }
    ::close(fd);
  }
}

FolderLock::~FolderLock() {
  if (m_state != State::Held) return;
  ::unlink(m_file.c_str());
  ::close(static_cast<int>(m_handle));
}

}  // namespace store
#endif
