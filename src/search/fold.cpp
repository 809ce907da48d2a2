#include "search/fold.h"

#include <array>
#include <memory>

#include "base/cp1250.h"

namespace search {
namespace {

char16_t lowerUnicode(char16_t u) {
  if (u >= u'A' && u <= u'Z') return u + 32;
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return u + 0x20;
  if (u >= 0x100 && u <= 0x17F) {
    // Latin Extended-A pairs capitals with the next code point; in two runs
    // the capital is the odd one.
    const bool oddCapitals = (u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E);
    if (oddCapitals ? (u % 2 == 1 && u != 0x149) : (u % 2 == 0 && u != 0x138 && u != 0x178)) return u + 1;
  }
  return u;
}

struct Tables {
  std::array<unsigned char, 65536> toByte{};  // code page 1250 byte of a character, 0: none
  std::array<unsigned char, 256> lower{};     // byte to lower-case byte
  std::array<unsigned char, 256> bare{};
};

const Tables& tables() {
  static const std::unique_ptr<Tables> t = [] {
    auto t = std::make_unique<Tables>();
    auto unicodeOf = [](int b) { return b < 0x80 ? static_cast<char16_t>(b) : base::cp1250HighByte(static_cast<unsigned char>(b)); };
    for (int b = 1; b < 256; ++b) t->toByte[unicodeOf(b)] = static_cast<unsigned char>(b);
    for (int b = 0; b < 256; ++b) {
      const unsigned char l = t->toByte[lowerUnicode(unicodeOf(b))];
      t->lower[b] = l ? l : static_cast<unsigned char>(b);
      t->bare[b] = static_cast<unsigned char>(b);
    }
    const std::pair<char16_t, char> carons[] = {{u'č', 'c'}, {u'ć', 'c'}, {u'š', 's'}, {u'ž', 'z'}, {u'đ', 'd'}, {u'ď', 'd'},
                                                {u'ť', 't'}, {u'ň', 'n'}, {u'ř', 'r'}, {u'ě', 'e'}, {u'ľ', 'l'}};
    for (auto [letter, plain] : carons) t->bare[t->toByte[letter]] = static_cast<unsigned char>(plain);
    return t;
  }();
  return *t;
}

}  // namespace

unsigned char lowerByte(char16_t ch) {
  const Tables& t = tables();
  return t.lower[t.toByte[ch]];
}

unsigned char bareByte(unsigned char lowered) { return tables().bare[lowered]; }

void foldInto(std::u16string_view text, char* lowered, char* bare) {
  const Tables& t = tables();
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char l = t.lower[t.toByte[text[i]]];
    lowered[i] = static_cast<char>(l);
    bare[i] = static_cast<char>(t.bare[l]);
  }
}

DayText foldText(std::u16string_view text) {
  DayText d;
  d.lowered.resize(text.size());
  d.bare.resize(text.size());
  foldInto(text, d.lowered.data(), d.bare.data());
  return d;
}

}  // namespace search
