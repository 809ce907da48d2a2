#include "store/listing.h"

#include <algorithm>

#ifdef _WIN32
#include <io.h>
#else
#include <system_error>
#endif

namespace store {
namespace {

char foldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool hasCapital(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// Without capitals text order is plain byte order, which sorts faster; the
// data folder normally holds only date keys.
void sortAsText(std::vector<std::string>& names) {
  if (std::any_of(names.begin(), names.end(), hasCapital))
    std::sort(names.begin(), names.end(), textLess);
  else
    std::sort(names.begin(), names.end());
}

}  // namespace

bool isTemporaryName(std::string_view name) {
  return name.size() > 5 && name.front() == '~' && name.substr(name.size() - 4) == ".tmp";
}

bool isOwnFileName(std::string_view name) { return !name.empty() && name.front() == '~'; }

bool textLess(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(foldCase(a[i])), y = static_cast<unsigned char>(foldCase(b[i]));
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

#ifdef _WIN32
std::optional<std::vector<std::string>> listOrdinaryFiles(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  const std::wstring pattern = (folder / L"*").wstring();
  _wfinddata64_t data;
  // A folder that can be read always lists "." and "..": nothing found at
  // all means it could not be read.
  intptr_t h = _wfindfirst64(pattern.c_str(), &data);
  if (h == -1) return std::nullopt;
  do {
    if (data.attrib & (_A_SUBDIR | _A_HIDDEN | _A_SYSTEM)) continue;
    const std::u8string u8 = std::filesystem::path(data.name).u8string();
    std::string name(u8.begin(), u8.end());
    if (!isOwnFileName(name)) names.push_back(std::move(name));
  } while (_wfindnext64(h, &data) == 0);
  _findclose(h);
  sortAsText(names);
  return names;
}
#else
std::optional<std::vector<std::string>> listOrdinaryFiles(const std::filesystem::path& folder) {
  // Elsewhere a leading dot is what makes a file hidden.
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeEc;
    if (!it->is_regular_file(typeEc)) continue;
    std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.' || isOwnFileName(name)) continue;
    names.push_back(std::move(name));
  }
  if (ec) return std::nullopt;
  sortAsText(names);
  return names;
}
#endif

}  // namespace store
