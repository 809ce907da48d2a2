#include "lookback/words.h"

namespace lookback {
namespace {

// Letters and digits of any script count as word characters; what lies
// between words is ASCII punctuation and space, the Latin-1 signs, the
// general punctuation block, pictographs (written as surrogate pairs) and the
// private and special areas.
bool inWord(char16_t c) {
  if (c < 0x80) return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  if (c < 0xC0) return c == 0xAA || c == 0xB5 || c == 0xBA;  // ª µ º
  if (c == 0xD7 || c == 0xF7) return false;                  // × ÷
  if (c >= 0x2000 && c <= 0x2BFF) return false;              // punctuation, symbols, arrows
  if (c >= 0x3000 && c <= 0x303F) return false;              // CJK punctuation
  if (c >= 0xD800 && c <= 0xF8FF) return false;              // pictographs past the plane, private use
  if (c >= 0xFE30 && c <= 0xFE4F) return false;
  if (c >= 0xFFF0) return false;                             // specials, U+FFFC objects
  return true;
}

}  // namespace

size_t countWords(std::u16string_view text) {
  size_t words = 0;
  bool inside = false;
  for (char16_t c : text) {
    const bool letter = inWord(c);
    words += letter && !inside;
    inside = letter;
  }
  return words;
}

int shadeOf(size_t words) {
  int shade = 0;
  for (size_t step : kShadeSteps) shade += words >= step;
  return shade;
}

}  // namespace lookback
