#include "rtf/reader.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/cp1250.h"
#include "rtf/group_limits.h"
#include "rtf/text_scanner.h"

namespace rtf {
namespace {

// Where the characters of the current group go.
enum class Dest : uint8_t { Text, FontTable, ColorTable, Skip };

enum class Word : uint8_t {
  Bin, FontTable, ColorTable, SkippedDestination,
  Bold, Italic, Underline, UnderlineNone, Color, FontSize, Font, Plain, DefaultFont,
  ParagraphDefaults, AlignLeft, AlignRight, AlignCenter, Par,
  Unicode, UnicodeSkip, Red, Green, Blue, Char,
};

struct WordInfo {
  Word word;
  char16_t ch = 0;  // for Word::Char
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
    t["par"] = {Word::Par};
    t["sect"] = {Word::Par};
    t["row"] = {Word::Par};
    t["u"] = {Word::Unicode};
    t["uc"] = {Word::UnicodeSkip};
    t["red"] = {Word::Red};
    t["green"] = {Word::Green};
    t["blue"] = {Word::Blue};
    for (auto [w, ch] : kCharacterWords) t[w] = {Word::Char, ch};
    return t;
  }();
  return table;
}

constexpr size_t kMaxTableEntries = 65536;

bool isLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
int hexValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

struct GroupState {
  CharFormat format;
  Alignment alignment = Alignment::Left;
  bool fontChosen = false;  // \f given in this group or an enclosing one
  int unicodeSkip = 1;
  Dest dest = Dest::Text;
};

class Reader {
 public:
  Reader(std::string_view in, const CharFormat& defaults) : in_(in), defaults_(defaults) {
    state_.format = defaults;
    doc_.paragraphs.clear();
  }

  Document read() {
    run();
    return std::move(doc_);
  }

  bool closed() const { return closed_; }

 private:
  void run() {
    const size_t start = in_.find('{');
    pos_ = start == std::string_view::npos ? in_.size() : start;
    bool ended = false;
    while (!ended && pos_ < in_.size()) {
      const auto c = static_cast<unsigned char>(in_[pos_++]);
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
    closed_ = ended;
  }

  bool skipping() const { return groups_.pastLimit() || state_.dest == Dest::Skip; }

  void openGroup() {
    if (groups_.open(stack_.size())) stack_.push_back(state_);
  }

  // Returns true when this brace closes the document.
  bool closeGroup() {
    if (!groups_.close()) return false;
    if (stack_.empty()) return true;
    if (state_.dest == Dest::FontTable) commitFont();
    if (stack_.size() == 1) {
      finishDocument();
      return true;
    }
    const bool fontTableEnds = state_.dest == Dest::FontTable && stack_.back().dest != Dest::FontTable;
    state_ = std::move(stack_.back());
    stack_.pop_back();
    if (fontTableEnds) applyDefaultFont();
    return false;
  }

  // Text before any \f is in the document's default font, known only once
  // the font table has been read.
  void applyDefaultFont() {
    const auto it = fonts_.find(defaultFont_);
    if (it == fonts_.end()) return;
    if (!state_.fontChosen) state_.format.font = it->second;
    for (GroupState& s : stack_)
      if (!s.fontChosen) s.format.font = it->second;
  }

  void controlSequence() {
    if (pos_ >= in_.size()) return;
    const auto c = static_cast<unsigned char>(in_[pos_]);
    if (!isLetter(c)) {
      ++pos_;
      controlSymbol(c);
      return;
    }
    const size_t begin = pos_;
    while (pos_ < in_.size() && isLetter(static_cast<unsigned char>(in_[pos_]))) ++pos_;
    const std::string_view word = in_.substr(begin, std::min(pos_ - begin, kMaxWordLength + 1));
    bool hasParam = false;
    bool negative = false;
    long param = 0;
    if (pos_ + 1 < in_.size() && in_[pos_] == '-' && isDigit(static_cast<unsigned char>(in_[pos_ + 1]))) {
      negative = true;
      ++pos_;
    }
    while (pos_ < in_.size() && isDigit(static_cast<unsigned char>(in_[pos_]))) {
      hasParam = true;
      param = std::min(param * 10 + (in_[pos_] - '0'), kParamLimit);
      ++pos_;
    }
    if (negative) param = -param;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
    controlWord(word, hasParam, static_cast<int>(param));
  }

  void controlSymbol(unsigned char c) {
    if (c == '\'') {
      int value = 0, digits = 0;
      while (digits < 2 && pos_ < in_.size()) {
        const int h = hexValue(static_cast<unsigned char>(in_[pos_]));
        if (h < 0) break;
        value = value * 16 + h;
        ++digits;
        ++pos_;
      }
      if (groups_.consumedAsFallback() || digits < 2) return;
      character(base::cp1250HighByte(static_cast<unsigned char>(value)));
      return;
    }
    if (c == '\r' || c == '\n') {  // a backslash ending a line is a paragraph mark
      if (!groups_.consumedAsFallback()) paragraphEnd();
      return;
    }
    if (groups_.consumedAsFallback()) return;
    if (c == '*') {
      if (!skipping()) state_.dest = Dest::Skip;
    } else if (const char16_t ch = symbolCharacter(c)) {
      character(ch);
    }
  }

  void controlWord(std::string_view word, bool hasParam, int param) {
    const auto& table = words();
    const auto it = table.find(word);
    if (it != table.end() && it->second.word == Word::Bin) {
      // Binary data follows raw; it must be stepped over whatever the state.
      const size_t count = hasParam && param > 0 ? static_cast<size_t>(param) : 0;
      pos_ += std::min(count, in_.size() - pos_);
      groups_.consumedAsFallback();
      return;
    }
    if (groups_.consumedAsFallback() || groups_.pastLimit() || it == table.end()) return;
    const WordInfo info = it->second;
    switch (info.word) {
      case Word::FontTable: state_.dest = Dest::FontTable; return;
      case Word::ColorTable:
        state_.dest = Dest::ColorTable;
        colors_.clear();
        return;
      case Word::SkippedDestination: state_.dest = Dest::Skip; return;
      default: break;
    }
    if (state_.dest == Dest::Skip) return;
    if (state_.dest == Dest::FontTable) {
      if (info.word == Word::Font) fontEntry_ = param;
      else if (info.word == Word::Unicode) unicode(param);
      else if (info.word == Word::UnicodeSkip) unicodeSkip(param);
      return;
    }
    if (state_.dest == Dest::ColorTable) {
      const int component = std::clamp(param, 0, 255);
      if (info.word == Word::Red) red_ = component, colorGiven_ = true;
      else if (info.word == Word::Green) green_ = component, colorGiven_ = true;
      else if (info.word == Word::Blue) blue_ = component, colorGiven_ = true;
      return;
    }
    CharFormat& f = state_.format;
    const bool on = !hasParam || param != 0;
    switch (info.word) {
      case Word::Bold: f.bold = on; break;
      case Word::Italic: f.italic = on; break;
      case Word::Underline: f.underline = on; break;
      case Word::UnderlineNone: f.underline = false; break;
      case Word::Color:
        f.color = param > 0 && static_cast<size_t>(param) < colors_.size() && colors_[param]
                      ? *colors_[param]
                      : base::Color{};
        break;
      case Word::FontSize: f.halfPoints = hasParam ? std::clamp(param, 2, 3276) : 24; break;
      case Word::Font:
        if (const auto font = fonts_.find(param); font != fonts_.end()) f.font = font->second;
        state_.fontChosen = true;
        break;
      case Word::Plain: {
        const bool chosen = state_.fontChosen;
        f = defaults_;
        if (const auto font = fonts_.find(defaultFont_); font != fonts_.end()) f.font = font->second;
        state_.fontChosen = chosen;
        break;
      }
      case Word::DefaultFont: defaultFont_ = param; break;
      case Word::ParagraphDefaults: state_.alignment = Alignment::Left; break;
      case Word::AlignLeft: state_.alignment = Alignment::Left; break;
      case Word::AlignRight: state_.alignment = Alignment::Right; break;
      case Word::AlignCenter: state_.alignment = Alignment::Center; break;
      case Word::Par: paragraphEnd(); break;
      case Word::Unicode: unicode(param); break;
      case Word::UnicodeSkip: unicodeSkip(param); break;
      case Word::Char: character(info.ch); break;
      default: break;
    }
  }

  void unicode(int param) {
    const int code = param < 0 ? param + 65536 : param;
    if (code >= 0 && code <= 0xFFFF) character(static_cast<char16_t>(code));
    groups_.expectFallback(state_.unicodeSkip);
  }

  void unicodeSkip(int param) { state_.unicodeSkip = std::clamp(param, 0, 16); }

  void textByte(unsigned char c) {
    if (groups_.consumedAsFallback()) return;
    character(base::cp1250HighByte(c));
  }

  void character(char16_t ch) {
    if (skipping()) return;
    switch (state_.dest) {
      case Dest::Text:
        if (ch < 0x20 && ch != u'\t' && ch != kLineBreak) return;
        if (!paragraph_.runs.empty() && paragraph_.runs.back().format == state_.format)
          paragraph_.runs.back().text += ch;
        else
          paragraph_.runs.push_back(Run{std::u16string(1, ch), state_.format});
        break;
      case Dest::FontTable:
        if (ch == ';') commitFont();
        else if (ch >= 0x20) fontName_ += ch;
        break;
      case Dest::ColorTable:
        if (ch == ';') commitColor();
        break;
      case Dest::Skip: break;
    }
  }

  void commitFont() {
    const auto first = fontName_.find_first_not_of(u' ');
    if (first != std::u16string::npos && (fonts_.size() < kMaxTableEntries || fonts_.count(fontEntry_))) {
      const auto last = fontName_.find_last_not_of(u' ');
      fonts_[fontEntry_] = fontName_.substr(first, last - first + 1);
    }
    fontName_.clear();
  }

  void commitColor() {
    if (colors_.size() < kMaxTableEntries)
      colors_.push_back(colorGiven_ ? std::optional(base::Color::rgb(static_cast<uint8_t>(red_),
                                                                     static_cast<uint8_t>(green_),
                                                                     static_cast<uint8_t>(blue_)))
                                    : std::nullopt);
    red_ = green_ = blue_ = 0;
    colorGiven_ = false;
  }

  void paragraphEnd() {
    if (skipping() || state_.dest != Dest::Text) return;
    paragraph_.alignment = state_.alignment;
    paragraph_.mark = state_.format;
    doc_.paragraphs.push_back(std::move(paragraph_));
    paragraph_ = Paragraph{};
  }

  // The final \par ends the last paragraph; only text after it opens another.
  void finishDocument() {
    if (!paragraph_.runs.empty() || doc_.paragraphs.empty()) {
      paragraph_.alignment = state_.alignment;
      paragraph_.mark = state_.format;
      doc_.paragraphs.push_back(std::move(paragraph_));
    }
  }

  std::string_view in_;
  size_t pos_ = 0;
  bool closed_ = false;
  CharFormat defaults_;
  GroupState state_;
  std::vector<GroupState> stack_;
  GroupLimits groups_;

  Document doc_;
  Paragraph paragraph_;

  std::map<int, std::u16string> fonts_;
  int defaultFont_ = 0;
  int fontEntry_ = 0;
  std::u16string fontName_;

  std::vector<std::optional<base::Color>> colors_;
  int red_ = 0, green_ = 0, blue_ = 0;
  bool colorGiven_ = false;
};

}  // namespace

bool isRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

int groupDepth(std::string_view bytes) {
  int depth = 0, deepest = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    switch (bytes[i]) {
      case '\\': ++i; break;  // the escaped character is text, a brace included
      case '{': deepest = std::max(deepest, ++depth); break;
      case '}': depth = std::max(depth - 1, 0); break;
      default: break;
    }
  }
  return deepest;
}

Document readRtf(std::string_view bytes, const CharFormat& defaults) {
  return Reader(bytes, defaults).read();
}

Document readRtf(std::string_view bytes, const CharFormat& defaults, bool& closed) {
  Reader reader(bytes, defaults);
  Document doc = reader.read();
  closed = reader.closed();
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
      doc.paragraphs.push_back(Paragraph{Alignment::Left, {}, format});
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
