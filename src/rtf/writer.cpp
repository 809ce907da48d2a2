#include "rtf/writer.h"

#include <algorithm>
#include <array>
#include <optional>

#include "base/cp1250.h"

namespace rtf {
namespace {

// Code point -> code page 1250 byte (0 where the code page lacks it).
const std::array<unsigned char, 0x10000>& cp1250Bytes() {
  static const auto table = [] {
    std::array<unsigned char, 0x10000> t{};
    for (int b = 0x80; b < 0x100; ++b) t[base::cp1250HighByte(static_cast<unsigned char>(b))] = static_cast<unsigned char>(b);
    return t;
  }();
  return table;
}

constexpr size_t kLineLength = 200;

class Writer {
 public:
  explicit Writer(const Document& doc) : doc_(doc) {
    for (const Paragraph& p : doc.paragraphs) {
      for (const Run& r : p.runs) collect(r.format);
      collect(p.mark);
    }
    if (fonts_.empty()) fonts_.push_back(CharFormat{}.font);
  }

  std::string write() {
    out_ = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1060{\\fonttbl";
    for (size_t i = 0; i < fonts_.size(); ++i) {
      out_ += "{\\f" + std::to_string(i) + "\\fnil\\fcharset238 ";
      delimiterPending_ = false;
      for (char16_t c : fonts_[i])
        if (c != u';') text(c);
      out_ += ";}";
    }
    out_ += "}";
    newLine();
    if (!colors_.empty()) {
      out_ += "{\\colortbl ;";
      for (base::Color c : colors_)
        out_ += "\\red" + std::to_string(c.r()) + "\\green" + std::to_string(c.g()) + "\\blue" +
                std::to_string(c.b()) + ";";
      out_ += "}";
      newLine();
    }
    out_ += "\\viewkind4\\uc1";
    delimiterPending_ = true;
    for (const Paragraph& p : doc_.paragraphs) {
      control("\\pard");
      if (p.alignment == Alignment::Right) control("\\qr");
      if (p.alignment == Alignment::Center) control("\\qc");
      for (const Run& r : p.runs) {
        switchTo(r.format);
        for (char16_t c : r.text) text(c);
      }
      switchTo(p.mark);
      control("\\par");
      newLine();
    }
    out_ += "}\r\n";
    return std::move(out_);
  }

 private:
  void collect(const CharFormat& f) {
    if (std::find(fonts_.begin(), fonts_.end(), f.font) == fonts_.end()) fonts_.push_back(f.font);
    if (f.color != base::Color{} && std::find(colors_.begin(), colors_.end(), f.color) == colors_.end())
      colors_.push_back(f.color);
  }

  // Writes only what differs from the format in force; the first run writes all of it.
  void switchTo(const CharFormat& f) {
    const bool all = !current_;
    const CharFormat& was = all ? f : *current_;
    if (all || f.bold != was.bold) control(f.bold ? "\\b" : "\\b0");
    if (all || f.italic != was.italic) control(f.italic ? "\\i" : "\\i0");
    if (all || f.underline != was.underline) control(f.underline ? "\\ul" : "\\ulnone");
    if (all ? f.caps : f.caps != was.caps) control(f.caps ? "\\caps" : "\\caps0");
    if (all || f.color != was.color) {
      const auto it = std::find(colors_.begin(), colors_.end(), f.color);
      control("\\cf" + std::to_string(it == colors_.end() ? 0 : it - colors_.begin() + 1));
    }
    if (all || f.font != was.font)
      control("\\f" + std::to_string(std::find(fonts_.begin(), fonts_.end(), f.font) - fonts_.begin()));
    if (all || f.halfPoints != was.halfPoints) control("\\fs" + std::to_string(f.halfPoints));
    current_ = f;
  }

  // A control word; a line may be broken before it.
  void control(const std::string& word) {
    if (out_.size() - lineStart_ > kLineLength) newLine();
    out_ += word;
    delimiterPending_ = true;
  }

  void newLine() {
    out_ += "\r\n";
    lineStart_ = out_.size();
  }

  void literal(char c) {
    if (delimiterPending_) {
      out_ += ' ';
      delimiterPending_ = false;
    } else if (const size_t length = out_.size() - lineStart_;
               (c == ' ' && length > kLineLength) || length > kLineLength + 40) {
      // Readers ignore line ends in text, so a long paragraph wraps, before a
      // space where there is one.
      newLine();
    }
    out_ += c;
  }

  void text(char16_t c) {
    if (c == u'\\' || c == u'{' || c == u'}') {
      control(std::string("\\") + static_cast<char>(c));
      delimiterPending_ = false;
    } else if (c == u'\t') {
      control("\\tab");
    } else if (c == kLineBreak) {
      control("\\line");
    } else if (c < 0x20) {
      // Documents hold no other control characters.
    } else if (c < 0x7F) {
      literal(static_cast<char>(c));
    } else if (const unsigned char b = c == 0x7F ? 0x7F : cp1250Bytes()[c]) {
      static const char hex[] = "0123456789abcdef";
      control(std::string("\\'") + hex[b >> 4] + hex[b & 15]);
      delimiterPending_ = false;
    } else {
      control("\\u" + std::to_string(c > 0x7FFF ? int(c) - 0x10000 : int(c)) + "?");
      delimiterPending_ = false;
    }
  }

  const Document& doc_;
  std::vector<std::u16string> fonts_;
  std::vector<base::Color> colors_;
  std::optional<CharFormat> current_;
  std::string out_;
  size_t lineStart_ = 0;
  bool delimiterPending_ = false;
};

}  // namespace

std::string writeRtf(const Document& document) { return Writer(document).write(); }

}  // namespace rtf
