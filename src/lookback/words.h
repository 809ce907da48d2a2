#pragma once
// Words as a reader counts them in the text the editor shows: runs of
// letters and digits, Slovenian letters (č, š, ž and the rest of the
// alphabets past ASCII) inside a word like any other.
#include <cstddef>
#include <string_view>

namespace lookback {

size_t countWords(std::u16string_view text);

// How much a day holds, as the year window shades it: 0 nothing written,
// then 1 to 4 by the number of words.
int shadeOf(size_t words);

// The least number of words of each shade from 1 up.
inline constexpr size_t kShadeSteps[4] = {1, 50, 150, 400};

}  // namespace lookback
