#pragma once
// The diary's days as the export sees them: every entry file of the data
// folder whose name is a date key, oldest first, each read into a document.
// Only reads: no file of the diary is opened for writing.
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "base/date.h"
#include "rtf/document.h"
#include "store/entries.h"
#include "store/sealed.h"

namespace exporting {

// Why a day's text may be incomplete.
enum class Damage {
  None,
  Unreadable,   // the file could not be opened or read: nothing of it is exported
  NotRichText,  // not rich text: taken as plain text, as the editor would show it
  Truncated,    // the rich text stops before its end: exported as far as it goes
  TooLarge,     // larger than kMaxEntryBytes: its beginning is exported
  PictureUnreadable,  // binary data without its length (a picture) skipped: exported as the editor reads it
};

struct Day {
  base::Date date;
  std::string key;
  rtf::Document document;
  Damage damage = Damage::None;

  bool empty() const { return damage == Damage::None && document.text().empty(); }
};

inline constexpr std::uintmax_t kMaxEntryBytes = store::kMaxEntryBytes;

class DiaryReader {
 public:
  // Lists the data folder once (a missing folder holds no days).
  // A sealed diary's days open with `key` (kept by the caller for the reader's life).
  explicit DiaryReader(std::filesystem::path dataFolder, const store::SecretKey* key = nullptr);

  // The date keys, oldest day first, across years.
  const std::vector<std::string>& keys() const { return m_keys; }
  // Files whose names are not date keys; they are left out.
  int skippedNames() const { return m_skipped; }
  // False when the data folder is there but could not be listed: its days
  // are unknown, which is not a diary with no days.
  bool listed() const { return m_listed; }

  Day read(const std::string& key) const;

 private:
  std::filesystem::path m_folder;
  const store::SecretKey* m_key = nullptr;
  std::vector<std::string> m_keys;
  int m_skipped = 0;
  bool m_listed = true;
};

}  // namespace exporting
