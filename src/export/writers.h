#pragma once
// The three export formats. A writer appends to a byte buffer that the
// exporter empties into the file as it grows, so memory stays bounded by one
// day for the page and the plain text; the rich-text document is one whole,
// with one font and one colour table, and is written at the end.
#include <memory>
#include <string>

#include "export/diary_reader.h"
#include "export/format.h"

namespace exporting {

class Writer {
 public:
  virtual ~Writer() = default;
  virtual void begin(std::string& out) = 0;
  virtual void day(const Day& day, std::string& out) = 0;
  virtual void end(std::string& out) = 0;
};

std::unique_ptr<Writer> makeWriter(Format format);

// A day's paragraphs as HTML, UTF-8: one <p> each, with bold, italic,
// underline, colour, size and alignment kept.
void appendHtml(const rtf::Document& document, std::string& out);

// A day's heading as the rich-text export and the printout open it: the date
// written out, in bold at 12 points.
rtf::Paragraph headingParagraph(const base::Date& date);

// The sentence an export adds below a damaged day (UTF-8; empty for none).
std::string damageNote(Damage damage);

}  // namespace exporting
