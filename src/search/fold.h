#pragma once
// Text as the search compares it: one byte per character, in code page 1250
// and lower case, so that a day's text can be scanned with the C library's
// byte search. Each day keeps two strings of the same length: its letters in
// lower case, and the same with the carons taken off (č → c), which is what
// a letter typed without its caron is looked for in.
#include <string>
#include <string_view>

namespace search {

// The character in lower case as a code-page-1250 byte; 0 for a character
// the code page lacks (it then matches nothing typed).
unsigned char lowerByte(char16_t ch);

// A lower-case byte without its caron: č ć → c, š → s, ž → z, đ ď → d,
// ť → t, ň → n, ř → r, ě → e, ľ → l. Every other byte stays itself.
unsigned char bareByte(unsigned char lowered);

struct DayText {
  std::string lowered;  // lowerByte of every character
  std::string bare;     // bareByte of every lowered byte
  size_t bytes() const { return lowered.size() + bare.size(); }
};

// Character i of the text is byte i of both strings.
DayText foldText(std::u16string_view text);
// The same into two places of text.size() bytes each.
void foldInto(std::u16string_view text, char* lowered, char* bare);

// An entry's rich text (or plain text) read and folded in one pass: the same
// bytes foldText(rtf::readText(entry)) gives, with no text in between. Both
// places hold at least entry.size() bytes, which the text never exceeds;
// answers the text's length.
size_t foldEntry(std::string_view entry, char* lowered, char* bare);

}  // namespace search
