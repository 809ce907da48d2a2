#include "search/query.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace search {
namespace {

constexpr size_t npos = std::string::npos;

bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u00A0' || c == u'\r' || c == u'\n'; }

// The next place of the needle in the haystack from `from`. Sixteen places
// at a time are tested for the needle's first and last byte together, which
// few places pass; only those are compared whole.
size_t findBytes(std::string_view hay, std::string_view needle, size_t from) {
  const size_t n = hay.size(), k = needle.size();
  if (k == 0 || from > n || n - from < k) return k == 0 && from <= n ? from : npos;
  const char* s = hay.data();
  if (k == 1) {
    const void* hit = std::memchr(s + from, needle[0], n - from);
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - s) : npos;
  }
  size_t i = from;
#ifdef __SSE2__
  const __m128i first = _mm_set1_epi8(needle[0]), last = _mm_set1_epi8(needle[k - 1]);
  for (; i + k - 1 + 16 <= n; i += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + k - 1));
    auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
    for (; mask; mask &= mask - 1) {
      const size_t at = i + static_cast<size_t>(__builtin_ctz(mask));
      if (std::memcmp(s + at + 1, needle.data() + 1, k - 2) == 0) return at;
    }
  }
#endif
  for (; i + k <= n; ++i)
    if (s[i] == needle[0] && std::memcmp(s + i, needle.data(), k) == 0) return i;
  return npos;
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

size_t Query::find(std::string_view lowered, std::string_view bare, const Word& w) {
  if (!w.possible) return npos;
  for (size_t at = findBytes(bare, w.bare, 0); at != npos; at = findBytes(bare, w.bare, at + 1)) {
    // Letters typed with their caron must stand in the text with it.
    bool same = true;
    for (size_t k = 0; w.exact && same && k < w.lowered.size(); ++k)
      same = w.lowered[k] == w.bare[k] || lowered[at + k] == w.lowered[k];
    if (same) return at;
  }
  return npos;
}

bool Query::matches(std::string_view lowered, std::string_view bare) const {
  if (m_words.empty()) return false;
  for (const Word& w : m_words)
    if (find(lowered, bare, w) == npos) return false;
  return true;
}

std::optional<Match> Query::firstMatch(std::u16string_view text) const {
  const DayText day = foldText(text);
  std::optional<Match> best;
  for (const Word& w : m_words) {
    const size_t at = find(day.lowered, day.bare, w);
    if (at != npos && (!best || at < best->start)) best = Match{at, w.lowered.size()};
  }
  return best;
}

}  // namespace search
