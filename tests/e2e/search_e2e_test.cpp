// Searching the whole diary in the real program: Ctrl+F, the words typed,
// the days found in the day list, a click on one, its words selected.
#include <gtest/gtest.h>
#include <richedit.h>

#include <functional>

#include "e2e_support.h"

using namespace e2e;

namespace {

constexpr POINT kInEditor{100, 120};
// The day list's first rows, in the main window.
constexpr RECT kRows{420, 111, 560, 111 + 17 * 4};

bool waitFor(const std::function<bool()>& done, int timeoutMs = 15000) { return waitUntil(done, timeoutMs); }

// How many rows of the day list show text: the row colours, chosen or not,
// are the only ones there with little red.
int rowsWithText(HWND main) {
  const gui::Surface s = screenshot(main);
  int rows = 0;
  for (int k = 0; k < 4; ++k) {
    int dark = 0;
    for (int y = kRows.top + 17 * k + 2; y < kRows.top + 17 * k + 15; ++y)
      for (int x = kRows.left; x < kRows.right; ++x) {
        const base::Color c = s.pixel(x, y);
        dark += c.r() < 120;
      }
    rows += dark > 20;
  }
  return rows;
}

std::pair<int, int> selection(HWND editor) {
  const auto packed = static_cast<DWORD>(SendMessageW(editor, EM_GETSEL, 0, 0));
  return {LOWORD(packed), HIWORD(packed)};
}

}  // namespace

TEST(SearchEndToEnd, CtrlFFindsTheDaysAndAClickedOneShowsItsWordsSelected) {
  Diary diary;
  diary.writeEntry("03-14-2019", "{\\rtf1\\ansi\\ansicpg1250 Zjutraj smo jedli pala\\'e8inke.\\par\r\n}\r\n");
  diary.writeEntry("06-30-2021", "{\\rtf1\\ansi samo juha\\par\r\n}\r\n");
  diary.writeEntry("05-01-2025", "{\\rtf1\\ansi\\ansicpg1250 Spet \\b PALA\\'c8INKE\\b0 !\\par\r\n}\r\n");
  ASSERT_TRUE(diary.start());
  HWND main = diary.waitForWindow("frmMain");
  ASSERT_NE(main, nullptr);
  click(main, kInEditor);
  typeText(L"Danes pišem.");
  ASSERT_TRUE(waitFor([&] { return diary.editorText() == L"Danes pišem."; }));

  pressCtrlKey('F');
  typeText(L"palacinke");
  pressKey(VK_RETURN);
  ASSERT_TRUE(waitFor([&] { return rowsWithText(main) == 2; })) << rowsWithText(main) << " rows";
  saveScreenshot(main, "search-1-results");

  click(main, dayRow(2));  // the older day, 14 March 2019
  ASSERT_TRUE(waitFor([&] { return diary.editorText() == L"Zjutraj smo jedli palačinke."; })) << diary.editorText().size();
  EXPECT_EQ(selection(diary.editor()), (std::pair<int, int>{18, 27}));
  saveScreenshot(main, "search-2-result-chosen");
  // Leaving today saved it.
  const auto today = diary.decodedEntry(todayKey());
  ASSERT_TRUE(today);
  EXPECT_NE(today->find("Danes pi"), std::string::npos);

  pressKey(VK_ESCAPE);  // the month of the day on screen: March 2019, one day
  ASSERT_TRUE(waitFor([&] { return rowsWithText(main) == 1; }));
  saveScreenshot(main, "search-3-back-to-the-month");
  closeDiary(diary);
}
