#include "base/cp1250.h"

#include <array>

namespace base {
namespace {

constexpr std::array<char16_t, 128> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// Reverse lookup built once: code point -> byte, 0 where unmapped.
struct Reverse {
  std::array<unsigned char, 0x2200> low{};  // covers every mapped code point but U+20AC and U+2122
  Reverse() {
    for (int i = 0; i < 128; ++i)
      if (kHigh[i] < low.size()) low[kHigh[i]] = static_cast<unsigned char>(0x80 + i);
  }
};

char reverseByte(char16_t c) {
  static const Reverse r;
  if (c < 0x80) return static_cast<char>(c);
  if (c == 0x20AC) return static_cast<char>(0x80);
  if (c == 0x2122) return static_cast<char>(0x99);
  if (c < r.low.size() && r.low[c]) return static_cast<char>(r.low[c]);
  return '?';
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// One code point as one UTF-16 unit or a surrogate pair.
void appendUtf16(std::u16string& out, char32_t cp) {
  if (cp >= 0x10000) {
    out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
  } else {
    out += static_cast<char16_t>(cp);
  }
}

// Decodes one UTF-8 sequence at s[i], advancing i; U+FFFD for malformed input.
char32_t nextUtf8(std::string_view s, size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i++]);
  if (b0 < 0x80) return b0;
  int extra = b0 >= 0xF0 && b0 < 0xF5 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC2 && b0 < 0xE0 ? 1 : -1;
  if (extra < 0) return 0xFFFD;
  char32_t cp = b0 & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
  }
  const char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
  if (cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) return 0xFFFD;
  return cp;
}

}  // namespace

char16_t cp1250HighByte(unsigned char b) { return b < 0x80 ? b : kHigh[b - 0x80]; }

std::u16string cp1250ToUtf16(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (char ch : bytes) out += cp1250HighByte(static_cast<unsigned char>(ch));
  return out;
}

std::string utf16ToCp1250(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) ++i;  // a pair has no byte
    out += (c >= 0xD800 && c < 0xE000) ? '?' : reverseByte(c);
  }
  return out;
}

std::string cp1250ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char ch : bytes) appendUtf8(out, cp1250HighByte(static_cast<unsigned char>(ch)));
  return out;
}

std::string utf8ToCp1250(std::string_view utf8) { return utf16ToCp1250(utf8ToUtf16(utf8)); }

std::u16string utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const char32_t cp = nextUtf8(utf8, i);
    appendUtf16(out, cp);
  }
  return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    appendUtf8(out, cp);
  }
  return out;
}

std::wstring toWide(std::u16string_view text) {
  if constexpr (sizeof(wchar_t) == 2) {
    return std::wstring(text.begin(), text.end());
  } else {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
      char32_t cp = text[i];
      if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size()) cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
      out += static_cast<wchar_t>(cp);
    }
    return out;
  }
}

std::u16string fromWide(std::wstring_view text) {
  if constexpr (sizeof(wchar_t) == 2) {
    return std::u16string(text.begin(), text.end());
  } else {
    std::u16string out;
    for (wchar_t w : text) {
      appendUtf16(out, static_cast<char32_t>(w));
    }
    return out;
  }
}

}  // namespace base
