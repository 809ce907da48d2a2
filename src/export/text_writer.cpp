#include "export/writers.h"

#include "base/cp1250.h"

namespace exporting {
namespace {

// UTF-8 with a byte-order mark and CR LF line ends, as Notepad expects:
// each day's heading, its paragraphs as the editor shows them (a line break
// inside a paragraph ends the line too), then an empty line.
class TextWriter : public Writer {
 public:
  void begin(std::string& out) override { out += "\xEF\xBB\xBF"; }

  void day(const Day& day, std::string& out) override {
    out += dayHeading(day.date) + "\r\n\r\n";
    std::u16string line;
    for (const rtf::Paragraph& p : day.document.paragraphs) {
      for (const rtf::Run& r : p.runs)
        for (char16_t c : r.shown()) {
          if (c == rtf::kLineBreak) {
            out += base::utf16ToUtf8(line) + "\r\n";
            line.clear();
          } else {
            line += c;
          }
        }
      out += base::utf16ToUtf8(line) + "\r\n";
      line.clear();
    }
    if (day.damage != Damage::None) out += damageNote(day.damage) + "\r\n";
    out += "\r\n";
  }

  void end(std::string&) override {}
};

}  // namespace

std::unique_ptr<Writer> makeTextWriter() { return std::make_unique<TextWriter>(); }

}  // namespace exporting
