#include "rtf/document.h"

#include "base/letter_case.h"

namespace rtf {

std::u16string Document::text() const {
  std::u16string out;
  for (size_t p = 0; p < paragraphs.size(); ++p) {
    if (p) out += u'\r';
    for (const Run& run : paragraphs[p].runs) out += run.text;
  }
  return out;
}

std::u16string Run::shown() const { return format.caps ? base::toUpper(text) : text; }

void appendText(Paragraph& paragraph, std::u16string_view text, const CharFormat& format) {
  if (text.empty()) return;
  if (!paragraph.runs.empty() && paragraph.runs.back().format == format)
    paragraph.runs.back().text += text;
  else
    paragraph.runs.push_back(Run{std::u16string(text), format});
}

}  // namespace rtf
