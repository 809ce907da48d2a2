// The data folder's listing on Windows: the quickest listing the system
// offers, names and attributes only (no short names), fetched in large
// batches; a hundred years of entries is 36,500 names. What needs only some
// of them (one year's days, the diary's own files) names them by a pattern.
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

// Every name the pattern matches, with its attributes; false when the folder
// could not be read to the end. A folder that can be read always lists "."
// and ".." for "*": then nothing found at all means it could not be read;
// for a narrower pattern it may mean that nothing matched.
template <class Each>
bool eachFileMatching(const std::filesystem::path& folder, const std::wstring& pattern, Each each) {
  WIN32_FIND_DATAW data;
  // The system sees the pattern: names that do not match it are never asked
  // for their attributes (which under Wine costs a look at each file).
  HANDLE h = FindFirstFileExW((folder / pattern).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                              FIND_FIRST_EX_LARGE_FETCH);
  if (h == INVALID_HANDLE_VALUE) {
    // Nothing matched, in a folder that can be read: the empty answer.
    return GetLastError() == ERROR_FILE_NOT_FOUND && pattern != L"*" &&
           GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  do each(data);
  while (FindNextFileW(h, &data));
  const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
  FindClose(h);
  return complete;
}

std::wstring asciiWide(std::string_view s) { return std::wstring(s.begin(), s.end()); }

}  // namespace

std::optional<std::vector<std::string>> listOrdinaryFiles(const std::filesystem::path& folder,
                                                         std::string_view ending) {
  std::vector<std::string> names;
  constexpr DWORD kNotListed = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  const bool read = eachFileMatching(folder, L"*" + asciiWide(ending), [&](const WIN32_FIND_DATAW& data) {
    if (data.dwFileAttributes & kNotListed) return;
    std::string name = utf8Of(data.cFileName);
    // The pattern may match a name by its short form too.
    if (!isOwnFileName(name) && name.ends_with(ending)) names.push_back(std::move(name));
  });
  if (!read) return std::nullopt;
  sortAsText(names);
  return names;
}

std::vector<std::filesystem::path> filesBeginningWith(const std::filesystem::path& folder, std::string_view beginning,
                                                      bool (*test)(std::string_view)) {
  std::vector<std::filesystem::path> found;
  eachFileMatching(folder, asciiWide(beginning) + L"*", [&](const WIN32_FIND_DATAW& data) {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
    const std::string name = utf8Of(data.cFileName);
    if (name.starts_with(beginning) && test(name)) found.push_back(folder / data.cFileName);
  });
  return found;
}

}  // namespace store
