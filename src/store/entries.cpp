#include "store/entries.h"

#include <algorithm>
#include <system_error>

#include "store/codec.h"
#include "store/file_io.h"
#include "store/listing.h"

namespace store {
namespace {

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::string_view prefixView(std::string_view name, size_t chars) {
  size_t i = 0;
  for (size_t n = 0; i < name.size() && n < chars; ++n)
    for (++i; i < name.size() && isContinuation(name[i]);) ++i;
  return name.substr(0, i);
}

std::string_view suffixView(std::string_view name, size_t chars) {
  size_t i = name.size();
  for (size_t n = 0; i > 0 && n < chars; ++n)
    while (i > 0 && isContinuation(name[--i])) {
    }
  return name.substr(i);
}

}  // namespace

std::string namePrefix(std::string_view name, size_t chars) { return std::string(prefixView(name, chars)); }
std::string nameSuffix(std::string_view name, size_t chars) { return std::string(suffixView(name, chars)); }

DiaryStore::DiaryStore(fs::path folder) : m_folder(std::move(folder)) {}

fs::path DiaryStore::entryFile(std::string_view key) const {
  return dataFolder() / fs::path(std::u8string(key.begin(), key.end()));
}

bool DiaryStore::ensureDataFolder() {
  std::error_code ec;
  if (fs::is_directory(dataFolder(), ec)) return true;
  fs::create_directories(dataFolder(), ec);
  return fs::is_directory(dataFolder(), ec);
}

bool DiaryStore::Rescan() {
  auto names = listOrdinaryFiles(dataFolder());
  if (!names) return false;
  m_listing = std::move(*names);
  return true;
}

namespace {

// Ordinary files of the folder whose names pass the test.
std::vector<fs::path> filesNamed(const fs::path& folder, bool (*test)(std::string_view)) {
  std::vector<fs::path> found;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::u8string name = it->path().filename().u8string();
    std::error_code typeEc;
    if (it->is_regular_file(typeEc) && test(std::string_view(reinterpret_cast<const char*>(name.data()), name.size())))
      found.push_back(it->path());
  }
  return found;
}

// Beside the program only the diary's own temporaries go: other programs'
// files may share the folder.
bool isOwnTemporary(std::string_view name) {
  return isTemporaryName(name) && (name.starts_with("~Pisarion") || name.starts_with("~Podatki"));
}

}  // namespace

void DiaryStore::removeLeftovers() {
  std::vector<fs::path> leftovers = filesNamed(m_folder, isOwnTemporary);
  for (fs::path& p : filesNamed(dataFolder(), isTemporaryName)) leftovers.push_back(std::move(p));
  for (const fs::path& p : leftovers) {
    std::error_code ec;
    fs::remove(p, ec);
  }
  auto temp = readFile(tempFile());
  if (temp && *temp != "\r\n") emptyTempFile();
}

bool DiaryStore::Exists(std::string_view key) const {
  return std::find(m_listing.begin(), m_listing.end(), key) != m_listing.end();
}

bool DiaryStore::EnsureToday(std::string_view todayKey) {
  if (Exists(todayKey)) return true;
  const fs::path file = entryFile(todayKey);
  std::error_code ec;
  // A file that exists but was not listed (hidden, say) must not be emptied.
  const bool ok = fs::exists(file, ec) || writeFilePlain(file, "");
  Rescan();
  return ok;
}

// TMP.tkw stays where the diary has always kept it, holding one empty line;
// it carries no text, so a file that cannot be written there fails nothing.
void DiaryStore::emptyTempFile() const { writeFilePlain(tempFile(), "\r\n"); }

bool DiaryStore::SaveCopy(const fs::path& file, std::string_view rtf) const {
  Lines encoded;
  transform(splitLines(rtf), encoded);
  return writeFileAtomic(file, joinLines(encoded), writeTemp());
}

bool DiaryStore::Save(std::string_view key, std::string_view rtf) {
  const bool ok = SaveCopy(entryFile(key), rtf);
  emptyTempFile();
  return ok;
}

EntryText DiaryStore::Load(std::string_view key) const {
  const fs::path file = entryFile(key);
  EntryText entry;
  if (auto encoded = readFile(file)) {
    Lines plain;
    transform(splitLines(*encoded), plain);
    entry = {EntryState::Read, joinLines(plain)};
  } else {
    std::error_code ec;
    const bool missing = fs::symlink_status(file, ec).type() == fs::file_type::not_found;
    entry.state = missing ? EntryState::Missing : EntryState::Unreadable;
  }
  emptyTempFile();
  return entry;
}

std::optional<std::string> DiaryStore::Read(std::string_view key, size_t maxBytes) const {
  return readEntryFile(entryFile(key), maxBytes);
}

std::optional<std::string> readEntryFile(const fs::path& file, size_t maxBytes, bool* cut) {
  // One byte past the limit tells whether there is more.
  std::optional<std::string> bytes = readFile(file, maxBytes == SIZE_MAX ? maxBytes : maxBytes + 1);
  if (!bytes) return std::nullopt;
  if (cut) *cut = bytes->size() > maxBytes;
  if (bytes->size() > maxBytes) bytes->resize(maxBytes);
  decodeEntry(*bytes);
  return bytes;
}

std::vector<std::string> DiaryStore::Years() const {
  std::vector<std::string> years;
  for (const auto& name : m_listing) {
    const std::string_view y = suffixView(name, 4);
    if (std::find(years.begin(), years.end(), y) == years.end()) years.emplace_back(y);
  }
  return years;
}

std::vector<std::string> DiaryStore::Months(std::string_view year) const {
  std::vector<std::string> months;
  for (const auto& name : m_listing) {
    if (suffixView(name, 4) != year) continue;
    const std::string_view m = prefixView(name, 2);
    if (std::find(months.begin(), months.end(), m) == months.end()) months.emplace_back(m);
  }
  return months;
}

std::vector<std::string> DiaryStore::Days(std::string_view month, std::string_view year) const {
  std::vector<std::string> days;
  for (const auto& name : m_listing)
    if (prefixView(name, 2) == month && suffixView(name, 4) == year) days.push_back(name);
  return days;
}

}  // namespace store
