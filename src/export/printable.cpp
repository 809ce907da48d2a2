#include "export/printable.h"

#include "export/writers.h"
#include "rtf/reader.h"
#include "rtf/writer.h"

namespace exporting {

std::string printableDay(const base::Date& date, std::string_view richText) {
  rtf::Document day = rtf::readAny(richText);
  rtf::Document page;
  page.paragraphs.clear();
  page.paragraphs.push_back(headingParagraph(date));
  page.paragraphs.emplace_back();
  for (rtf::Paragraph& p : day.paragraphs) page.paragraphs.push_back(std::move(p));
  return rtf::writeRtf(page);
}

}  // namespace exporting
