// The durable write and replace where the disk is reached through POSIX
// calls (the native build and its tests).
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "store/file_io.h"

namespace store {
namespace {

bool writeFully(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// The folder's own entry for the new name reaches the disk only when the
// folder is synced too.
void syncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool writeFileDurably(const fs::path& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool ok = writeFully(fd, bytes) && ::fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
}

NewFile writeNewFile(const fs::path& path, std::string_view bytes) {
  // O_EXCL refuses any name that is there, a link pointing nowhere included.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return errno == EEXIST ? NewFile::NameTaken : NewFile::Failed;
  const bool ok = writeFully(fd, bytes) && ::fsync(fd) == 0;
  if (::close(fd) == 0 && ok) return NewFile::Written;
  ::unlink(path.c_str());  // made by this call: no half file stays under the name
  return NewFile::Failed;
}

bool replaceFileDurably(const fs::path& from, const fs::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return false;
  syncFolder(to.parent_path());
  return true;
}

}  // namespace store
#endif
