#pragma once
// The diary's entries: one file per day in the data folder Podatki, named by
// its date key, holding that day's rich text encoded line by line. The set of
// file names is the list of days; there is no index.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/folder_lock.h"
#include "store/sealed.h"

namespace store {

namespace fs = std::filesystem;

// What reading a day's entry found. A file that exists but cannot be read
// is never taken for a missing one: the day it holds must not be saved over.
enum class EntryState { Read, Missing, Unreadable };

struct EntryText {
  EntryState state = EntryState::Missing;
  std::string rtf;  // the day's rich text, decoded; empty unless Read
};

// What an entry's file held when the store last read or wrote it, as bytes
// on the disk (whatever their encoding): whether it was there, its size and
// a hash of its content. A file's time alone is not trusted either way: a
// copy keeps it, a touch changes it with the content the same.
struct Fingerprint {
  bool present = false;
  uint64_t size = 0;
  uint64_t hash = 0;
  bool operator==(const Fingerprint&) const = default;
};
Fingerprint fingerprintOf(std::string_view bytes);

struct Saved {
  bool ok = false;
  // The entry had been changed on disk by another program since this store
  // read it: that version was kept here, beside it, before the save.
  fs::path keptAside;
  explicit operator bool() const { return ok; }
};

class DiaryStore {
 public:
  // Entries live in `folder`/Podatki. `folder`/TMP.tkw is left holding one
  // CR LF by every save and load; the text itself never passes through it.
  explicit DiaryStore(fs::path folder);

  const fs::path& folder() const { return m_folder; }
  const fs::path& dataFolder() const { return m_dataFolder; }
  fs::path tempFile() const { return m_folder / "TMP.tkw"; }
  fs::path entryFile(std::string_view key) const;

  // Creates the data folder when it is missing; false when it cannot be made.
  bool ensureDataFolder();

  // Reads the data folder's names again: ordinary files only, without hidden
  // and system files, sorted as text. False when the folder could not be
  // listed; the listing then stays as it was, so a passing failure never
  // makes the days look missing.
  bool Rescan();
  // The same for one year's names alone (those ending in it): what a start
  // needs for today's month. The folder is listed whole, once, as soon as
  // anything asks for more (the listing, the years, another year's days).
  bool RescanYear(std::string_view year);
  const std::vector<std::string>& listing() const;  // UTF-8 names

  // While one of these lives, the listing just taken stands: Rescan keeps it
  // as it is (the diary's load lists a hundred years of names once, not at
  // every step that asks). What the store itself creates is listed anyway.
  class ListingHold {
   public:
    explicit ListingHold(DiaryStore& store) : m_store(store) { ++m_store.m_holds; }
    ~ListingHold() { --m_store.m_holds; }
    ListingHold(const ListingHold&) = delete;
    ListingHold& operator=(const ListingHold&) = delete;

   private:
    DiaryStore& m_store;
  };

  // One writer per diary: takes the data folder's lock for as long as this
  // store lives. False only when another diary holds it; a folder where no
  // lock can be made (it cannot be written) has nothing to protect.
  bool HoldLock();

  // Creates today's entry as an empty file when it is not listed, only when
  // nothing at all has its name: a file that appeared since the listing, or
  // one it does not show, is never emptied. The new file joins the listing in
  // its place; a name found taken makes the folder listed again.
  bool ensureToday(std::string_view todayKey);
  bool Exists(std::string_view key) const;

  // The day's rich text, encoded, into the key's entry file. The entry is
  // replaced atomically, so a failure leaves the previous entry whole. An
  // entry another program changed since this store loaded or saved it is
  // never written over blindly: its version is first kept aside (see
  // keptName), and nothing is written when it cannot be kept or read.
  Saved Save(std::string_view key, std::string_view rtf);
  // The key's entry file, decoded.
  EntryText Load(std::string_view key);
  // Rich text as the key's entry into any file (a rescue copy, which opens
  // as that day's entry when put back), replaced atomically.
  bool SaveCopy(const fs::path& file, std::string_view key, std::string_view rtf) const;

  // A sealed diary: entries sealed under `key` are read with it, and while
  // `sealWrites` holds every entry written is sealed; otherwise written
  // keyless (a diary going back to the keyless form still reads its sealed
  // days). No key: sealed entries cannot be read.
  void setKey(SharedKey key, bool sealWrites);
  const SharedKey& key() const { return m_key; }
  bool sealsWrites() const { return m_key && m_sealWrites; }

  // Rewrites the key's entry in the form this store writes (sealed or
  // keyless), atomically; an entry already in that form, or empty, is left
  // as it is. False when it could not be read, opened or written: it then
  // stays whole in its old form.
  bool Convert(std::string_view key);
  // Whether the key's entry file is already in the form this store writes.
  bool InWrittenForm(std::string_view key) const;

  // The key's entry decoded, its plain rich text, read without writing
  // anything (no temporary file); at most `maxBytes` of the file are read.
  // Nothing when the file cannot be read. Safe on any thread: it touches no
  // state of the store.
  std::optional<std::string> Read(std::string_view key, size_t maxBytes = SIZE_MAX) const;

  // Removes what a crash in the middle of a save can leave behind: the
  // temporaries of the atomic replace, and the plain rich text in the
  // go-between file (emptied to its one CR LF). The folder's lock stays.
  void removeLeftovers();

  // Distinct years in order of first appearance in the listing.
  std::vector<std::string> Years() const;
  // Distinct months of a year, in order of first appearance.
  std::vector<std::string> Months(std::string_view year) const;
  // Listed names of that month and year, in listing order.
  std::vector<std::string> Days(std::string_view month, std::string_view year) const;

 private:
  // Beside the entries, so the move over an entry never crosses a drive.
  fs::path writeTemp() const { return dataFolder() / "~Pisarion.tmp"; }
  void emptyTempFile() const;
  // Where the n-th version of a day that another program wrote while the
  // diary had it open is kept: beside the entry, never listed as a day.
  fs::path keptName(std::string_view key, int n) const;
  // Keeps the entry's version on disk aside when it is not the one last read
  // or written here: the kept file's name, empty when nothing needed keeping,
  // nothing when the entry could not be read or its version not kept.
  std::optional<fs::path> keepChangedVersion(std::string_view key, const Fingerprint& known);

  fs::path m_folder;
  fs::path m_dataFolder = m_folder / "Podatki";  // made once: every entry's name is built on it
  // Taken whole when first asked for beyond the one year listed.
  bool listWhole() const;
  mutable std::vector<std::string> m_listing;
  mutable bool m_listed = false;  // a listing has been taken
  mutable std::string m_yearListed;  // the year of a listing of one year; empty when whole
  int m_holds = 0;        // ListingHolds alive
  std::map<std::string, Fingerprint, std::less<>> m_known;  // entries as last loaded or saved
  std::optional<FolderLock> m_lock;
  SharedKey m_key;
  bool m_sealWrites = false;

  std::optional<std::string> entryBytes(std::string_view key, std::string_view rtf) const;
};

// No day of writing comes near this; a file beyond it is not a typed entry,
// and whoever reads the diary takes only its beginning.
inline constexpr size_t kMaxEntryBytes = size_t{64} << 20;

// An entry file decoded, its plain rich text, read without writing anything:
// at most `maxBytes` of its beginning, and `cut` (when given) tells whether
// the file holds more. Nothing when the file cannot be read, or is sealed
// and does not open under `key` as the day its name says.
std::optional<std::string> readEntryFile(const fs::path& file, size_t maxBytes = SIZE_MAX, bool* cut = nullptr,
                                         const SecretKey* key = nullptr);
// An entry file's bytes, keyless or sealed, to the day's rich text.
std::optional<std::string> entryText(std::string bytes, std::string_view dateKey, const SecretKey* key);

// The first two and the last four characters of a name (code points, so a
// stray file's name is never cut inside a letter).
std::string namePrefix(std::string_view name, size_t chars);
std::string nameSuffix(std::string_view name, size_t chars);

}  // namespace store
