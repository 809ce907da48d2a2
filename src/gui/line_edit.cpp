#include "gui/line_edit.h"

#include <algorithm>

namespace gui {
namespace {
bool space(char16_t c) { return c == u' ' || c == u'\t'; }
int clamp(std::u16string_view text, int pos) { return std::clamp(pos, 0, static_cast<int>(text.size())); }
}  // namespace

int wordStartBefore(std::u16string_view text, int pos) {
  pos = clamp(text, pos);
  while (pos > 0 && space(text[pos - 1])) --pos;
  while (pos > 0 && !space(text[pos - 1])) --pos;
  return pos;
}

int nextWordStart(std::u16string_view text, int pos) {
  pos = clamp(text, pos);
  const int n = static_cast<int>(text.size());
  while (pos < n && !space(text[pos])) ++pos;
  while (pos < n && space(text[pos])) ++pos;
  return pos;
}

std::pair<int, int> wordAround(std::u16string_view text, int pos) {
  pos = clamp(text, pos);
  const int n = static_cast<int>(text.size());
  // On a space, the spaces there are the word.
  const bool onSpace = pos < n ? space(text[pos]) : pos > 0 && space(text[pos - 1]);
  int start = pos, end = pos;
  while (start > 0 && space(text[start - 1]) == onSpace) --start;
  while (end < n && space(text[end]) == onSpace) ++end;
  return {start, end};
}

}  // namespace gui
