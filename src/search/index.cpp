#include "search/index.h"

#include <algorithm>
#include <iterator>

#include "base/date.h"
#include "rtf/reader.h"

namespace search {

std::optional<std::u16string> readDay(const store::DiaryStore& store, const std::string& key) {
  const std::optional<std::string> bytes = store.Read(key, kMaxEntryBytes);
  if (!bytes) return std::nullopt;
  return rtf::readText(*bytes);
}

std::optional<int> dateOrder(const std::string& key) {
  // Digits where the diary writes digits: then the key is spelt exactly as
  // the diary spells the date it parses to (nothing padded differently).
  if (key.size() != 10) return std::nullopt;
  for (size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
    if (key[i] < '0' || key[i] > '9') return std::nullopt;
  const std::optional<base::Date> d = base::parseDateKey(key);
  if (!d) return std::nullopt;
  return (d->year * 100 + d->month) * 100 + d->day;
}

size_t Index::room(size_t n) {
  if (m_blocks.empty() || m_blocks.back().capacity - m_blocks.back().size < n) {
    Block b;
    b.capacity = std::max(n, kBlockBytes);
    b.lowered.reset(new char[b.capacity]);
    b.bare.reset(new char[b.capacity]);
    m_blocks.push_back(std::move(b));
  }
  return m_blocks.size() - 1;
}

bool Index::put(const std::string& key, std::u16string_view text) {
  return place(key, text.size(), [&](char* lowered, char* bare) {
    foldInto(text, lowered, bare);
    return text.size();
  });
}

bool Index::putEntry(const std::string& key, std::string_view entry) {
  return place(key, entry.size(), [&](char* lowered, char* bare) { return foldEntry(entry, lowered, bare); });
}

template <class Fold>
bool Index::place(const std::string& key, size_t n, Fold fold) {
  const std::optional<int> order = dateOrder(key);
  if (!order) return false;
  const size_t b = room(n);
  Block& block = m_blocks[b];
  const Day day{*order, key, b, block.size, fold(block.lowered.get() + block.size, block.bare.get() + block.size)};
  block.size += day.length;
  m_used += day.length;
  // Days mostly come newest first, so the place is mostly the end.
  auto it = m_days.end();
  if (!m_days.empty() && m_days.back().order <= *order)
    it = std::lower_bound(m_days.begin(), m_days.end(), *order, [](const Day& d, int o) { return d.order > o; });
  if (it != m_days.end() && it->order == *order) {
    Block& old = m_blocks[it->block];
    std::fill_n(old.lowered.get() + it->at, it->length, '\0');
    std::fill_n(old.bare.get() + it->at, it->length, '\0');
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
    std::copy_n(from.lowered.get() + d.at, d.length, to.lowered.get() + to.size);
    std::copy_n(from.bare.get() + d.at, d.length, to.bare.get() + to.size);
    d.block = b;
    d.at = to.size;
    to.size += d.length;
    m_used += d.length;
  }
}

void Index::merge(Index&& other) {
  const size_t shift = m_blocks.size();
  for (Block& b : other.m_blocks) m_blocks.push_back(std::move(b));
  for (Day& d : other.m_days) d.block += shift;
  std::vector<Day> days;
  days.reserve(m_days.size() + other.m_days.size());
  std::merge(std::make_move_iterator(m_days.begin()), std::make_move_iterator(m_days.end()),
             std::make_move_iterator(other.m_days.begin()), std::make_move_iterator(other.m_days.end()),
             std::back_inserter(days), [](const Day& a, const Day& b) { return a.order > b.order; });
  m_days = std::move(days);
  m_used += other.m_used;
  m_dead += other.m_dead;
  other = Index{};
}

std::vector<std::string> Index::find(const Query& query) const {
  std::vector<std::string> keys;
  for (const Day& d : m_days) {
    const Block& b = m_blocks[d.block];
    if (query.matches(std::string_view(b.lowered.get() + d.at, d.length), std::string_view(b.bare.get() + d.at, d.length)))
      keys.push_back(d.key);
  }
  return keys;
}

}  // namespace search
