// The print dialog (PrintDlgW) and the printing of one document on the
// printer chosen, through PrintLayout.
#include "platform/win32/print_win.h"

#include <cderr.h>
#include <commdlg.h>

#include <string>

#include "base/cp1250.h"
#include "platform/win32/system_libraries_win.h"
#include "platform/win32/win32_platform_win.h"

namespace win32 {
namespace {

constexpr int kTwipsPerInch = 1440;
// Margins of 2 cm round the text; the page number sits in the bottom one.
constexpr int kMarginTwips = 1134;

LONG toTwips(LONG pixels, int dpi) { return MulDiv(pixels, kTwipsPerInch, dpi); }

}  // namespace

PrintLayout::PrintLayout(HWND parent, std::string_view richText) {
  if (!loadSystemLibrary(L"msftedit.dll")) return;
  m_edit = CreateWindowExW(0, MSFTEDIT_CLASS, L"", WS_CHILD | ES_MULTILINE, 0, 0, 0, 0, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  if (!m_edit) return;
  SendMessageW(m_edit, EM_EXLIMITTEXT, 0, 64 * 1024 * 1024);
  const std::string text(richText);
  SETTEXTEX set{ST_DEFAULT, CP_ACP};  // the rich text is 7-bit: any code page reads it
  SendMessageW(m_edit, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set), reinterpret_cast<LPARAM>(text.c_str()));
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
  m_length = static_cast<LONG>(SendMessageW(m_edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
}

PrintLayout::~PrintLayout() {
  if (m_edit) DestroyWindow(m_edit);
}

FORMATRANGE PrintLayout::range(HDC dc, LONG from) const {
  const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  FORMATRANGE fr{};
  fr.hdc = fr.hdcTarget = dc;
  fr.rcPage = {0, 0, toTwips(m_page.cx, dpiX), toTwips(m_page.cy, dpiY)};
  fr.rc = {kMarginTwips, kMarginTwips, fr.rcPage.right - kMarginTwips, fr.rcPage.bottom - kMarginTwips};
  fr.chrg = {from, -1};
  return fr;
}

int PrintLayout::paginate(HDC dc, SIZE page) {
  m_page = page;
  m_starts.assign(1, 0);
  if (!m_edit) return 1;
  LONG from = 0;
  for (;;) {
    FORMATRANGE fr = range(dc, from);
    const LONG next = static_cast<LONG>(SendMessageW(m_edit, EM_FORMATRANGE, FALSE, reinterpret_cast<LPARAM>(&fr)));
    if (next <= from || next >= m_length) break;  // a page that holds nothing more ends it too
    m_starts.push_back(next);
    from = next;
  }
  SendMessageW(m_edit, EM_FORMATRANGE, FALSE, 0);  // frees the control's cached layout
  return static_cast<int>(m_starts.size());
}

void PrintLayout::drawPage(HDC dc, int index) const {
  if (index < 0 || index >= static_cast<int>(m_starts.size())) return;
  if (m_edit) {
    FORMATRANGE fr = range(dc, m_starts[index]);
    if (index + 1 < static_cast<int>(m_starts.size())) fr.chrg.cpMax = m_starts[index + 1];
    SendMessageW(m_edit, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&fr));
    SendMessageW(m_edit, EM_FORMATRANGE, FALSE, 0);
  }
  // "2 / 3", centred in the bottom margin.
  const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  HFONT font = CreateFontW(-MulDiv(9, dpiY, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, EASTEUROPE_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
  HGDIOBJ old = SelectObject(dc, font);
  const std::wstring number = std::to_wstring(index + 1) + L" / " + std::to_wstring(m_starts.size());
  const int margin = MulDiv(kMarginTwips, dpiY, kTwipsPerInch);
  RECT foot{0, m_page.cy - margin, m_page.cx, m_page.cy - margin / 2};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  DrawTextW(dc, number.c_str(), static_cast<int>(number.size()), &foot, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
  DeleteObject(font);
}

namespace {

// Prints every page on the printer's device context; false when the printer
// refused a step (the job is then abandoned, not left half sent).
bool printDocument(HDC dc, HWND parent, const gui::PrintRequest& request) {
  PrintLayout layout(parent, request.richText);
  if (!layout.ready()) return false;
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
  const bool printed = printDocument(pd.hDC, pd.hwndOwner, request);
  DeleteDC(pd.hDC);
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  return printed ? gui::PrintOutcome::Printed : gui::PrintOutcome::Failed;
}

}  // namespace win32
