#include "search/index.h"

#include <algorithm>

#include "base/date.h"
#include "rtf/reader.h"

namespace search {

std::optional<std::u16string> readDay(const store::DiaryStore& store, const std::string& key) {
  const std::optional<std::string> bytes = store.Read(key, kMaxEntryBytes);
  if (!bytes) return std::nullopt;
  return rtf::readText(*bytes);
}

std::optional<int> dateOrder(const std::string& key) {
  const std::optional<base::Date> d = base::parseDateKey(key);
  if (!d || base::dateKey(*d) != key) return std::nullopt;
  return (d->year * 100 + d->month) * 100 + d->day;
}

size_t Index::room(size_t n) {
  if (m_blocks.empty() || m_blocks.back().bare.capacity() - m_blocks.back().bare.size() < n) {
    Block b;
    b.lowered.reserve(std::max(n, kBlockBytes));
    b.bare.reserve(std::max(n, kBlockBytes));
    m_blocks.push_back(std::move(b));
  }
  return m_blocks.size() - 1;
}

bool Index::put(const std::string& key, std::u16string_view text) {
  const std::optional<int> order = dateOrder(key);
  if (!order) return false;
  const size_t b = room(text.size());
  Block& block = m_blocks[b];
  const Day day{*order, key, b, block.bare.size(), text.size()};
  block.lowered.resize(day.at + day.length);
  block.bare.resize(day.at + day.length);
  foldInto(text, block.lowered.data() + day.at, block.bare.data() + day.at);
  m_used += day.length;
  // Days mostly come newest first, so the place is mostly the end.
  auto it = m_days.end();
  if (!m_days.empty() && m_days.back().order <= *order)
    it = std::lower_bound(m_days.begin(), m_days.end(), *order, [](const Day& d, int o) { return d.order > o; });
  if (it != m_days.end() && it->order == *order) {
    Block& old = m_blocks[it->block];
    std::fill_n(old.lowered.begin() + static_cast<std::ptrdiff_t>(it->at), it->length, '\0');
    std::fill_n(old.bare.begin() + static_cast<std::ptrdiff_t>(it->at), it->length, '\0');
    m_dead += it->length;
    *it = day;
    if (m_dead > m_used / 2) compact();
  } else {
    m_days.insert(it, day);
  }
  return true;
}

void Index::compact() {
  std::vector<Block> blocks = std::move(m_blocks);
  m_blocks.clear();
  m_used = m_dead = 0;
  for (Day& d : m_days) {
    const Block& from = blocks[d.block];
    const size_t b = room(d.length);
    Block& to = m_blocks[b];
    const size_t at = to.bare.size();
    to.lowered.append(from.lowered, d.at, d.length);
    to.bare.append(from.bare, d.at, d.length);
    d.block = b;
    d.at = at;
    m_used += d.length;
  }
}

std::vector<std::string> Index::find(const Query& query) const {
  std::vector<std::string> keys;
  for (const Day& d : m_days) {
    const Block& b = m_blocks[d.block];
    if (query.matches(std::string_view(b.lowered).substr(d.at, d.length), std::string_view(b.bare).substr(d.at, d.length)))
      keys.push_back(d.key);
  }
  return keys;
}

}  // namespace search
