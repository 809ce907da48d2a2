// The page layout of a printed document, the print dialog (PrintDlgW) and
// the printing of one document on the printer chosen.
#include "platform/win32/print_win.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <string>

#include "base/cp1250.h"
#include "rtf/reader.h"
#include "platform/win32/win32_platform_win.h"

namespace win32 {
namespace {

constexpr int kTwipsPerInch = 1440;
// Margins of 2 cm round the text; the page number sits in the bottom one.
constexpr int kMarginTwips = 1134;

int margin(HDC dc, int index) { return MulDiv(kMarginTwips, GetDeviceCaps(dc, index), kTwipsPerInch); }

// The text as the page shows it: tabs as spaces, capitals where the format says.
std::wstring shownText(const rtf::Run& run) {
  std::wstring text = base::toWide(run.shown());
  std::replace(text.begin(), text.end(), L'\t', L' ');
  return text;
}

// Pieces a line may break between: words with the spaces after them, and a
// line break on its own.
std::vector<std::wstring> piecesOf(const std::wstring& text) {
  std::vector<std::wstring> pieces;
  std::wstring piece;
  for (wchar_t c : text) {
    if (c == L'\v') {
      if (!piece.empty()) pieces.push_back(piece);
      pieces.push_back(L"\v");
      piece.clear();
      continue;
    }
    if (c != L' ' && !piece.empty() && piece.back() == L' ') {
      pieces.push_back(piece);
      piece.clear();
    }
    piece += c;
  }
  if (!piece.empty()) pieces.push_back(piece);
  return pieces;
}

}  // namespace

PrintLayout::PrintLayout(std::string_view richText) : m_document(rtf::readAny(richText)) {}

PrintLayout::~PrintLayout() {
  for (auto& [key, font] : m_fonts) DeleteObject(font);
}

HFONT PrintLayout::fontOf(HDC dc, const rtf::CharFormat& f) {
  const int height = -MulDiv(f.halfPoints, GetDeviceCaps(dc, LOGPIXELSY), 144);
  const std::wstring face = base::toWide(f.font);
  const std::wstring key = face + L"|" + std::to_wstring(height) + L"|" + std::to_wstring(f.bold) +
                           std::to_wstring(f.italic) + std::to_wstring(f.underline);
  HFONT& font = m_fonts[key];
  if (!font)
    font = CreateFontW(height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, f.italic, f.underline, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str());
  return font;
}

int PrintLayout::paginate(HDC dc, SIZE page) {
  m_page = page;
  m_pages.assign(1, {});
  const RECT area{margin(dc, LOGPIXELSX), margin(dc, LOGPIXELSY), page.cx - margin(dc, LOGPIXELSX),
                  page.cy - margin(dc, LOGPIXELSY)};
  int y = area.top;
  for (const rtf::Paragraph& p : m_document.paragraphs) layParagraph(dc, p, area, y);
  return static_cast<int>(m_pages.size());
}

void PrintLayout::layParagraph(HDC dc, const rtf::Paragraph& paragraph, RECT area, int& y) {
  const int width = area.right - area.left;
  Line line{0, 0, {}};
  int x = 0, ascent = 0, height = 0;
  auto measureFont = [&](const rtf::CharFormat& f) {
    SelectObject(dc, fontOf(dc, f));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    ascent = std::max<int>(ascent, tm.tmAscent);
    height = std::max<int>(height, tm.tmHeight + tm.tmExternalLeading);
  };
  for (const rtf::Run& run : paragraph.runs)
    for (const std::wstring& piece : piecesOf(shownText(run))) {
      if (piece == L"\v") {
        if (!height) measureFont(run.format);
        endLine(line, x, paragraph.alignment, area, y, ascent, height);
        x = ascent = height = 0;
        continue;
      }
      SelectObject(dc, fontOf(dc, run.format));
      SIZE size{};
      GetTextExtentPoint32W(dc, piece.c_str(), static_cast<int>(piece.size()), &size);
      if (x > 0 && x + size.cx > width) {  // the word goes to the next line
        endLine(line, x, paragraph.alignment, area, y, ascent, height);
        x = ascent = height = 0;
      }
      measureFont(run.format);
      line.pieces.push_back({x, piece, run.format});
      x += size.cx;
    }
  if (!height) measureFont(paragraph.mark);  // an empty paragraph is a line of its mark's height
  endLine(line, x, paragraph.alignment, area, y, ascent, height);
}

void PrintLayout::endLine(Line& line, int width, base::Alignment alignment, RECT area, int& y, int ascent, int height) {
  if (y + height > area.bottom && y > area.top) {  // a new page
    m_pages.emplace_back();
    y = area.top;
  }
  const int room = area.right - area.left - width;
  const int shift = alignment == base::Alignment::Right ? room : alignment == base::Alignment::Center ? room / 2 : 0;
  for (Piece& p : line.pieces) p.x += area.left + std::max(shift, 0);
  line.top = y;
  line.baseline = y + ascent;
  m_pages.back().push_back(std::move(line));
  line = Line{0, 0, {}};
  y += height;
}

void PrintLayout::drawPage(HDC dc, int index) {
  if (index < 0 || index >= static_cast<int>(m_pages.size())) return;
  SetBkMode(dc, TRANSPARENT);
  const UINT align = SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  HGDIOBJ old = GetCurrentObject(dc, OBJ_FONT);
  for (const Line& line : m_pages[index])
    for (const Piece& p : line.pieces) {
      SelectObject(dc, fontOf(dc, p.format));
      SetTextColor(dc, RGB(p.format.color.r(), p.format.color.g(), p.format.color.b()));
      TextOutW(dc, p.x, line.baseline, p.text.c_str(), static_cast<int>(p.text.size()));
    }
  SetTextAlign(dc, align);
  // "2 / 3", centred in the bottom margin.
  rtf::CharFormat small;
  small.halfPoints = 18;
  SelectObject(dc, fontOf(dc, small));
  const std::wstring number = std::to_wstring(index + 1) + L" / " + std::to_wstring(m_pages.size());
  const int bottom = margin(dc, LOGPIXELSY);
  RECT foot{0, m_page.cy - bottom, m_page.cx, m_page.cy - bottom / 2};
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTextW(dc, number.c_str(), static_cast<int>(number.size()), &foot, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
}

namespace {

// Prints every page on the printer's device context; false when the printer
// refused a step (the job is then abandoned, not left half sent).
bool printDocument(HDC dc, const gui::PrintRequest& request) {
  PrintLayout layout(request.richText);
  const SIZE page{GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
  const int pages = layout.paginate(dc, page);
  const std::wstring name = base::toWide(request.documentName);
  DOCINFOW doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = name.c_str();
  if (StartDocW(dc, &doc) <= 0) return false;
  for (int i = 0; i < pages; ++i) {
    if (StartPage(dc) <= 0) return AbortDoc(dc), false;
    layout.drawPage(dc, i);
    if (EndPage(dc) <= 0) return AbortDoc(dc), false;
  }
  return EndDoc(dc) > 0;
}

}  // namespace

gui::PrintOutcome Win32Platform::print(gui::Form& owner, const gui::PrintRequest& request) {
  PRINTDLGW pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = windowOf(owner);
  // The whole day is printed: no page range, no selection.
  pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
  pd.nCopies = 1;
  if (!PrintDlgW(&pd)) {
    // Cancelled, or no printer (the dialog has told the user): nothing to do.
    const DWORD error = CommDlgExtendedError();
    return error == 0 || error == PDERR_NODEFAULTPRN ? gui::PrintOutcome::Cancelled : gui::PrintOutcome::Failed;
  }
  const bool printed = printDocument(pd.hDC, request);
  DeleteDC(pd.hDC);
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  return printed ? gui::PrintOutcome::Printed : gui::PrintOutcome::Failed;
}

}  // namespace win32
