#include "search/fold.h"

#include <algorithm>
#include <array>
#include <memory>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "base/cp1250.h"
#include "rtf/text_scanner.h"

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
  std::array<unsigned char, 256> textByte{};  // a byte of text to its lower-case byte; 0: no character
  std::array<unsigned char, 256> textBare{};  // the same without its caron
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
    for (int b = 0; b < 256; ++b)
      if (b >= 0x20 || b == '\t' || b == rtf::kLineBreak) t->textByte[b] = t->lower[b], t->textBare[b] = t->bare[t->lower[b]];
    return t;
  }();
  return *t;
}

// Receives the characters of an entry as it is read.
struct FoldingSink {
  const Tables& t;
  unsigned char* lowered;
  unsigned char* bare;
  size_t n = 0;

  void run(const unsigned char* bytes, size_t count, size_t readable) {
    // In locals: the stores below could otherwise alias the members.
    const unsigned char* toLower = t.textByte.data();
    const unsigned char* toBare = t.textBare.data();
    unsigned char* l = lowered + n;
    unsigned char* b = bare + n;
    size_t k = 0, i = 0;
    auto scalar = [&](size_t end) {
      for (; i < end; ++i) {
        // Written whatever the byte, kept only when it is a character.
        const unsigned char c = bytes[i];
        l[k] = toLower[c];
        b[k] = toBare[c];
        k += toLower[c] != 0;
      }
    };
#ifdef __SSE2__
    // Sixteen bytes at a time while sixteen can be read: printable ASCII
    // only changes A-Z, and no such letter has a caron to take off. A short
    // run is read on past its end; what it writes past its characters lies
    // beyond the text, no further than the input, and is written over next.
    while (i < count && i + 16 <= readable) {
      const size_t take = std::min<size_t>(16, count - i);
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
      const auto unusual = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(v, _mm_set1_epi8(0x20))));  // signed: control bytes and 0x80-0xFF
      if (unusual & ((1u << take) - 1)) {
        scalar(i + take);
        continue;
      }
      const __m128i capital = _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8('A' - 1)), _mm_cmplt_epi8(v, _mm_set1_epi8('Z' + 1)));
      const __m128i lower = _mm_add_epi8(v, _mm_and_si128(capital, _mm_set1_epi8(0x20)));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(l + k), lower);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(b + k), lower);
      k += take;
      i += take;
    }
#endif
    scalar(count);
    n += k;
  }
  void put(char16_t ch) {
    const unsigned char l = t.lower[t.toByte[ch]];
    lowered[n] = l;
    bare[n++] = t.bare[l];
  }
};

}  // namespace

size_t foldEntry(std::string_view entry, char* lowered, char* bare) {
  FoldingSink sink{tables(), reinterpret_cast<unsigned char*>(lowered), reinterpret_cast<unsigned char*>(bare)};
  rtf::scanText(entry, sink);
  return sink.n;
}

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
