#pragma once
// Capital letters for text shown in capitals (an "all capitals" format):
// one character for one, as the editor draws it, over the alphabets the
// diary's code pages hold (Latin, Greek, Cyrillic). Anything else, and a
// letter without a capital of its own, stays as it is.
#include <string>
#include <string_view>

namespace base {

char16_t toUpper(char16_t c);
std::u16string toUpper(std::u16string_view text);

}  // namespace base
