#pragma once
// Numbers and counts as Slovenian writes them: "12.345", "1 dan", "2 dneva",
// "3 dnevi", "5 dni".
#include <cstddef>
#include <string>

namespace base {

// Thousands grouped by dots.
inline std::string grouped(size_t n) {
  std::string digits = std::to_string(n), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += '.';
    out += digits[i];
  }
  return out;
}

// The noun's forms for one, two, three or four, and five and more, by the
// last two digits.
struct CountWord {
  const char* one;
  const char* two;
  const char* few;
  const char* many;
};

inline std::string counted(size_t n, const CountWord& word) {
  const size_t r = n % 100;
  const char* form = r == 1 ? word.one : r == 2 ? word.two : (r == 3 || r == 4) ? word.few : word.many;
  return grouped(n) + " " + form;
}

}  // namespace base
