#include "search/index.h"

#include <algorithm>

#include "base/date.h"
#include "rtf/reader.h"

namespace search {

std::optional<DayText> readDay(const store::DiaryStore& store, const std::string& key) {
  const std::optional<std::string> bytes = store.Read(key, kMaxEntryBytes);
  if (!bytes) return std::nullopt;
  return foldText(rtf::readText(*bytes));
}

std::optional<int> dateOrder(const std::string& key) {
  const std::optional<base::Date> d = base::parseDateKey(key);
  if (!d || base::dateKey(*d) != key) return std::nullopt;
  return (d->year * 100 + d->month) * 100 + d->day;
}

bool Index::put(const std::string& key, const DayText& text) {
  const std::optional<int> order = dateOrder(key);
  if (!order) return false;
  const Day day{*order, key, m_bare.size(), text.bare.size()};
  m_lowered += text.lowered;
  m_bare += text.bare;
  // Days mostly come newest first, so the place is mostly the end.
  auto it = m_days.end();
  if (!m_days.empty() && m_days.back().order <= *order)
    it = std::lower_bound(m_days.begin(), m_days.end(), *order, [](const Day& d, int o) { return d.order > o; });
  if (it != m_days.end() && it->order == *order) {
    std::fill_n(m_lowered.begin() + static_cast<std::ptrdiff_t>(it->at), it->length, '\0');
    std::fill_n(m_bare.begin() + static_cast<std::ptrdiff_t>(it->at), it->length, '\0');
    m_dead += it->length;
    *it = day;
    if (m_dead > m_bare.size() / 2) compact();
  } else {
    m_days.insert(it, day);
  }
  return true;
}

void Index::compact() {
  std::string lowered, bare;
  lowered.reserve(m_bare.size() - m_dead);
  bare.reserve(m_bare.size() - m_dead);
  for (Day& d : m_days) {
    lowered.append(m_lowered, d.at, d.length);
    bare.append(m_bare, d.at, d.length);
    d.at = bare.size() - d.length;
  }
  m_lowered = std::move(lowered);
  m_bare = std::move(bare);
  m_dead = 0;
}

std::vector<std::string> Index::find(const Query& query) const {
  std::vector<std::string> keys;
  const std::string_view lowered(m_lowered), bare(m_bare);
  for (const Day& d : m_days)
    if (query.matches(lowered.substr(d.at, d.length), bare.substr(d.at, d.length))) keys.push_back(d.key);
  return keys;
}

}  // namespace search
