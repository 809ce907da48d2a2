#pragma once
// A formatted document as the diary keeps it: paragraphs with an alignment,
// each holding runs of UTF-16 text that share one character format. Plain
// values, compared with ==, so a round trip through a file can be checked
// as a whole.
#include <cstdint>
#include <string>
#include <vector>

#include "base/alignment.h"
#include "base/geometry.h"

namespace rtf {

struct CharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  base::Color color{};          // black; RTF's "automatic" colour reads as black too
  int halfPoints = 18;          // font size in half points, as RTF's \fs counts it (9 pt)
  std::u16string font = u"Arial";
  bool caps = false;  // shown in capitals, its letters kept as written (\caps)

  double points() const { return halfPoints / 2.0; }
  friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

// Text never holds CR or LF (those split paragraphs) nor other control
// characters, except '\t' (tab) and U+000B (a line break inside a paragraph).
struct Run {
  std::u16string text;
  CharFormat format;
  // The text as the editor shows it: in capitals when the format says so.
  std::u16string shown() const;
  friend bool operator==(const Run&, const Run&) = default;
};

struct Paragraph {
  base::Alignment alignment = base::Alignment::Left;
  std::vector<Run> runs;  // never empty texts; neighbours differ in format
  CharFormat mark;        // the format of the paragraph's end, which an empty paragraph shows
  friend bool operator==(const Paragraph&, const Paragraph&) = default;
};

// Always at least one paragraph; an empty document is one empty paragraph.
struct Document {
  std::vector<Paragraph> paragraphs{Paragraph{}};

  // The plain text with paragraphs separated by '\r'.
  std::u16string text() const;
  friend bool operator==(const Document&, const Document&) = default;
};

inline constexpr char16_t kLineBreak = u'\v';

// Adds text to the paragraph's last run when the format matches, else as a new run.
void appendText(Paragraph& paragraph, std::u16string_view text, const CharFormat& format);

}  // namespace rtf
