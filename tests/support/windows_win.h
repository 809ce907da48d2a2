#pragma once
// Small Windows helpers the Windows tests, the end-to-end tests and the
// Windows benchmarks share: paths from the build, another process's windows,
// and a file held open the way another program may hold it.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace winsupport {

// A path given by the build (a Unix path when built on Linux) as Windows,
// or Wine through drive Z:, sees it.
inline std::filesystem::path hostPath(std::string p) {
  if (!p.empty() && p[0] == '/') {
    std::replace(p.begin(), p.end(), '/', '\\');
    p = "Z:" + p;
  }
  return std::filesystem::path(p);
}

// A visible top-level window of the process with this window class, or
// nullptr when it has none (yet).
inline HWND visibleWindowOf(DWORD pid, const std::wstring& windowClass) {
  struct Search {
    DWORD pid;
    const std::wstring& cls;
    HWND found;
  } search{pid, windowClass, nullptr};
  EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner != s->pid || !IsWindowVisible(h)) return TRUE;
        wchar_t cls[128] = {};
        GetClassNameW(h, cls, 128);
        if (s->cls != cls) return TRUE;
        s->found = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A file or folder held open as another program may hold it, sharing
// nothing; INVALID_HANDLE_VALUE when it cannot be opened.
inline HANDLE holdUnshared(const std::filesystem::path& p) {
  return CreateFileW(p.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

}  // namespace winsupport
