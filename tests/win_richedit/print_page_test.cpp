// The printed page as the printer's device context receives it: the same
// layout drawn into a bitmap of an A4 page at 96 pixels an inch.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "export/printable.h"
#include "gui/png.h"
#include "platform/win32/print_win.h"
#include "support/windows_win.h"

namespace {

constexpr SIZE kA4{794, 1123};

struct PageBitmap {
  HDC dc = CreateCompatibleDC(nullptr);
  uint32_t* bits = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  PageBitmap() {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = kA4.cx;
    bi.bmiHeader.biHeight = -kA4.cy;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    old = SelectObject(dc, bitmap);
    std::fill(bits, bits + kA4.cx * kA4.cy, 0xFFFFFFu);
  }
  ~PageBitmap() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  gui::Surface surface() const {
    gui::Surface s(kA4.cx, kA4.cy);
    std::copy(bits, bits + kA4.cx * kA4.cy, s.data());
    return s;
  }
};

// Pixels of the band that are not white, and of them the red ones.
struct Ink {
  int dark = 0, red = 0;
};
Ink inkIn(const gui::Surface& s, int top, int bottom) {
  Ink ink;
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < s.width(); ++x) {
      const base::Color c = s.pixel(x, y);
      ink.dark += c.r() + c.g() + c.b() < 300;
      ink.red += c.r() > 180 && c.g() < 90 && c.b() < 90;
    }
  return ink;
}

TEST(PrintedPage, ShowsTheHeadingTheDaysColouredTextAndThePageNumbersOverAsManyPagesAsItNeeds) {
  std::string day = "{\\rtf1\\ansi\\ansicpg1250{\\colortbl ;\\red220\\green0\\blue0;}\\fs20 Zjutraj \\cf1\\b "
                    "pala\\'e8inke\\b0\\cf0 , potem sprehod.\\par\r\n";
  const std::string oneDay = exporting::printableDay({2026, 12, 9}, day + "}\r\n");
  for (int i = 0; i < 150; ++i) day += "Vrstica " + std::to_string(i) + " dolgega dne.\\par\r\n";
  const std::string longDay = exporting::printableDay({2026, 12, 9}, day + "}\r\n");

  PageBitmap page;
  win32::PrintLayout layout(oneDay);
  ASSERT_EQ(layout.paginate(page.dc, kA4), 1);
  layout.drawPage(page.dc, 0);
  const gui::Surface printed = page.surface();
  gui::writePng(printed, winsupport::hostPath(PISARION_SOURCE_DIR "/build/screenshots/printed-day.png"));
  // 2 cm margins: the heading's line, then an empty one, then the text;
  // the number in the bottom margin; nothing at the left and right edges.
  const int margin = 76;
  EXPECT_GT(inkIn(printed, margin, margin + 22).dark, 200) << "the heading";
  const Ink text = inkIn(printed, margin + 30, margin + 80);
  EXPECT_GT(text.dark, 100);
  EXPECT_GT(text.red, 20) << "the coloured word keeps its colour";
  EXPECT_GT(inkIn(printed, kA4.cy - margin, kA4.cy - margin / 2).dark, 5) << "the page number";
  EXPECT_EQ(inkIn(printed, margin + 80, kA4.cy - margin).dark, 0) << "one line of text only";

  win32::PrintLayout longLayout(longDay);
  const int pages = longLayout.paginate(page.dc, kA4);
  EXPECT_GE(pages, 3);
  EXPECT_LE(pages, 6);
  PageBitmap last;
  longLayout.drawPage(last.dc, pages - 1);
  const gui::Surface lastPage = last.surface();
  gui::writePng(lastPage, winsupport::hostPath(PISARION_SOURCE_DIR "/build/screenshots/printed-day-last-page.png"));
  EXPECT_EQ(inkIn(lastPage, margin, margin + 22).red, 0) << "the heading and its red word are on the first page only";
  EXPECT_GT(inkIn(lastPage, margin, kA4.cy - margin).dark, 50);
}

}  // namespace
