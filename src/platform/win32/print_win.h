#pragma once
// Printing rich text: a hidden RichEdit control lays the document out on the
// pages of a device context (EM_FORMATRANGE) and each page gets its number at
// its foot. The printer's device context and a bitmap's take the same calls,
// which is how the tests see a printed page.
#include <windows.h>
#include <richedit.h>

#include <string_view>
#include <vector>

namespace win32 {

class PrintLayout {
 public:
  // The control is a hidden child of `parent`; empty when it cannot be made.
  PrintLayout(HWND parent, std::string_view richText);
  ~PrintLayout();
  PrintLayout(const PrintLayout&) = delete;
  PrintLayout& operator=(const PrintLayout&) = delete;
  bool ready() const { return m_edit != nullptr; }

  // Breaks the document into pages of the device context's page, whose size
  // in its own pixels is `page`: the number of pages (at least one).
  int paginate(HDC dc, SIZE page);
  // Draws page `index` (from 0) and its number onto the device context, in
  // the page paginate() last laid out.
  void drawPage(HDC dc, int index) const;

 private:
  FORMATRANGE range(HDC dc, LONG from) const;

  HWND m_edit = nullptr;
  SIZE m_page{};
  std::vector<LONG> m_starts;  // the first character of each page
  LONG m_length = 0;
};

}  // namespace win32
