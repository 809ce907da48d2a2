#pragma once
// The characters of a rich-text or plain-text file without its formats, in
// one pass over the bytes and handed straight to a sink: what readText and
// the diary's search read. Nothing is built but what the sink keeps, so the
// same pass serves a string of UTF-16 text or the search's folded bytes.
//
// A sink has two calls:
//   void run(const unsigned char* bytes, size_t n, size_t readable);
//       // text in code page 1250, one character a byte; bytes below 0x20 but
//       // tab and kLineBreak are no characters and are left out. The input
//       // goes on for `readable` bytes from `bytes`, for a sink that reads ahead.
//   void put(char16_t ch);                           // one character
// Every character comes from at least one byte of the input, so a sink never
// receives more characters than the input has bytes.
//
// What is text follows readRtf exactly: the same groups skipped, the same
// fallbacks after \uN swallowed, the same depth limit, \bin data stepped over,
// hidden text left out, every byte read in the code page of its font (the
// font table is read with the same FontTable). Text in capitals keeps its
// letters, as readRtf's does.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "base/cp1250.h"
#include "rtf/code_page.h"
#include "rtf/document.h"
#include "rtf/font_table.h"
#include "rtf/group_limits.h"
#include "rtf/reader.h"

namespace rtf {

// Groups whose content is never text of the entry.
inline constexpr std::string_view kSkippedDestinations[] = {
    "info", "stylesheet", "pict", "object", "header", "headerl", "headerr", "headerf", "footer", "footerl",
    "footerr", "footerf", "footnote", "listtable", "listoverridetable", "revtbl", "rsidtbl", "generator",
    "xmlnstbl", "themedata", "colorschememapping", "latentstyles", "datastore", "fldinst", "filetbl",
    "pgdsctbl", "nonshppict", "shpinst", "comment", "template", "userprops", "docvar", "private",
    "bkmkstart", "bkmkend", "annotation", "atnid", "atnauthor", "mmathPr", "xe", "tc", "txe", "objdata",
    "fchars", "lchars", "nonesttables"};

// Control words that stand for one character.
inline constexpr std::pair<std::string_view, char16_t> kCharacterWords[] = {
    {"line", kLineBreak},  {"tab", u'\t'},        {"cell", u'\t'},        {"emdash", u'\u2014'},
    {"endash", u'\u2013'}, {"bullet", u'\u2022'}, {"lquote", u'\u2018'},  {"rquote", u'\u2019'},
    {"ldblquote", u'\u201C'}, {"rdblquote", u'\u201D'}, {"emspace", u'\u2003'}, {"enspace", u'\u2002'},
    {"qmspace", u'\u2005'}, {"nestcell", u'\t'}};

// Control words that end a paragraph.
inline constexpr std::string_view kParagraphWords[] = {"par", "sect", "row", "nestrow"};

// The character set a document names for itself, where \ansicpg does not.
inline constexpr std::pair<std::string_view, CodePage> kCharsetWords[] = {
    {"ansi", CodePage::Windows1252}, {"mac", CodePage::MacRoman}, {"pc", CodePage::Dos437}, {"pca", CodePage::Dos850}};

// Hidden text, which the editor never shows: \v, and \v0 to end it.
inline constexpr std::string_view kHiddenWord = "v";

// The character a control symbol (a backslash and one byte) stands for; 0
// for \- (optional hyphen), \: (index entries) and unknown symbols, which
// show nothing.
constexpr char16_t symbolCharacter(unsigned char c) {
  switch (c) {
    case '\\':
    case '{':
    case '}': return c;
    case '~': return u'\u00A0';
    case '_': return u'\u2011';
    default: return 0;
  }
}

// A control word longer than this is no word the reader knows.
inline constexpr size_t kMaxWordLength = 32;
// Parameters are clamped while they are read, so no number overflows.
// Read in 64 bits: a long is 32 on Windows, and ten digits would overflow it.
inline constexpr int64_t kParamLimit = 1'000'000'000;

// What a control word does to the text alone.
struct TextWord {
  enum Kind : uint8_t {
    None, Bin, Destination, FontTable, Paragraph, Character, Unicode, UnicodeSkip, Hidden, Plain,
    Font, FontCharset, FontCodePage, DefaultFont, DocumentCodePage, DocumentCharset,
  } kind = None;
  char16_t ch = 0;  // for Character; the CodePage of DocumentCharset
};
TextWord textWord(std::string_view word);

template <class Sink>
class TextScanner {
 public:
  TextScanner(std::string_view in, Sink& out) : m_in(in), m_out(out) {}

  // Reads the document from its first brace to the brace that closes it
  // (or to the end of the input when none does).
  void run() {
    size_t pos = m_in.find('{');
    if (pos == std::string_view::npos) return;
    const size_t n = m_in.size();
    while (pos < n) {
      const auto c = byteAt(pos++);
      switch (c) {
        case '{': openGroup(); break;
        case '}':
          if (closeGroup()) return;
          break;
        case '\\': pos = controlSequence(pos); break;
        case '\r':
        case '\n': break;
        default:
          if (m_groups.consumedAsFallback()) break;  // a fallback byte after \uN
          pos = textRun(pos - 1);
          break;
      }
    }
  }

 private:
  enum Dest : uint8_t { kText, kFontTable, kSkip };
  struct Group {
    Dest dest;
    uint8_t unicodeSkip;
    bool hidden;
    int32_t font;  // an index in the font table, or its default font
  };

  unsigned char byteAt(size_t i) const { return static_cast<unsigned char>(m_in[i]); }
  bool skipping() const { return m_groups.pastLimit() || m_state.dest != kText; }

  static bool isLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
  static bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
  static bool endsRun(unsigned char c) { return kEndsRun[c]; }
  static constexpr std::array<bool, 256> kEndsRun = [] {
    std::array<bool, 256> t{};
    for (unsigned char c : {'{', '}', '\\', '\r', '\n'}) t[c] = true;
    return t;
  }();
  static int hexValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  // What byte b of text stands for in the font in force (of the entry, in the font table).
  char16_t decoded(unsigned char b) const {
    if (b < 0x80) return b;
    return decodeByte(m_state.dest == kFontTable ? m_fonts.entryCodePage() : m_fonts.codePageOf(m_state.font), b);
  }

  // The bytes from `begin` up to the next brace, backslash or line end are
  // characters in one go (or nothing, in a skipped group or hidden text).
  size_t textRun(size_t begin) {
    const size_t end = runEnd(begin + 1);
    if (m_state.dest == kFontTable) {
      for (size_t i = begin; i < end; ++i) character(decoded(byteAt(i)));
    } else if (!skipping() && !m_state.hidden) {
      const CodePage page = m_fonts.codePageOf(m_state.font);
      if (page == CodePage::Windows1250) text(begin, end);
      else textIn(page, begin, end);
    }
    return end;
  }

  void text(size_t begin, size_t end) {
    if (end > begin) m_out.run(reinterpret_cast<const unsigned char*>(m_in.data()) + begin, end - begin, m_in.size() - begin);
  }

  // Text in another code page: ASCII as it stands, every other byte decoded.
  void textIn(CodePage page, size_t begin, size_t end) {
    size_t ascii = begin;
    for (size_t i = begin; i < end; ++i) {
      const unsigned char b = byteAt(i);
      if (b < 0x80) continue;
      text(ascii, i);
      m_out.put(decodeByte(page, b));
      ascii = i + 1;
    }
    text(ascii, end);
  }

  // The first brace, backslash or line end from `i` on (or the input's end),
  // sixteen bytes at a time where it can.
  size_t runEnd(size_t i) const {
    const size_t n = m_in.size();
#ifdef __SSE2__
    const char* s = m_in.data();
    for (; i + 16 <= n; i += 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
      const __m128i braces = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('{')), _mm_cmpeq_epi8(v, _mm_set1_epi8('}')));
      const __m128i lines = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')));
      const __m128i ends = _mm_or_si128(_mm_or_si128(braces, lines), _mm_cmpeq_epi8(v, _mm_set1_epi8('\\')));
      if (const int mask = _mm_movemask_epi8(ends)) return i + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
    }
#endif
    while (i < n && !endsRun(byteAt(i))) ++i;
    return i;
  }

  void openGroup() {
    if (m_groups.open(m_depth)) m_stack[m_depth++] = m_state;
  }

  // True when this brace closes the document.
  bool closeGroup() {
    if (!m_groups.close()) return false;
    if (m_depth <= 1) return true;
    if (m_state.dest == kFontTable) m_fonts.endEntry();
    m_state = m_stack[--m_depth];
    return false;
  }

  size_t controlSequence(size_t pos) {
    if (pos >= m_in.size()) return pos;
    const unsigned char c = byteAt(pos);
    if (!isLetter(c)) return controlSymbol(c, pos + 1);
    const size_t begin = pos;
    while (pos < m_in.size() && isLetter(byteAt(pos))) ++pos;
    const std::string_view word = m_in.substr(begin, std::min(pos - begin, kMaxWordLength + 1));
    bool hasParam = false, negative = false;
    int64_t param = 0;
    if (pos + 1 < m_in.size() && m_in[pos] == '-' && isDigit(byteAt(pos + 1))) {
      negative = true;
      ++pos;
    }
    for (; pos < m_in.size() && isDigit(byteAt(pos)); ++pos) {
      hasParam = true;
      param = std::min<int64_t>(param * 10 + (m_in[pos] - '0'), kParamLimit);
    }
    if (pos < m_in.size() && m_in[pos] == ' ') ++pos;
    // In a skipped group only binary data has to be known, to be stepped over.
    if ((m_groups.pastLimit() || m_state.dest == kSkip) && !(word.size() == 3 && word[0] == 'b' && word[1] == 'i' && word[2] == 'n')) {
      m_groups.consumedAsFallback();
      return pos;
    }
    return controlWord(word, hasParam, static_cast<int>(negative ? -param : param), pos);
  }

  size_t controlSymbol(unsigned char c, size_t pos) {
    if (c == '\'') {
      int value = 0, digits = 0;
      for (int h; digits < 2 && pos < m_in.size() && (h = hexValue(byteAt(pos))) >= 0; ++digits, ++pos)
        value = value * 16 + h;
      if (!m_groups.consumedAsFallback() && digits == 2) character(decoded(static_cast<unsigned char>(value)));
      return pos;
    }
    if (m_groups.consumedAsFallback()) return pos;
    if (c == '\r' || c == '\n') {
      paragraphEnd();  // a backslash ending a line is a paragraph mark
    } else if (c == '*') {
      if (!m_groups.pastLimit() && m_state.dest != kSkip) m_state.dest = kSkip;
    } else if (const char16_t ch = symbolCharacter(c)) {
      character(ch);
    }
    return pos;
  }

  size_t controlWord(std::string_view word, bool hasParam, int param, size_t pos) {
    const TextWord w = textWord(word);
    if (w.kind == TextWord::Bin) {
      // Binary data follows raw; it is stepped over whatever the state.
      const size_t count = hasParam && param > 0 ? static_cast<size_t>(param) : 0;
      m_groups.consumedAsFallback();
      return pos + std::min(count, m_in.size() - pos);
    }
    if (m_groups.consumedAsFallback() || m_groups.pastLimit()) return pos;
    switch (w.kind) {
      case TextWord::Destination: m_state.dest = kSkip; return pos;
      case TextWord::FontTable: m_state.dest = kFontTable; return pos;
      case TextWord::Unicode: unicode(param); return pos;
      case TextWord::UnicodeSkip: m_state.unicodeSkip = static_cast<uint8_t>(std::clamp(param, 0, 16)); return pos;
      default: break;
    }
    if (m_state.dest == kFontTable) fontTableWord(w, param);
    else bodyWord(w, hasParam, param);
    return pos;
  }

  void fontTableWord(TextWord w, int param) {
    switch (w.kind) {
      case TextWord::Font: m_fonts.beginEntry(param); break;
      case TextWord::FontCharset: m_fonts.setCharset(param); break;
      case TextWord::FontCodePage: m_fonts.setCodePage(param); break;
      default: break;
    }
  }

  void bodyWord(TextWord w, bool hasParam, int param) {
    switch (w.kind) {
      case TextWord::Paragraph: paragraphEnd(); break;
      case TextWord::Character: character(w.ch); break;
      case TextWord::Hidden: m_state.hidden = !hasParam || param != 0; break;
      case TextWord::Plain:
        m_state.hidden = false;
        m_state.font = FontTable::kDefaultFont;
        break;
      case TextWord::Font:
        if (const std::optional<int32_t> font = m_fonts.find(param)) m_state.font = *font;
        break;
      case TextWord::DefaultFont: m_fonts.setDefaultFont(param); break;
      case TextWord::DocumentCodePage: m_fonts.setDocumentCodePage(param); break;
      case TextWord::DocumentCharset: m_fonts.setDocumentCharset(static_cast<CodePage>(w.ch)); break;
      default: break;
    }
  }

  void unicode(int param) {
    const int code = param < 0 ? param + 65536 : param;
    if (code >= 0 && code <= 0xFFFF) character(static_cast<char16_t>(code));
    m_groups.expectFallback(m_state.unicodeSkip);
  }

  void character(char16_t ch) {
    if (m_groups.pastLimit()) return;
    if (m_state.dest == kFontTable) {
      if (ch == u';') m_fonts.endEntry();
      else m_fonts.addNameCharacter(ch);
      return;
    }
    if (m_state.dest != kText || m_state.hidden || (ch < 0x20 && ch != u'\t' && ch != kLineBreak)) return;
    m_out.put(ch);
  }

  void paragraphEnd() {
    if (!skipping()) m_out.put(u'\r');
  }

  std::string_view m_in;
  Sink& m_out;
  Group m_state{kText, 1, false, FontTable::kDefaultFont};
  std::array<Group, kMaxDepth> m_stack;  // the enclosing groups' states, not initialised: only [0, m_depth) is read
  size_t m_depth = 0;
  GroupLimits m_groups;
  FontTable m_fonts;
};

// Plain text: CR LF, CR and LF each end a paragraph ('\r'); tabs are kept,
// other control bytes left out.
template <class Sink>
void scanPlainText(std::string_view in, Sink& out) {
  const auto* b = reinterpret_cast<const unsigned char*>(in.data());
  const size_t n = in.size();
  size_t i = 0;
  while (i < n) {
    size_t end = i;
    while (end < n && b[end] != '\r' && b[end] != '\n' && b[end] != kLineBreak) ++end;
    if (end > i) out.run(b + i, end - i, n - i);
    if (end == n) break;
    if (b[end] != kLineBreak) {
      out.put(u'\r');
      if (b[end] == '\r' && end + 1 < n && b[end + 1] == '\n') ++end;
    }
    i = end + 1;
  }
}

// What readText reads, into the sink.
template <class Sink>
void scanText(std::string_view in, Sink& out) {
  if (isRtf(in)) TextScanner<Sink>(in, out).run();
  else scanPlainText(in, out);
}

}  // namespace rtf
