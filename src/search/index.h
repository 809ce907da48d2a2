#pragma once
// The diary's text in memory, one entry per day, newest first: what a later
// search scans instead of the files. It lives only in memory; nothing of it
// is ever written to the disk.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "search/fold.h"
#include "search/query.h"
#include "store/entries.h"

namespace search {

// An entry is read at most this far: a bigger file is searched in its first
// 64 MB, and no file in the data folder can exhaust the memory.
inline constexpr size_t kMaxEntryBytes = size_t{64} << 20;

// The searchable text of the key's entry, read through the store (decoded,
// rich text or plain text turned into its characters, codes left out);
// nothing when the file cannot be read. Writes nothing.
std::optional<DayText> readDay(const store::DiaryStore& store, const std::string& key);

// The order of a date key, newest greatest; nothing for a name that is not a
// date key exactly as the diary writes them (MM-DD-YYYY of a real date).
std::optional<int> dateOrder(const std::string& key);

// All days' text lies in two buffers, one after the other, so that a search
// runs through memory in order; a day given again leaves its old text behind
// as bytes no word matches, until they outweigh the rest.
class Index {
 public:
  // Keeps (or replaces) the day's text; false for a name that is no date key.
  bool put(const std::string& key, const DayText& text);
  // The keys of the days whose text matches, newest first.
  std::vector<std::string> find(const Query& query) const;
  size_t size() const { return m_days.size(); }
  // Bytes of text kept (both buffers).
  size_t bytes() const { return m_lowered.size() + m_bare.size(); }

 private:
  struct Day {
    int order;
    std::string key;
    size_t at, length;  // its place in the buffers
  };
  void compact();

  std::vector<Day> m_days;  // newest first
  std::string m_lowered, m_bare;
  size_t m_dead = 0;  // bytes of each buffer left behind by days given again
};

}  // namespace search
