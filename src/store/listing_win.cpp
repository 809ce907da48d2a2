// The data folder's listing on Windows: the quickest listing the system
// offers, names and attributes only (no short names), fetched in large
// batches; a hundred years of entries is 36,500 names.
#include <windows.h>

#include <algorithm>

#include "store/listing.h"

namespace store {
namespace {

// Date keys are plain ASCII: copied as they are; anything else through the
// general conversion.
std::string utf8Of(const wchar_t* name) {
  std::string out;
  for (const wchar_t* p = name; *p; ++p) {
    if (*p >= 0x80) return [&] {
      const std::u8string u8 = std::filesystem::path(name).u8string();
      return std::string(u8.begin(), u8.end());
    }();
    out += static_cast<char>(*p);
  }
  return out;
}

}  // namespace

std::optional<std::vector<std::string>> listOrdinaryFiles(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  const std::wstring pattern = (folder / L"*").wstring();
  WIN32_FIND_DATAW data;
  // A folder that can be read always lists "." and "..": nothing found at
  // all means it could not be read.
  HANDLE h = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                              FIND_FIRST_EX_LARGE_FETCH);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  constexpr DWORD kNotListed = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  do {
    if (data.dwFileAttributes & kNotListed) continue;
    std::string name = utf8Of(data.cFileName);
    if (!isOwnFileName(name)) names.push_back(std::move(name));
  } while (FindNextFileW(h, &data));
  const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
  FindClose(h);
  if (!complete) return std::nullopt;
  sortAsText(names);
  return names;
}

}  // namespace store
