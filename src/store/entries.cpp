#include "store/entries.h"

#include <algorithm>
#include <system_error>
#include <utility>

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

Fingerprint fingerprintOf(std::string_view bytes) {
  uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a: enough to tell two versions of a day apart
  for (unsigned char c : bytes) hash = (hash ^ c) * 0x100000001b3ull;
  return {true, bytes.size(), hash};
}

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
  if (m_holds > 0 && m_listed) return true;
  return listWhole();
}

bool DiaryStore::listWhole() const {
  auto names = listOrdinaryFiles(dataFolder());
  if (!names) return false;
  m_listing = std::move(*names);
  m_listed = true;
  m_yearListed.clear();
  return true;
}

bool DiaryStore::RescanYear(std::string_view year) {
  if (m_holds > 0 && m_listed) return true;
  auto names = listOrdinaryFiles(dataFolder(), year);
  if (!names) return false;
  m_listing = std::move(*names);
  m_listed = true;
  m_yearListed = year;
  return true;
}

const std::vector<std::string>& DiaryStore::listing() const {
  if (!m_yearListed.empty()) listWhole();
  return m_listing;
}

namespace {

// Beside the program only the diary's own temporaries go: other programs'
// files may share the folder.
bool isOwnTemporary(std::string_view name) {
  return isTemporaryName(name) && (name.starts_with("~Pisarion") || name.starts_with("~Podatki"));
}

// The data folder's lock is a temporary by name, but one this diary may hold.
bool isLeftoverInDataFolder(std::string_view name) { return isTemporaryName(name) && name != FolderLock::kFileName; }

}  // namespace

bool DiaryStore::HoldLock() {
  if (!m_lock) m_lock.emplace(dataFolder());
  return m_lock->state() != FolderLock::State::HeldElsewhere;
}

void DiaryStore::removeLeftovers() {
  // Only names beginning with a tilde are looked at: a hundred years of days
  // are not asked for their types.
  std::vector<fs::path> leftovers = filesBeginningWith(m_folder, "~", isOwnTemporary);
  for (fs::path& p : filesBeginningWith(dataFolder(), "~", isLeftoverInDataFolder)) leftovers.push_back(std::move(p));
  for (const fs::path& p : leftovers) {
    std::error_code ec;
    fs::remove(p, ec);
  }
  auto temp = readFile(tempFile());
  if (temp && *temp != "\r\n") emptyTempFile();
}

bool DiaryStore::Exists(std::string_view key) const {
  if (!m_yearListed.empty() && suffixView(key, 4) != m_yearListed) listWhole();
  return std::find(m_listing.begin(), m_listing.end(), key) != m_listing.end();
}

bool DiaryStore::ensureToday(std::string_view todayKey) {
  if (Exists(todayKey)) return true;
  const NewFile made = writeNewFile(entryFile(todayKey), "");
  if (made == NewFile::Written) {
    const std::string key(todayKey);
    m_listing.insert(std::lower_bound(m_listing.begin(), m_listing.end(), key, textLess), key);
  } else if (made == NewFile::NameTaken) {
    const int holds = std::exchange(m_holds, 0);
    Rescan();
    m_holds = holds;
  }
  return made != NewFile::Failed;
}

// TMP.tkw stays where the diary has always kept it, holding one empty line;
// it carries no text, so a file that cannot be written there fails nothing.
void DiaryStore::emptyTempFile() const { writeFilePlain(tempFile(), "\r\n"); }

namespace {

std::string encoded(std::string_view rtf) {
  Lines lines;
  transform(splitLines(rtf), lines);
  return joinLines(lines);
}

}  // namespace

std::optional<std::string> DiaryStore::entryBytes(std::string_view key, std::string_view rtf) const {
  if (sealsWrites()) return sealEntry(*m_key, key, rtf);
  return encoded(rtf);
}

bool DiaryStore::SaveCopy(const fs::path& file, std::string_view key, std::string_view rtf) const {
  const std::optional<std::string> bytes = entryBytes(key, rtf);
  return bytes && writeFileAtomic(file, *bytes, writeTemp());
}

void DiaryStore::setKey(SharedKey key, bool sealWrites) {
  m_key = std::move(key);
  m_sealWrites = sealWrites;
}

bool DiaryStore::InWrittenForm(std::string_view key) const {
  const std::optional<std::string> bytes = readFile(entryFile(key), kEntryMagic.size());
  return bytes && (bytes->empty() || isSealedEntry(*bytes) == sealsWrites());
}

bool DiaryStore::Convert(std::string_view key) {
  const FileRead read = readExistingFile(entryFile(key));
  if (read.state == FileState::Missing) return true;
  if (read.state == FileState::Unreadable) return false;
  // An empty entry holds no text to seal.
  if (read.bytes.empty() || isSealedEntry(read.bytes) == sealsWrites()) return true;
  const Fingerprint before = fingerprintOf(read.bytes);
  std::optional<std::string> rtf = entryText(read.bytes, key, m_key.get());
  if (!rtf) return false;
  const std::optional<std::string> bytes = entryBytes(key, *rtf);
  crypto::cleanse(rtf->data(), rtf->size());
  if (!bytes || !writeFileAtomic(entryFile(key), *bytes, writeTemp())) return false;
  // The day on screen was loaded in the old form: its save must not take the
  // converted file for another program's version. One changed by another
  // program before is still kept aside at the next save.
  if (const auto it = m_known.find(key); it != m_known.end() && it->second == before) it->second = fingerprintOf(*bytes);
  return true;
}

fs::path DiaryStore::keptName(std::string_view key, int n) const {
  std::string name = "~" + std::string(key) + " (druga različica" + (n > 1 ? " " + std::to_string(n) : "") + ")";
  return dataFolder() / fs::path(std::u8string(name.begin(), name.end()));
}

std::optional<fs::path> DiaryStore::keepChangedVersion(std::string_view key, const Fingerprint& known) {
  const FileRead now = readExistingFile(entryFile(key));
  if (now.state == FileState::Unreadable) return std::nullopt;
  // A file gone, or emptied, holds nothing to lose.
  if (now.state == FileState::Missing || now.bytes.empty() || fingerprintOf(now.bytes) == known) return fs::path();
  for (int n = 1; n < 1000; ++n) {
    const fs::path kept = keptName(key, n);
    switch (writeNewFile(kept, now.bytes)) {
      case NewFile::Written:
        m_known.insert_or_assign(std::string(key), fingerprintOf(now.bytes));  // kept: it may be written over now
        return kept;
      case NewFile::NameTaken: continue;
      case NewFile::Failed: return std::nullopt;
    }
  }
  return std::nullopt;
}

Saved DiaryStore::Save(std::string_view key, std::string_view rtf) {
  Saved saved;
  const auto known = m_known.find(key);
  const std::optional<fs::path> kept = known == m_known.end() ? fs::path() : keepChangedVersion(key, known->second);
  const std::optional<std::string> bytes = kept ? entryBytes(key, rtf) : std::nullopt;
  if (bytes) {
    saved.keptAside = *kept;
    saved.ok = writeFileAtomic(entryFile(key), *bytes, writeTemp());
    if (saved.ok) m_known.insert_or_assign(std::string(key), fingerprintOf(*bytes));
  }
  emptyTempFile();
  return saved;
}

EntryText DiaryStore::Load(std::string_view key) {
  const fs::path file = entryFile(key);
  EntryText entry;
  FileRead read = readExistingFile(file);
  switch (read.state) {
    case FileState::Read: {
      // A sealed day that does not open is a damaged one: never missing,
      // never saved over.
      const Fingerprint print = fingerprintOf(read.bytes);
      std::optional<std::string> rtf;
      if (isSealedEntry(read.bytes)) {
        if (m_key) rtf = openEntry(*m_key, key, read.bytes);
      } else {
        // Decoded where it lies (a long day is not cut into a string a
        // line); every line ends in CR LF, a last one without it gains it.
        rtf = std::move(read.bytes);
        decodeEntry(*rtf);
        if (!rtf->empty() && !rtf->ends_with("\r\n")) *rtf += "\r\n";
      }
      if (!rtf) {
        if (const auto it = m_known.find(key); it != m_known.end()) m_known.erase(it);
        entry.state = EntryState::Unreadable;
        break;
      }
      m_known.insert_or_assign(std::string(key), print);
      entry = {EntryState::Read, std::move(*rtf)};
      break;
    }
    case FileState::Missing:
      m_known.insert_or_assign(std::string(key), Fingerprint{});
      entry.state = EntryState::Missing;
      break;
    case FileState::Unreadable:
      if (const auto it = m_known.find(key); it != m_known.end()) m_known.erase(it);
      entry.state = EntryState::Unreadable;
      break;
  }
  emptyTempFile();
  return entry;
}

std::optional<std::string> DiaryStore::Read(std::string_view key, size_t maxBytes) const {
  return readEntryFile(entryFile(key), maxBytes, nullptr, m_key.get());
}

std::optional<std::string> entryText(std::string bytes, std::string_view dateKey, const SecretKey* key) {
  if (!isSealedEntry(bytes)) {
    decodeEntry(bytes);
    return bytes;
  }
  if (!key) return std::nullopt;
  return openEntry(*key, dateKey, bytes);
}

std::optional<std::string> readEntryFile(const fs::path& file, size_t maxBytes, bool* cut, const SecretKey* key) {
  // A sealed entry opens only whole; one byte past the limit tells whether there is more.
  const bool sealed = readFile(file, kEntryMagic.size()).value_or("").starts_with(kEntryMagic);
  const size_t limit = sealed ? kMaxEntryBytes + kEntryMagic.size() + 64 : maxBytes;
  std::optional<std::string> bytes = readFile(file, limit == SIZE_MAX ? limit : limit + 1);
  if (!bytes) return std::nullopt;
  if (sealed) {
    const std::u8string name = file.filename().u8string();
    bytes = entryText(std::move(*bytes), std::string_view(reinterpret_cast<const char*>(name.data()), name.size()), key);
    if (!bytes) return std::nullopt;
  }
  if (cut) *cut = bytes->size() > maxBytes;
  if (bytes->size() > maxBytes) bytes->resize(maxBytes);
  // A keyless entry is cut as it lies on disk, then decoded, so a limit
  // inside a CR LF leaves its CR as the ordinary byte it then is.
  if (!sealed) decodeEntry(*bytes);
  return bytes;
}

std::vector<std::string> DiaryStore::Years() const {
  listing();
  std::vector<std::string> years;
  for (const auto& name : m_listing) {
    const std::string_view y = suffixView(name, 4);
    if (std::find(years.begin(), years.end(), y) == years.end()) years.emplace_back(y);
  }
  return years;
}

std::vector<std::string> DiaryStore::Months(std::string_view year) const {
  if (year != m_yearListed) listing();
  std::vector<std::string> months;
  for (const auto& name : m_listing) {
    if (suffixView(name, 4) != year) continue;
    const std::string_view m = prefixView(name, 2);
    if (std::find(months.begin(), months.end(), m) == months.end()) months.emplace_back(m);
  }
  return months;
}

std::vector<std::string> DiaryStore::Days(std::string_view month, std::string_view year) const {
  if (year != m_yearListed) listing();
  std::vector<std::string> days;
  for (const auto& name : m_listing)
    if (prefixView(name, 2) == month && suffixView(name, 4) == year) days.push_back(name);
  return days;
}

}  // namespace store
