#include "store/listing.h"

#include <algorithm>

#include <system_error>

namespace store {
namespace {

char foldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool hasCapital(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

}  // namespace

// Without capitals text order is plain byte order, which sorts faster; the
// data folder normally holds only date keys.
void sortAsText(std::vector<std::string>& names) {
  if (std::any_of(names.begin(), names.end(), hasCapital))
    std::sort(names.begin(), names.end(), textLess);
  else
    std::sort(names.begin(), names.end());
}

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

#ifndef _WIN32
std::optional<std::vector<std::string>> listOrdinaryFiles(const std::filesystem::path& folder,
                                                         std::string_view ending) {
  // Elsewhere a leading dot is what makes a file hidden.
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.' || isOwnFileName(name) || !name.ends_with(ending)) continue;
    // The name first: asking every file for its type costs a call apiece.
    std::error_code typeEc;
    if (!it->is_regular_file(typeEc)) continue;
    names.push_back(std::move(name));
  }
  if (ec) return std::nullopt;
  sortAsText(names);
  return names;
}

std::vector<std::filesystem::path> filesBeginningWith(const std::filesystem::path& folder, std::string_view beginning,
                                                      bool (*test)(std::string_view)) {
  std::vector<std::filesystem::path> found;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::u8string name = it->path().filename().u8string();
    const std::string_view view(reinterpret_cast<const char*>(name.data()), name.size());
    std::error_code typeEc;
    if (view.starts_with(beginning) && test(view) && it->is_regular_file(typeEc)) found.push_back(it->path());
  }
  return found;
}
#endif

}  // namespace store
