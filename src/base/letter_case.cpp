#include "base/letter_case.h"

namespace base {
namespace {

// Blocks where a capital and its small letter are neighbours, the capital
// on the even code point or, in two runs of Latin Extended-A, the odd one.
bool pairedSmall(char16_t c) {
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return c % 2 == 0;
  if (c >= 0x100 && c <= 0x177) return c % 2 == 1 && c != 0x131 && c != 0x138 && c != 0x149;
  if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) return c % 2 == 1;
  if (c >= 0x1E00 && c <= 0x1EFF) return c % 2 == 1 && (c < 0x1E96 || c > 0x1E9F);  // Vietnamese among them
  return false;
}

}  // namespace

char16_t toUpper(char16_t c) {
  if (c < 0x80) return c >= u'a' && c <= u'z' ? c - 0x20 : c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if (pairedSmall(c)) return c - 1;
  switch (c) {
    case 0x131: return u'I';    // dotless i
    case 0x17F: return u'S';    // long s
    case 0x192: return 0x191;   // f with hook
    case 0x1A1: return 0x1A0;   // o with horn
    case 0x1B0: return 0x1AF;   // u with horn
    case 0x219: return 0x218;   // s with comma below
    case 0x21B: return 0x21A;   // t with comma below
    case 0x3AC: return 0x386;
    case 0x3C2: return 0x3A3;   // final sigma
    case 0x3CC: return 0x38C;
    default: break;
  }
  if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;                   // έ ή ί
  if (c >= 0x3B1 && c <= 0x3CB) return c - 0x20;                   // Greek small letters
  if (c >= 0x3CD && c <= 0x3CE) return c - 0x3F;                   // ύ ώ
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;                   // Cyrillic а-я
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;                   // ѐ-џ
  return c;
}

std::u16string toUpper(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = toUpper(c);
  return out;
}

}  // namespace base
