#pragma once
// Printing rich text: the document's paragraphs are laid out on the pages of
// a device context with GDI (the diary's formats: font, size, bold, italic,
// underline, colour, alignment), within 2 cm margins, and each page gets its
// number at its foot. The printer's device context and a bitmap's take the
// same calls, which is how the tests see a printed page. (RichEdit's own page
// layout, EM_FORMATRANGE, is missing from Wine's control.)
#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "rtf/document.h"

namespace win32 {

class PrintLayout {
 public:
  explicit PrintLayout(std::string_view richText);
  ~PrintLayout();
  PrintLayout(const PrintLayout&) = delete;
  PrintLayout& operator=(const PrintLayout&) = delete;

  // Breaks the document into pages of the device context's page, whose size
  // in its own pixels is `page`: the number of pages (at least one).
  int paginate(HDC dc, SIZE page);
  // Draws page `index` (from 0) and its number onto the device context, as
  // paginate() last laid it out.
  void drawPage(HDC dc, int index);

 private:
  struct Piece {
    int x;
    std::wstring text;
    rtf::CharFormat format;
  };
  struct Line {
    int top, baseline;
    std::vector<Piece> pieces;
  };
  HFONT fontOf(HDC dc, const rtf::CharFormat& format);
  void layParagraph(HDC dc, const rtf::Paragraph& paragraph, RECT area, int& y);
  void endLine(Line& line, int width, base::Alignment alignment, RECT area, int& y, int ascent, int height);

  rtf::Document m_document;
  SIZE m_page{};
  std::vector<std::vector<Line>> m_pages;
  std::map<std::wstring, HFONT> m_fonts;
};

}  // namespace win32
