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
  explicit Writer(const Document& doc) : m_doc(doc) {
    for (const Paragraph& p : doc.paragraphs) {
      for (const Run& r : p.runs) collect(r.format);
      collect(p.mark);
    }
    if (m_fonts.empty()) m_fonts.push_back(CharFormat{}.font);
  }

  std::string write() {
    m_out = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1060{\\fonttbl";
    for (size_t i = 0; i < m_fonts.size(); ++i) {
      m_out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset238 ";
      m_delimiterPending = false;
      for (char16_t c : m_fonts[i])
        if (c != u';') text(c);
      m_out += ";}";
    }
    m_out += "}";
    newLine();
    if (!m_colors.empty()) {
      m_out += "{\\colortbl ;";
      for (base::Color c : m_colors)
        m_out += "\\red" + std::to_string(c.r()) + "\\green" + std::to_string(c.g()) + "\\blue" +
                std::to_string(c.b()) + ";";
      m_out += "}";
      newLine();
    }
    m_out += "\\viewkind4\\uc1";
    m_delimiterPending = true;
    for (const Paragraph& p : m_doc.paragraphs) {
      control("\\pard");
      if (p.alignment == base::Alignment::Right) control("\\qr");
      if (p.alignment == base::Alignment::Center) control("\\qc");
      for (const Run& r : p.runs) {
        switchTo(r.format);
        for (char16_t c : r.text) text(c);
      }
      switchTo(p.mark);
      control("\\par");
      newLine();
    }
    m_out += "}\r\n";
    return std::move(m_out);
  }

 private:
  void collect(const CharFormat& f) {
    if (std::find(m_fonts.begin(), m_fonts.end(), f.font) == m_fonts.end()) m_fonts.push_back(f.font);
    if (f.color != base::Color{} && std::find(m_colors.begin(), m_colors.end(), f.color) == m_colors.end())
      m_colors.push_back(f.color);
  }

  // Writes only what differs from the format in force; the first run writes all of it.
  void switchTo(const CharFormat& f) {
    const bool all = !m_current;
    const CharFormat& was = all ? f : *m_current;
    if (all || f.bold != was.bold) control(f.bold ? "\\b" : "\\b0");
    if (all || f.italic != was.italic) control(f.italic ? "\\i" : "\\i0");
    if (all || f.underline != was.underline) control(f.underline ? "\\ul" : "\\ulnone");
    if (all ? f.caps : f.caps != was.caps) control(f.caps ? "\\caps" : "\\caps0");
    if (all || f.color != was.color) {
      const auto it = std::find(m_colors.begin(), m_colors.end(), f.color);
      control("\\cf" + std::to_string(it == m_colors.end() ? 0 : it - m_colors.begin() + 1));
    }
    if (all || f.font != was.font)
      control("\\f" + std::to_string(std::find(m_fonts.begin(), m_fonts.end(), f.font) - m_fonts.begin()));
    if (all || f.halfPoints != was.halfPoints) control("\\fs" + std::to_string(f.halfPoints));
    m_current = f;
  }

  // A control word; a line may be broken before it.
  void control(const std::string& word) {
    if (m_out.size() - m_lineStart > kLineLength) newLine();
    m_out += word;
    m_delimiterPending = true;
  }

  void newLine() {
    m_out += "\r\n";
    m_lineStart = m_out.size();
  }

  void literal(char c) {
    if (m_delimiterPending) {
      m_out += ' ';
      m_delimiterPending = false;
    } else if (const size_t length = m_out.size() - m_lineStart;
               (c == ' ' && length > kLineLength) || length > kLineLength + 40) {
      // Readers ignore line ends in text, so a long paragraph wraps, before a
      // space where there is one.
      newLine();
    }
    m_out += c;
  }

  void text(char16_t c) {
    if (c == u'\\' || c == u'{' || c == u'}') {
      control(std::string("\\") + static_cast<char>(c));
      m_delimiterPending = false;
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
      m_delimiterPending = false;
    } else {
      control("\\u" + std::to_string(c > 0x7FFF ? int(c) - 0x10000 : int(c)) + "?");
      m_delimiterPending = false;
    }
  }

  const Document& m_doc;
  std::vector<std::u16string> m_fonts;
  std::vector<base::Color> m_colors;
  std::optional<CharFormat> m_current;
  std::string m_out;
  size_t m_lineStart = 0;
  bool m_delimiterPending = false;
};

}  // namespace

std::string writeRtf(const Document& document) { return Writer(document).write(); }

}  // namespace rtf
