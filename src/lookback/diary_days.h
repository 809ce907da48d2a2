#pragma once
// What the diary holds day by day, for looking back: the words written on
// each day (counted from the text the editor shows, never from the rich-text
// codes), the year's and the whole diary's totals and runs of consecutive
// days, and the same date in earlier years. Kept in memory only; reading it
// writes nothing.
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/date.h"
#include "store/entries.h"

namespace lookback {

// Days counted from 1 January 1970, so that consecutive dates are
// consecutive numbers across months, years and leap days.
int dayNumber(const base::Date& d);

// Days with something written (at least one word): their totals and runs.
struct Summary {
  size_t days = 0;
  size_t words = 0;
  int longestRun = 0;
  // The run that reaches today (or yesterday, while today is still empty);
  // nothing when today is not in the span summed up.
  std::optional<int> currentRun;
};

class DiaryDays {
 public:
  // Reads the entries of the listing (names that are no date keys are
  // skipped) not yet counted; a day counted before is not read again. The
  // days no longer listed are forgotten. `skip` is left to setText (the
  // day being written, whose text is in the editor).
  void read(const store::DiaryStore& store, const std::vector<std::string>& listing, const std::string& skip = {});
  // The day's text as it stands now.
  void setText(const std::string& key, std::u16string_view text);
  // Forgets every count: the next read() reads every entry again.
  void clear() {
    m_words.clear();
    m_listing.clear();
  }

  // The day's words; nothing when there is no entry (or it could not be read).
  std::optional<size_t> words(const base::Date& d) const;
  bool hasEntry(const base::Date& d) const { return m_words.count(dayNumber(d)) > 0; }
  size_t entries() const { return m_words.size(); }

  // The year's days, or the whole diary's with no year.
  Summary summary(std::optional<int> year, const base::Date& today) const;
  // The first and last years with an entry (today's year when there are none).
  std::pair<int, int> years(const base::Date& today) const;

 private:
  std::map<int, size_t> m_words;  // by day number
  std::vector<std::string> m_listing;  // as last read: the same again needs no reading
};

// The date keys of the listing that fall on the shown date in the years
// before it, newest first. On 29 February a year without one gives its
// 28 February.
std::vector<std::string> earlierYears(const std::vector<std::string>& listing, const base::Date& shown);

}  // namespace lookback
