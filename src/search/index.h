#pragma once
// The diary's text in memory, one entry per day, newest first: what a later
// search scans instead of the files. It lives only in memory; nothing of it
// is ever written to the disk.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "search/fold.h"
#include "search/query.h"
#include "store/entries.h"

namespace search {

// An entry is read at most this far: a bigger file is searched in its first
// 64 MB, and no file in the data folder can exhaust the memory.
inline constexpr size_t kMaxEntryBytes = store::kMaxEntryBytes;

// The text of the key's entry, read through the store (decoded, rich text or
// plain text turned into its characters, codes left out); nothing when the
// file cannot be read. Writes nothing.
std::optional<std::u16string> readDay(const store::DiaryStore& store, const std::string& key);

// The order of a date key, newest greatest; nothing for a name that is not a
// date key exactly as the diary writes them (MM-DD-YYYY of a real date).
std::optional<int> dateOrder(const std::string& key);

// The days' folded text lies in blocks of a megabyte, one day after the
// other, so that a search runs through memory in order and a growing index
// never copies what it holds; a day given again leaves its old text behind
// as bytes no word matches, until they outweigh the rest.
class Index {
 public:
  // Keeps (or replaces) the day's text; false for a name that is no date key.
  bool put(const std::string& key, std::u16string_view text);
  // The same for the day's entry as the store reads it (rich text or plain
  // text, decoded), read straight into the index.
  bool putEntry(const std::string& key, std::string_view entry);
  // The keys of the days whose text matches, newest first.
  std::vector<std::string> find(const Query& query) const;
  size_t size() const { return m_days.size(); }
  // Takes in the days of another index read beside this one; no day may be
  // in both.
  void merge(Index&& other);
  // Bytes of text kept (both strings of every block).
  size_t bytes() const { return 2 * m_used; }

 private:
  struct Day {
    int order;
    std::string key;
    size_t block, at, length;  // its place in the blocks
  };
  struct Block {
    // `capacity` bytes each, of which the first `size` hold days; left
    // uninitialised beyond, so that a day is written once.
    std::unique_ptr<char[]> lowered, bare;
    size_t size = 0, capacity = 0;
  };
  static constexpr size_t kBlockBytes = size_t{1} << 20;
  // Room for n more bytes; answers the block.
  size_t room(size_t n);
  // Keeps the day whose text `fold(lowered, bare)` writes, at most n bytes.
  template <class Fold>
  bool place(const std::string& key, size_t n, Fold fold);
  void compact();

  std::vector<Day> m_days;  // newest first
  std::vector<Block> m_blocks;
  size_t m_used = 0;  // bytes of each kind in the blocks
  size_t m_dead = 0;  // of them, left behind by days given again
};

}  // namespace search
