#pragma once
// What the user typed in the search field, ready to be looked for: words
// separated by spaces, each of which must occur in a day's text, in any order
// and in any case. A letter typed without its caron also finds the letter
// with one (c finds č and ć); a letter typed with its caron finds only itself.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/fold.h"

namespace search {

struct Match {
  size_t start = 0, length = 0;  // in characters of the text searched
};

class Query {
 public:
  Query() = default;
  explicit Query(std::u16string_view typed);

  bool empty() const { return m_words.empty(); }
  // Every word occurs in the day.
  bool matches(const DayText& day) const { return matches(day.lowered, day.bare); }
  // The same for a day given as its two strings of equal length.
  bool matches(std::string_view lowered, std::string_view bare) const;
  // The earliest place in the text where any of the words occurs.
  std::optional<Match> firstMatch(std::u16string_view text) const;

 private:
  struct Word {
    std::string lowered, bare;
    bool exact = false;     // some letter was typed with its caron
    bool possible = true;   // every character exists in code page 1250
  };
  static size_t find(std::string_view lowered, std::string_view bare, const Word& w);

  std::vector<Word> m_words;
};

}  // namespace search
