#include "search/index.h"

#include "base/date.h"
#include "rtf/reader.h"

namespace search {

std::optional<DayText> readDay(const store::DiaryStore& store, const std::string& key) {
  const std::optional<std::string> bytes = store.Read(key, kMaxEntryBytes);
  if (!bytes) return std::nullopt;
  return foldText(rtf::readAny(*bytes).text());
}

std::optional<int> dateOrder(const std::string& key) {
  const std::optional<base::Date> d = base::parseDateKey(key);
  if (!d || base::dateKey(*d) != key) return std::nullopt;
  return (d->year * 100 + d->month) * 100 + d->day;
}

bool Index::put(const std::string& key, DayText text) {
  const std::optional<int> order = dateOrder(key);
  if (!order) return false;
  m_days[*order] = Day{key, std::move(text)};
  return true;
}

std::vector<std::string> Index::find(const Query& query) const {
  std::vector<std::string> keys;
  for (const auto& [order, day] : m_days)
    if (query.matches(day.text)) keys.push_back(day.key);
  return keys;
}

size_t Index::bytes() const {
  size_t n = 0;
  for (const auto& [order, day] : m_days) n += day.text.bytes();
  return n;
}

}  // namespace search
