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

SharedReader::SharedReader(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) m_file = new int(fd);
}

SharedReader::~SharedReader() {
  if (!m_file) return;
  ::close(*static_cast<int*>(m_file));
  delete static_cast<int*>(m_file);
}

std::optional<size_t> SharedReader::read(char* buf, size_t size) {
  if (!m_file) return std::nullopt;
  for (;;) {
    const ssize_t n = ::read(*static_cast<int*>(m_file), buf, size);
    if (n >= 0) return static_cast<size_t>(n);
    if (errno != EINTR) return std::nullopt;
  }
}

DurableWriter::DurableWriter(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd >= 0) m_file = new int(fd);
}

DurableWriter::~DurableWriter() { close(); }

void DurableWriter::close() {
  if (!m_file) return;
  if (::close(*static_cast<int*>(m_file)) != 0) m_failed = true;
  delete static_cast<int*>(m_file);
  m_file = nullptr;
}

bool DurableWriter::write(std::string_view bytes) {
  if (!m_file || m_failed) return false;
  m_failed = !writeFully(*static_cast<int*>(m_file), bytes);
  return !m_failed;
}

bool DurableWriter::finish() {
  if (!m_file) return false;
  if (::fsync(*static_cast<int*>(m_file)) != 0) m_failed = true;
  close();
  return !m_failed;
}

}  // namespace store
#endif
