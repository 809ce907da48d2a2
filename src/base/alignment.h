#pragma once
// How a paragraph or a line of text lies across its width. The numbers are
// those a day's rich text and the editor use (0 left, 1 right, 2 centre);
// the alignment menu shows its items left, centre, right and maps to these.
#include <cstdint>

namespace base {

enum class Alignment : uint8_t { Left = 0, Right = 1, Center = 2 };

// Whether `a` is one of the three (a value read from outside may be none).
constexpr bool isAlignment(Alignment a) { return a == base::Alignment::Left || a == base::Alignment::Right || a == base::Alignment::Center; }

}  // namespace base
