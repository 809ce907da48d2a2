// The folder's lock on Windows: sharing nothing keeps every other program on
// this system (and on others, through a network share) from opening the file;
// the locked byte does the same where sharing is not enforced across systems
// (Wine's separate prefixes, some network file systems).
#include <windows.h>

#include "store/folder_lock.h"

namespace store {

FolderLock::FolderLock(const std::filesystem::path& folder) : m_file(folder / kFileName) {
  // The diary that is ending marks its lock for removal, which refuses any
  // opening for a moment: that is waited out, never taken for a diary that runs.
  for (int attempt = 0; attempt < 20; ++attempt) {
    HANDLE h = CreateFileW(m_file.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_HIDDEN, nullptr);
    DWORD error = GetLastError();
    if (h != INVALID_HANDLE_VALUE) {
      OVERLAPPED first{};
      // A file system without byte locks still has the sharing to go by.
      if (LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &first) ||
          (error = GetLastError()) != ERROR_LOCK_VIOLATION) {
        m_handle = reinterpret_cast<std::intptr_t>(h);
        m_state = State::Held;
        return;
      }
      CloseHandle(h);
    }
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
      m_state = State::HeldElsewhere;
      return;
    }
    if (error != ERROR_ACCESS_DENIED) return;
    Sleep(50);
  }
}

FolderLock::~FolderLock() {
  if (m_state != State::Held) return;
  HANDLE h = reinterpret_cast<HANDLE>(m_handle);
  FILE_DISPOSITION_INFO gone{TRUE};
  const bool marked = SetFileInformationByHandle(h, FileDispositionInfo, &gone, sizeof gone);
  CloseHandle(h);
  if (!marked) DeleteFileW(m_file.c_str());
}

}  // namespace store
