#include "export/writers.h"

#include "base/cp1250.h"
#include "rtf/writer.h"

namespace exporting {
namespace {

// One document for the whole diary: each day's heading in bold, its own
// paragraphs as they were, an empty line before the next day. The rich-text
// writer gives it one font and colour table and writes characters outside
// code page 1250 as \uN.
class RtfWriter : public Writer {
 public:
  RtfWriter() { m_doc.paragraphs.clear(); }

  void begin(std::string&) override {}

  void day(const Day& day, std::string&) override {
    m_doc.paragraphs.push_back(headingParagraph(day.date));
    for (const rtf::Paragraph& p : day.document.paragraphs) m_doc.paragraphs.push_back(p);
    if (day.damage != Damage::None) {
      rtf::CharFormat note;
      note.italic = true;
      add(base::utf8ToUtf16(damageNote(day.damage)), note);
    }
    add(u"", {});
  }

  void end(std::string& out) override {
    if (m_doc.paragraphs.empty()) m_doc.paragraphs.emplace_back();
    out += rtf::writeRtf(m_doc);
  }

 private:
  void add(const std::u16string& text, const rtf::CharFormat& format) {
    rtf::Paragraph p;
    p.mark = format;
    rtf::appendText(p, text, format);
    m_doc.paragraphs.push_back(std::move(p));
  }

  rtf::Document m_doc;
};

}  // namespace

rtf::Paragraph headingParagraph(const base::Date& date) {
  rtf::CharFormat heading;
  heading.bold = true;
  heading.halfPoints = 24;
  rtf::Paragraph p;
  p.mark = heading;
  rtf::appendText(p, base::utf8ToUtf16(dayHeading(date)), heading);
  return p;
}

std::unique_ptr<Writer> makeRtfWriter() { return std::make_unique<RtfWriter>(); }

}  // namespace exporting
