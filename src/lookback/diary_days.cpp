#include "lookback/diary_days.h"

#include <algorithm>
#include <limits>
#include <set>

#include "lookback/words.h"
#include "search/index.h"

namespace lookback {

int dayNumber(const base::Date& d) {
  // Days from the civil date, with March as the year's first month so that
  // the leap day comes last.
  const int y = d.year - (d.month <= 2);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (d.month + (d.month > 2 ? -3 : 9)) + 2) / 5 + d.day - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void DiaryDays::read(const store::DiaryStore& store, const std::vector<std::string>& listing, const std::string& skip) {
  if (listing == m_listing) return;
  std::set<int> listed;
  for (const std::string& key : listing) {
    if (!search::dateOrder(key)) continue;
    const int n = dayNumber(*base::parseDateKey(key));
    listed.insert(n);
    if (key == skip || m_words.count(n)) continue;
    if (const std::optional<std::u16string> text = search::readDay(store, key)) m_words[n] = countWords(*text);
  }
  std::erase_if(m_words, [&](const auto& day) { return !listed.count(day.first); });
  m_listing = listing;
}

void DiaryDays::setText(const std::string& key, std::u16string_view text) {
  if (const std::optional<base::Date> d = base::parseDateKey(key)) m_words[dayNumber(*d)] = countWords(text);
}

std::optional<size_t> DiaryDays::words(const base::Date& d) const {
  const auto it = m_words.find(dayNumber(d));
  if (it == m_words.end()) return std::nullopt;
  return it->second;
}

Summary DiaryDays::summary(std::optional<int> year, const base::Date& today) const {
  const int first = year ? dayNumber({*year, 1, 1}) : std::numeric_limits<int>::min();
  const int last = year ? dayNumber({*year, 12, 31}) : std::numeric_limits<int>::max();
  Summary s;
  int run = 0, previous = 0;
  for (auto it = m_words.lower_bound(first); it != m_words.end() && it->first <= last; ++it) {
    if (it->second == 0) continue;
    ++s.days;
    s.words += it->second;
    run = run > 0 && it->first == previous + 1 ? run + 1 : 1;
    previous = it->first;
    s.longestRun = std::max(s.longestRun, run);
  }
  const int now = dayNumber(today);
  if (now >= first && now <= last) {
    // The run still going: it ends today, or yesterday while today is empty.
    const bool reaches = run > 0 && (previous == now || previous == now - 1);
    s.currentRun = reaches ? run : 0;
  }
  return s;
}

std::pair<int, int> DiaryDays::years(const base::Date& today) const {
  if (m_words.empty()) return {today.year, today.year};
  // The day numbers are in order, so the first and last keys give the years.
  auto yearOf = [](int n) {
    int y = 1970 + n / 366;
    while (dayNumber({y + 1, 1, 1}) <= n) ++y;
    while (dayNumber({y, 1, 1}) > n) --y;
    return y;
  };
  return {std::min(yearOf(m_words.begin()->first), today.year), std::max(yearOf(m_words.rbegin()->first), today.year)};
}

std::vector<std::string> earlierYears(const std::vector<std::string>& listing, const base::Date& shown) {
  std::vector<std::pair<int, std::string>> found;  // year, key
  for (const std::string& key : listing) {
    if (!search::dateOrder(key)) continue;
    const base::Date d = *base::parseDateKey(key);
    if (d.year >= shown.year || d.month != shown.month) continue;
    const bool leapDay = shown.month == 2 && shown.day == 29;
    const bool sameDay = d.day == shown.day || (leapDay && d.day == 28 && base::daysInMonth(d.year, 2) == 28);
    if (sameDay) found.emplace_back(d.year, key);
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<std::string> keys;
  for (auto& f : found) keys.push_back(std::move(f.second));
  return keys;
}

}  // namespace lookback
