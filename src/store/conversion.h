#pragma once
// Sealing a diary, or taking it back to the keyless form: every entry
// rewritten on its own, atomically, today's first. A kill or a power cut at
// any moment leaves every day readable, some in the old form and some in the
// new; the next run picks up the rest.
#include <string>
#include <string_view>
#include <vector>

#include "store/entries.h"

namespace store {

class Conversion {
 public:
  // The store's key and form say which way; the listing is taken now.
  Conversion(DiaryStore& store, std::string_view todayKey);

  // Converts entries for about `budgetMs` (at least one); false once done.
  bool step(int budgetMs);
  bool finished() const { return m_next >= m_keys.size(); }
  size_t done() const { return m_next; }
  size_t total() const { return m_keys.size(); }
  // Entries that could not be read or written: they stay as they were, and
  // the diary must not count itself converted.
  size_t failed() const { return m_failed; }

 private:
  DiaryStore& m_store;
  std::vector<std::string> m_keys;
  size_t m_next = 0;
  size_t m_failed = 0;
};

}  // namespace store
