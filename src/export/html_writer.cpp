#include "export/writers.h"

#include <cstdio>

#include "base/cp1250.h"

namespace exporting {
namespace {

const rtf::CharFormat kBody{};  // the page's own font: the editor's 9 pt Arial in black

const char* entity(char16_t c) {
  switch (c) {
    case u'&': return "&amp;";
    case u'<': return "&lt;";
    case u'>': return "&gt;";
    case u'"': return "&quot;";
    case rtf::kLineBreak: return "<br>";
    default: return nullptr;
  }
}

// Text with surrogate pairs kept together, escaped for HTML.
void appendText(std::u16string_view text, std::string& out) {
  size_t plain = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    const char* e = i < text.size() ? entity(text[i]) : nullptr;
    if (i < text.size() && !e) continue;
    out += base::utf16ToUtf8(text.substr(plain, i - plain));
    if (e) out += e;
    plain = i + 1;
  }
}

// A font name as a CSS string: only characters that cannot end it.
std::string cssFontName(std::u16string_view name) {
  std::u16string safe;
  for (char16_t c : name)
    if (c >= 0x20 && c != u'\'' && c != u'"' && c != u'\\' && c != u'<' && c != u'>' && c != u'&' && c != u';')
      safe += c;
  return base::utf16ToUtf8(safe);
}

// The inline style of what a run differs in from the page: colour, size, font.
std::string spanStyle(const rtf::CharFormat& f) {
  std::string style;
  if (f.color != kBody.color) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", f.color.r(), f.color.g(), f.color.b());
    style += std::string("color:") + hex + ";";
  }
  if (f.halfPoints != kBody.halfPoints) {
    style += "font-size:" + std::to_string(f.halfPoints / 2);
    if (f.halfPoints % 2) style += ".5";
    style += "pt;";
  }
  if (f.font != kBody.font) {
    const std::string name = cssFontName(f.font);
    if (!name.empty()) style += "font-family:'" + name + "',Arial,sans-serif;";
  }
  if (!style.empty()) style.pop_back();  // no ';' after the last
  return style;
}

bool sameSpan(const rtf::CharFormat& a, const rtf::CharFormat& b) {
  return a.color == b.color && a.halfPoints == b.halfPoints && a.font == b.font;
}

void appendRun(const rtf::Run& run, std::string& out) {
  const rtf::CharFormat& f = run.format;
  if (f.bold) out += "<b>";
  if (f.italic) out += "<i>";
  if (f.underline) out += "<u>";
  appendText(run.shown(), out);  // in capitals where the editor shows them so
  if (f.underline) out += "</u>";
  if (f.italic) out += "</i>";
  if (f.bold) out += "</b>";
}

const char* alignmentStyle(base::Alignment a) {
  switch (a) {
    case base::Alignment::Center: return " style=\"text-align:center\"";
    case base::Alignment::Right: return " style=\"text-align:right\"";
    case base::Alignment::Left: break;
  }
  return "";
}

void appendParagraph(const rtf::Paragraph& p, std::string& out) {
  out += "<p";
  out += alignmentStyle(p.alignment);
  out += ">";
  if (p.runs.empty()) out += "<br>";  // an empty line keeps its height
  // Neighbouring runs that share a colour, size and font share one span, so
  // bold inside a coloured stretch stays inside it.
  for (size_t i = 0; i < p.runs.size();) {
    const std::string style = spanStyle(p.runs[i].format);
    if (!style.empty()) out += "<span style=\"" + style + "\">";
    const rtf::CharFormat& first = p.runs[i].format;
    for (; i < p.runs.size() && sameSpan(p.runs[i].format, first); ++i) appendRun(p.runs[i], out);
    if (!style.empty()) out += "</span>";
  }
  out += "</p>\n";
}

constexpr const char* kHead =
    "<!DOCTYPE html>\n"
    "<html lang=\"sl\">\n"
    "<head>\n"
    "<meta charset=\"utf-8\">\n"
    "<title>Pisarion</title>\n"
    "<style>\n"
    "body{font-family:Arial,sans-serif;font-size:9pt;color:#000;background:#fff;max-width:46em;margin:2em auto;"
    "padding:0 1em}\n"
    "h1{font-size:18pt;font-weight:normal;color:#1c3f78}\n"
    "h2{font-size:12pt;color:#1c3f78;border-bottom:1px solid #b8c4d8;margin:2em 0 .6em;padding-bottom:.2em;"
    "break-after:avoid}\n"
    "p{margin:0;white-space:pre-wrap}\n"
    "p.opomba{margin-top:.6em;color:#8a1c1c;font-style:italic}\n"
    "</style>\n"
    "</head>\n"
    "<body>\n"
    "<h1>Pisarion</h1>\n";

class HtmlWriter : public Writer {
 public:
  void begin(std::string& out) override { out += kHead; }

  void day(const Day& day, std::string& out) override {
    out += "<section>\n<h2>" + dayHeading(day.date) + "</h2>\n";
    appendHtml(day.document, out);
    if (day.damage != Damage::None) out += "<p class=\"opomba\">" + damageNote(day.damage) + "</p>\n";
    out += "</section>\n";
  }

  void end(std::string& out) override { out += "</body>\n</html>\n"; }
};

}  // namespace

void appendHtml(const rtf::Document& document, std::string& out) {
  for (const rtf::Paragraph& p : document.paragraphs) appendParagraph(p, out);
}

std::unique_ptr<Writer> makeHtmlWriter() { return std::make_unique<HtmlWriter>(); }

}  // namespace exporting
