#pragma once
// Text on disk is Windows code page 1250 (Central European). The conversion
// goes through one fixed table so that files are the same bytes whatever the
// system's own code page is.
#include <string>
#include <string_view>

namespace base {

// Bytes of code page 1250 to UTF-16 text. Every byte has an image; the five
// bytes the code page leaves undefined map to U+0081, U+0083, U+0088, U+0090
// and U+0098, so a round trip never loses a byte.
std::u16string cp1250ToUtf16(std::string_view bytes);

// UTF-16 text to code page 1250; characters the code page lacks become '?'.
std::string utf16ToCp1250(std::u16string_view text);

// UTF-8 <-> code page 1250 for the portable parts that keep text in UTF-8.
std::string cp1250ToUtf8(std::string_view bytes);
std::string utf8ToCp1250(std::string_view utf8);

// UTF-8 <-> UTF-16. Malformed UTF-8 becomes U+FFFD.
std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view text);

// wchar_t is UTF-16 on Windows and UTF-32 elsewhere; these bridge to it.
std::wstring toWide(std::u16string_view text);
std::u16string fromWide(std::wstring_view text);

// The code point that byte b (0x80..0xFF) stands for in code page 1250.
char16_t cp1250HighByte(unsigned char b);

}  // namespace base
