#pragma once
// Reading Rich Text Format as Windows' RichEdit writes it, and plain text.
//
// Both readers take the whole file as bytes and run in one pass, linear in
// the input's length with no recursion and with every table bounded: a
// 200 KB entry reads in a few milliseconds, a 10 MB file of malformed input
// in a fraction of a second. No input makes them crash, hang or read outside
// the buffer. To benchmark, time readRtf on a written entry against a plain
// copy of the same bytes; the ratio is what stays stable between machines.
#include <cstddef>
#include <string>
#include <string_view>

#include "rtf/document.h"

namespace rtf {

// True when the bytes begin with "{\rtf", the mark of a rich-text file.
bool isRtf(std::string_view bytes);

// Reads a rich-text document. `defaults` is the format of text before any
// formatting control and after \plain (its font is replaced by the table's
// default font when the document names one). Bytes after the brace that
// closes the document are ignored; a document that never closes ends with
// the input. Unknown control words are skipped, so are ignorable (\*)
// destinations, pictures, the style sheet, document information and the
// fallbacks left for readers without nested tables. Hidden text (\v) is
// left out, as the editor never shows it; text in capitals (\caps) keeps its
// letters and says so in its format. Bytes of text are read in the code
// page of their font or document (rtf/code_page.h). Font names are kept to
// 31 characters. Groups nested deeper than kMaxDepth are skipped as a whole.
Document readRtf(std::string_view bytes, const CharFormat& defaults = {});
// What a reading met besides the text.
struct Reading {
  // The brace that closes the document was found: a document cut short (a
  // damaged or truncated file) still reads as far as it goes.
  bool closed = false;
  // Binary data without its length (\bin with no count: a picture that
  // cannot be read) was met; the text around it reads as the editor reads it.
  bool unreadableData = false;
};
Document readRtf(std::string_view bytes, const CharFormat& defaults, Reading& reading);

// Plain text in code page 1250: CR LF, CR and LF each end a paragraph;
// tabs are kept, other control bytes dropped. All text takes `format`.
Document readPlainText(std::string_view bytes, const CharFormat& format = {});

// A file's content as the editor loads it: rich text when isRtf(), else plain.
Document readAny(std::string_view bytes, const CharFormat& defaults = {});

// Only the characters of what readAny reads, each paragraph ended by '\r':
// the text of the document without its formats, read faster.
std::u16string readText(std::string_view bytes);

inline constexpr int kMaxDepth = 1000;

// What a reader with fixed buffers meets in the bytes, read as a reader that
// knows nothing of binary data meets them: braces counted raw (escaped ones,
// \{ and \}, not counted), \bin data not stepped over. Linear, no
// allocation; a control reader with a shallow group stack or short buffers
// is handed nothing beyond what it survives.
struct Extent {
  int depth = 0;           // the deepest nesting of groups
  size_t longestWord = 0;  // the longest control word with its parameter, in bytes
  size_t longestName = 0;  // the longest name in the font table or style sheet, in bytes
};
Extent measure(std::string_view bytes);
int groupDepth(std::string_view bytes);  // measure(bytes).depth

}  // namespace rtf
