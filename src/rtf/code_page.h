#pragma once
// The single-byte code pages a rich-text document may be written in, and
// which one a document or one of its fonts names: \ansicpgN for the whole
// document (or \ansi, \mac, \pc, \pca), \fcharsetN or \cpgN for a font. A
// byte of text (\'xx or a raw byte) is read in the code page of the font in
// force, else in the document's, else in Windows-1250, the diary's own.
#include <cstdint>
#include <optional>

namespace rtf {

enum class CodePage : uint8_t {
  Windows1250,  // Central European: the diary's own entries
  Windows1251, Windows1252, Windows1253, Windows1254, Windows1255, Windows1256, Windows1257, Windows1258,
  Windows874, Dos437, Dos850, MacRoman,
};

// \ansicpgN or \cpgN: the code page numbered so, when it is one of the above.
std::optional<CodePage> codePageNumbered(int64_t number);

// \fcharsetN: the code page of a font's character set. None for the default
// and symbol sets (text then follows the document) and for the sets of
// several bytes a character, which are not read here.
std::optional<CodePage> codePageOfCharset(int64_t charset);

// The character byte b stands for; ASCII is itself in every one of them, and
// a byte a code page leaves undefined stands for the code point of its value.
char16_t decodeByte(CodePage page, unsigned char b);

}  // namespace rtf
