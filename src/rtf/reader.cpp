#include "rtf/reader.h"

// Sections: the control words the reader knows; the state of a group; the
// reader (groups, control words, text, the colour table, paragraphs); the
// entry points and the measure of a document.

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/cp1250.h"
#include "rtf/font_table.h"
#include "rtf/group_limits.h"
#include "rtf/text_scanner.h"

namespace rtf {
namespace {

// ---- control words ------------------------------------------------------------------

// Where the characters of the current group go.
enum class Dest : uint8_t { Text, FontTable, ColorTable, Skip };

enum class Word : uint8_t {
  Bin, FontTable, ColorTable, SkippedDestination,
  Bold, Italic, Underline, UnderlineNone, Caps, Hidden, Color, FontSize, Font, Plain, DefaultFont,
  ParagraphDefaults, AlignLeft, AlignRight, AlignCenter, Par,
  Unicode, UnicodeSkip, Red, Green, Blue, Char,
  DocumentCodePage, DocumentCharset, FontCharset, FontCodePage,
};

struct WordInfo {
  Word word;
  char16_t value = 0;  // the character of Word::Char, the CodePage of Word::DocumentCharset
};

const std::unordered_map<std::string_view, WordInfo>& words() {
  static const std::unordered_map<std::string_view, WordInfo> table = [] {
    std::unordered_map<std::string_view, WordInfo> t;
    t["bin"] = {Word::Bin};
    t["fonttbl"] = {Word::FontTable};
    t["colortbl"] = {Word::ColorTable};
    for (std::string_view d : kSkippedDestinations) t[d] = {Word::SkippedDestination};
    t["b"] = {Word::Bold};
    t["i"] = {Word::Italic};
    for (const char* u : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash",
                          "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave",
                          "ulw", "ulwave"})
      t[u] = {Word::Underline};
    t["ulnone"] = {Word::UnderlineNone};
    t["caps"] = {Word::Caps};
    t[kHiddenWord] = {Word::Hidden};
    t["cf"] = {Word::Color};
    t["fs"] = {Word::FontSize};
    t["f"] = {Word::Font};
    t["plain"] = {Word::Plain};
    t["deff"] = {Word::DefaultFont};
    t["pard"] = {Word::ParagraphDefaults};
    t["ql"] = {Word::AlignLeft};
    t["qj"] = {Word::AlignLeft};  // justified and distributed text shows as left-aligned here
    t["qd"] = {Word::AlignLeft};
    t["qr"] = {Word::AlignRight};
    t["qc"] = {Word::AlignCenter};
    for (std::string_view p : kParagraphWords) t[p] = {Word::Par};
    t["u"] = {Word::Unicode};
    t["uc"] = {Word::UnicodeSkip};
    t["red"] = {Word::Red};
    t["green"] = {Word::Green};
    t["blue"] = {Word::Blue};
    t["ansicpg"] = {Word::DocumentCodePage};
    t["fcharset"] = {Word::FontCharset};
    t["cpg"] = {Word::FontCodePage};
    for (auto [w, page] : kCharsetWords) t[w] = {Word::DocumentCharset, static_cast<char16_t>(page)};
    for (auto [w, ch] : kCharacterWords) t[w] = {Word::Char, ch};
    return t;
  }();
  return table;
}

constexpr size_t kMaxColors = 65536;

bool isLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
int hexValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// ---- the state of a group -----------------------------------------------------------

// The character format in force, its font by index in the font table: a
// group's state is copied at every brace, so it holds no name.
struct Style {
  bool bold = false, italic = false, underline = false, caps = false, hidden = false;
  base::Color color{};
  int halfPoints = 18;
  int32_t font = FontTable::kDefaultFont;
  friend bool operator==(const Style&, const Style&) = default;
};

// What a Style and a CharFormat share: all but the font.
template <class From, class To>
void copyLook(const From& from, To& to) {
  to.bold = from.bold;
  to.italic = from.italic;
  to.underline = from.underline;
  to.caps = from.caps;
  to.color = from.color;
  to.halfPoints = from.halfPoints;
}

struct GroupState {
  Style style;
  base::Alignment alignment = base::Alignment::Left;
  uint8_t unicodeSkip = 1;
  Dest dest = Dest::Text;
};

// ---- the reader ---------------------------------------------------------------------

class Reader {
 public:
  Reader(std::string_view in, const CharFormat& defaults) : m_in(in), m_defaults(defaults) {
    m_state.style = plainStyle();
    m_doc.paragraphs.clear();
  }

  Document read() {
    run();
    return std::move(m_doc);
  }

  const Reading& reading() const { return m_reading; }

 private:
  void run() {
    const size_t start = m_in.find('{');
    m_pos = start == std::string_view::npos ? m_in.size() : start;
    bool ended = false;
    while (!ended && m_pos < m_in.size()) {
      const auto c = static_cast<unsigned char>(m_in[m_pos++]);
      switch (c) {
        case '{': openGroup(); break;
        case '}': ended = closeGroup(); break;
        case '\\': controlSequence(); break;
        case '\r':
        case '\n': break;
        default: textByte(c); break;
      }
    }
    if (!ended) finishDocument();
    m_reading.closed = ended;
  }

  bool skipping() const { return m_groups.pastLimit() || m_state.dest == Dest::Skip; }

  void openGroup() {
    if (m_groups.open(m_stack.size())) m_stack.push_back(m_state);
  }

  // Returns true when this brace closes the document.
  bool closeGroup() {
    if (!m_groups.close()) return false;
    if (m_stack.empty()) return true;
    if (m_state.dest == Dest::FontTable) m_fonts.endEntry();
    if (m_stack.size() == 1) {
      finishDocument();
      return true;
    }
    m_state = m_stack.back();
    m_stack.pop_back();
    return false;
  }

  void controlSequence() {
    if (m_pos >= m_in.size()) return;
    const auto c = static_cast<unsigned char>(m_in[m_pos]);
    if (!isLetter(c)) {
      ++m_pos;
      controlSymbol(c);
      return;
    }
    const size_t begin = m_pos;
    while (m_pos < m_in.size() && isLetter(static_cast<unsigned char>(m_in[m_pos]))) ++m_pos;
    const std::string_view word = m_in.substr(begin, std::min(m_pos - begin, kMaxWordLength + 1));
    bool hasParam = false;
    bool negative = false;
    int64_t param = 0;
    if (m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && isDigit(static_cast<unsigned char>(m_in[m_pos + 1]))) {
      negative = true;
      ++m_pos;
    }
    while (m_pos < m_in.size() && isDigit(static_cast<unsigned char>(m_in[m_pos]))) {
      hasParam = true;
      param = std::min<int64_t>(param * 10 + (m_in[m_pos] - '0'), kParamLimit);
      ++m_pos;
    }
    if (negative) param = -param;
    if (m_pos < m_in.size() && m_in[m_pos] == ' ') ++m_pos;
    controlWord(word, hasParam, static_cast<int>(param));
  }

  void controlSymbol(unsigned char c) {
    if (c == '\'') {
      int value = 0, digits = 0;
      while (digits < 2 && m_pos < m_in.size()) {
        const int h = hexValue(static_cast<unsigned char>(m_in[m_pos]));
        if (h < 0) break;
        value = value * 16 + h;
        ++digits;
        ++m_pos;
      }
      if (m_groups.consumedAsFallback() || digits < 2) return;
      character(decoded(static_cast<unsigned char>(value)));
      return;
    }
    if (c == '\r' || c == '\n') {  // a backslash ending a line is a paragraph mark
      if (!m_groups.consumedAsFallback()) paragraphEnd();
      return;
    }
    if (m_groups.consumedAsFallback()) return;
    if (c == '*') {
      if (!skipping()) m_state.dest = Dest::Skip;
    } else if (const char16_t ch = symbolCharacter(c)) {
      character(ch);
    }
  }

  void controlWord(std::string_view word, bool hasParam, int param) {
    const auto& table = words();
    const auto it = table.find(word);
    if (it != table.end() && it->second.word == Word::Bin) {
      // Binary data follows raw; it must be stepped over whatever the state.
      // Without its length it cannot be: what follows is read as it stands.
      if (!hasParam || param < 0) m_reading.unreadableData = true;
      const size_t count = hasParam && param > 0 ? static_cast<size_t>(param) : 0;
      m_pos += std::min(count, m_in.size() - m_pos);
      m_groups.consumedAsFallback();
      return;
    }
    if (m_groups.consumedAsFallback() || m_groups.pastLimit() || it == table.end()) return;
    const WordInfo info = it->second;
    // Inside the colour table only colours are read: a table opened there
    // is skipped, as the text scanner skips the colour table whole.
    if (m_state.dest == Dest::Skip) return;
    if (info.word == Word::SkippedDestination) {
      m_state.dest = Dest::Skip;
      return;
    }
    if (m_state.dest == Dest::ColorTable) return colorTableWord(info.word, param);
    switch (info.word) {
      case Word::FontTable: m_state.dest = Dest::FontTable; return;
      case Word::ColorTable:
        m_state.dest = Dest::ColorTable;
        m_colors.clear();
        return;
      default: break;
    }
    if (m_state.dest == Dest::FontTable) fontTableWord(info.word, param);
    else textWord(info, hasParam, param);
  }

  void fontTableWord(Word word, int param) {
    switch (word) {
      case Word::Font: m_fonts.beginEntry(param); break;
      case Word::FontCharset: m_fonts.setCharset(param); break;
      case Word::FontCodePage: m_fonts.setCodePage(param); break;
      case Word::Unicode: unicode(param); break;
      case Word::UnicodeSkip: unicodeSkip(param); break;
      default: break;
    }
  }

  void colorTableWord(Word word, int param) {
    const int component = std::clamp(param, 0, 255);
    if (word == Word::Red) m_red = component, m_colorGiven = true;
    else if (word == Word::Green) m_green = component, m_colorGiven = true;
    else if (word == Word::Blue) m_blue = component, m_colorGiven = true;
  }

  void textWord(const WordInfo& info, bool hasParam, int param) {
    Style& s = m_state.style;
    const bool on = !hasParam || param != 0;
    switch (info.word) {
      case Word::Bold: s.bold = on; break;
      case Word::Italic: s.italic = on; break;
      case Word::Underline: s.underline = on; break;
      case Word::UnderlineNone: s.underline = false; break;
      case Word::Caps: s.caps = on; break;
      case Word::Hidden: s.hidden = on; break;
      case Word::Color:
        s.color = param > 0 && static_cast<size_t>(param) < m_colors.size() && m_colors[param] ? *m_colors[param]
                                                                                             : base::Color{};
        break;
      case Word::FontSize: s.halfPoints = hasParam ? std::clamp(param, 2, 3276) : 24; break;
      case Word::Font:
        if (const std::optional<int32_t> font = m_fonts.find(param)) s.font = *font;
        break;
      case Word::Plain: s = plainStyle(); break;
      case Word::DefaultFont: m_fonts.setDefaultFont(param); break;
      case Word::DocumentCodePage: m_fonts.setDocumentCodePage(param); break;
      case Word::DocumentCharset: m_fonts.setDocumentCharset(static_cast<CodePage>(info.value)); break;
      case Word::ParagraphDefaults: m_state.alignment = base::Alignment::Left; break;
      case Word::AlignLeft: m_state.alignment = base::Alignment::Left; break;
      case Word::AlignRight: m_state.alignment = base::Alignment::Right; break;
      case Word::AlignCenter: m_state.alignment = base::Alignment::Center; break;
      case Word::Par: paragraphEnd(); break;
      case Word::Unicode: unicode(param); break;
      case Word::UnicodeSkip: unicodeSkip(param); break;
      case Word::Char: character(info.value); break;
      default: break;
    }
  }

  // The caller's format, which \plain goes back to; its font is the one \deff names.
  Style plainStyle() const {
    Style s;
    copyLook(m_defaults, s);
    return s;
  }

  void unicode(int param) {
    const int code = param < 0 ? param + 65536 : param;
    if (code >= 0 && code <= 0xFFFF) character(static_cast<char16_t>(code));
    m_groups.expectFallback(m_state.unicodeSkip);
  }

  void unicodeSkip(int param) { m_state.unicodeSkip = static_cast<uint8_t>(std::clamp(param, 0, 16)); }

  // ---- text ---------------------------------------------------------------------------

  // A byte of text in the code page of the font in force (of the entry, in the font table).
  char16_t decoded(unsigned char b) const {
    if (b < 0x80) return b;
    return decodeByte(m_state.dest == Dest::FontTable ? m_fonts.entryCodePage() : m_fonts.codePageOf(m_state.style.font), b);
  }

  void textByte(unsigned char c) {
    if (m_groups.consumedAsFallback()) return;
    character(decoded(c));
  }

  void character(char16_t ch) {
    if (skipping()) return;
    switch (m_state.dest) {
      case Dest::Text:
        if (m_state.style.hidden || (ch < 0x20 && ch != u'\t' && ch != kLineBreak)) return;
        appendToParagraph(ch);
        break;
      case Dest::FontTable:
        if (ch == ';') m_fonts.endEntry();
        else m_fonts.addNameCharacter(ch);
        break;
      case Dest::ColorTable:
        if (ch == ';') commitColor();
        break;
      case Dest::Skip: break;
    }
  }

  // A character joins the paragraph's last run while the style stays; a new
  // style makes a new run only when it shows differently.
  void appendToParagraph(char16_t ch) {
    if (m_paragraph.runs.empty() || !(m_state.style == m_runStyle)) {
      CharFormat format = formatOf(m_state.style);
      m_runStyle = m_state.style;
      if (m_paragraph.runs.empty() || !(m_paragraph.runs.back().format == format)) {
        m_paragraph.runs.push_back(Run{std::u16string(1, ch), std::move(format)});
        return;
      }
    }
    m_paragraph.runs.back().text += ch;
  }

  CharFormat formatOf(const Style& s) const {
    CharFormat f;
    copyLook(s, f);
    const std::u16string* name = m_fonts.name(m_fonts.resolve(s.font));
    f.font = name ? *name : m_defaults.font;
    return f;
  }

  void commitColor() {
    if (m_colors.size() < kMaxColors)
      m_colors.push_back(m_colorGiven ? std::optional(base::Color::rgb(static_cast<uint8_t>(m_red),
                                                                     static_cast<uint8_t>(m_green),
                                                                     static_cast<uint8_t>(m_blue)))
                                    : std::nullopt);
    m_red = m_green = m_blue = 0;
    m_colorGiven = false;
  }

  // ---- paragraphs ---------------------------------------------------------------------

  void paragraphEnd() {
    if (skipping() || m_state.dest != Dest::Text) return;
    m_paragraph.alignment = m_state.alignment;
    m_paragraph.mark = formatOf(m_state.style);
    m_doc.paragraphs.push_back(std::move(m_paragraph));
    m_paragraph = Paragraph{};
  }

  // The final \par ends the last paragraph; only text after it opens another.
  void finishDocument() {
    if (!m_paragraph.runs.empty() || m_doc.paragraphs.empty()) {
      m_paragraph.alignment = m_state.alignment;
      m_paragraph.mark = formatOf(m_state.style);
      m_doc.paragraphs.push_back(std::move(m_paragraph));
    }
  }

  std::string_view m_in;
  size_t m_pos = 0;
  Reading m_reading;
  CharFormat m_defaults;
  GroupState m_state;
  std::vector<GroupState> m_stack;
  GroupLimits m_groups;

  Document m_doc;
  Paragraph m_paragraph;
  Style m_runStyle;  // the style of the paragraph's last run

  FontTable m_fonts;

  std::vector<std::optional<base::Color>> m_colors;
  int m_red = 0, m_green = 0, m_blue = 0;
  bool m_colorGiven = false;
};

}  // namespace

// ---- entry points -------------------------------------------------------------------

bool isRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

Extent measure(std::string_view bytes) {
  Extent e;
  size_t depth = 0;
  size_t tableDepth = 0;  // the depth of the font table or style sheet read, 0 outside them
  size_t name = 0;        // bytes of the name being read in it
  const size_t n = bytes.size();
  for (size_t i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == '\\' && i + 1 < n && isLetter(static_cast<unsigned char>(bytes[i + 1]))) {
      size_t end = i + 1;
      while (end < n && isLetter(static_cast<unsigned char>(bytes[end]))) ++end;
      const std::string_view word = bytes.substr(i + 1, end - i - 1);
      if (end < n && bytes[end] == '-') ++end;
      while (end < n && isDigit(static_cast<unsigned char>(bytes[end]))) ++end;
      e.longestWord = std::max(e.longestWord, end - i);
      if (tableDepth == 0 && (word == "fonttbl" || word == "stylesheet")) tableDepth = depth;
      if (end < n && bytes[end] == ' ') ++end;  // the word's delimiter, no character
      i = end - 1;
      continue;
    }
    switch (c) {
      case '\\': ++i; break;  // the escaped character is text, a brace included
      case '{':
        e.depth = std::max(e.depth, static_cast<int>(std::min<size_t>(++depth, INT32_MAX)));
        name = 0;
        break;
      case '}':
        if (depth == tableDepth) tableDepth = 0;
        depth = depth > 0 ? depth - 1 : 0;
        name = 0;
        break;
      case ';': name = 0; break;
      case '\r':
      case '\n': break;
      default:
        if (tableDepth > 0) e.longestName = std::max(e.longestName, ++name);
        break;
    }
  }
  return e;
}

int groupDepth(std::string_view bytes) { return measure(bytes).depth; }

Document readRtf(std::string_view bytes, const CharFormat& defaults) {
  return Reader(bytes, defaults).read();
}

Document readRtf(std::string_view bytes, const CharFormat& defaults, Reading& reading) {
  Reader reader(bytes, defaults);
  Document doc = reader.read();
  reading = reader.reading();
  return doc;
}

Document readPlainText(std::string_view bytes, const CharFormat& format) {
  Document doc;
  doc.paragraphs.front().mark = format;
  std::u16string line;
  auto endParagraph = [&] {
    appendText(doc.paragraphs.back(), line, format);
    line.clear();
  };
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      endParagraph();
      doc.paragraphs.push_back(Paragraph{base::Alignment::Left, {}, format});
    } else if (c >= 0x20 || c == '\t') {
      line += base::cp1250HighByte(c);
    }
  }
  endParagraph();
  return doc;
}

std::u16string readText(std::string_view bytes) {
  // Characters never outnumber the bytes they come from.
  struct Sink {
    std::u16string text;
    size_t n = 0;
    void run(const unsigned char* b, size_t count, size_t) {
      for (size_t i = 0; i < count; ++i)
        if (b[i] >= 0x20 || b[i] == '\t' || b[i] == kLineBreak) text[n++] = base::cp1250HighByte(b[i]);
    }
    void put(char16_t ch) { text[n++] = ch; }
  } sink{std::u16string(bytes.size(), u'\0')};
  scanText(bytes, sink);
  sink.text.resize(sink.n);
  return std::move(sink.text);
}

Document readAny(std::string_view bytes, const CharFormat& defaults) {
  return isRtf(bytes) ? readRtf(bytes, defaults) : readPlainText(bytes, defaults);
}

}  // namespace rtf
