#include "search/query.h"

#include <cstring>

namespace search {
namespace {

constexpr size_t npos = std::string::npos;

bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u00A0' || c == u'\r' || c == u'\n'; }

// The next place of the needle in the haystack from `from`, with the C
// library's byte search where it has one.
size_t findBytes(const std::string& hay, const std::string& needle, size_t from) {
#ifdef __GLIBC__
  if (from > hay.size()) return npos;
  const void* hit = memmem(hay.data() + from, hay.size() - from, needle.data(), needle.size());
  return hit ? static_cast<size_t>(static_cast<const char*>(hit) - hay.data()) : npos;
#else
  return std::string_view(hay).find(needle, from);
#endif
}

}  // namespace

Query::Query(std::u16string_view typed) {
  size_t i = 0;
  while (i < typed.size()) {
    while (i < typed.size() && isSpace(typed[i])) ++i;
    Word w;
    for (; i < typed.size() && !isSpace(typed[i]); ++i) {
      const unsigned char l = lowerByte(typed[i]);
      const unsigned char b = bareByte(l);
      w.possible = w.possible && l != 0;
      w.exact = w.exact || l != b;
      w.lowered += static_cast<char>(l);
      w.bare += static_cast<char>(b);
    }
    if (!w.lowered.empty()) m_words.push_back(std::move(w));
  }
}

size_t Query::find(const DayText& day, const Word& w, size_t from) {
  if (!w.possible) return npos;
  for (size_t at = findBytes(day.bare, w.bare, from); at != npos; at = findBytes(day.bare, w.bare, at + 1)) {
    // Letters typed with their caron must stand in the text with it.
    bool same = true;
    for (size_t k = 0; w.exact && same && k < w.lowered.size(); ++k)
      same = w.lowered[k] == w.bare[k] || day.lowered[at + k] == w.lowered[k];
    if (same) return at;
  }
  return npos;
}

bool Query::matches(const DayText& day) const {
  if (m_words.empty()) return false;
  for (const Word& w : m_words)
    if (find(day, w, 0) == npos) return false;
  return true;
}

std::optional<Match> Query::firstMatch(std::u16string_view text) const {
  const DayText day = foldText(text);
  std::optional<Match> best;
  for (const Word& w : m_words) {
    const size_t at = find(day, w, 0);
    if (at != npos && (!best || at < best->start)) best = Match{at, w.lowered.size()};
  }
  return best;
}

}  // namespace search
