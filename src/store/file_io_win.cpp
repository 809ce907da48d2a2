// The durable write and replace on Windows: the temporary's bytes are flushed
// from the system's cache to the disk before it takes the entry's name, and
// the move is written through, so that after a power cut the entry is either
// the old or the new one, never a name pointing at unwritten bytes.
#include <windows.h>

#include "store/file_io.h"

namespace store {
namespace {

bool writeAndFlush(HANDLE h, std::string_view bytes) {
  bool ok = true;
  while (ok && !bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    ok = WriteFile(h, bytes.data(), chunk, &written, nullptr) && written == chunk;
    bytes.remove_prefix(written);
  }
  return ok && FlushFileBuffers(h);
}

}  // namespace

bool writeFileDurably(const fs::path& path, std::string_view bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool ok = writeAndFlush(h, bytes);
  return CloseHandle(h) && ok;
}

NewFile writeNewFile(const fs::path& path, std::string_view bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? NewFile::NameTaken : NewFile::Failed;
  }
  const bool ok = writeAndFlush(h, bytes);
  if (CloseHandle(h) && ok) return NewFile::Written;
  DeleteFileW(path.c_str());  // made by this call: no half file stays under the name
  return NewFile::Failed;
}

bool replaceFileDurably(const fs::path& from, const fs::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

SharedReader::SharedReader(const fs::path& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h != INVALID_HANDLE_VALUE) m_file = h;
}

SharedReader::~SharedReader() {
  if (m_file) CloseHandle(m_file);
}

std::optional<size_t> SharedReader::read(char* buf, size_t size) {
  if (!m_file) return std::nullopt;
  DWORD n = 0;
  const DWORD want = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
  if (!ReadFile(m_file, buf, want, &n, nullptr)) return std::nullopt;
  return n;
}

DurableWriter::DurableWriter(const fs::path& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) m_file = h;
}

DurableWriter::~DurableWriter() { close(); }

void DurableWriter::close() {
  if (!m_file) return;
  if (!CloseHandle(m_file)) m_failed = true;
  m_file = nullptr;
}

bool DurableWriter::write(std::string_view bytes) {
  if (!m_file || m_failed) return false;
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(m_file, bytes.data(), chunk, &written, nullptr) || written != chunk) {
      m_failed = true;
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

bool DurableWriter::finish() {
  if (!m_file) return false;
  if (!FlushFileBuffers(m_file)) m_failed = true;
  close();
  return !m_failed;
}

}  // namespace store
