// Searching the whole diary in the real program: Ctrl+F, the words typed,
// the days found in the day list, a click on one, its words selected.
#include <gtest/gtest.h>
#include <richedit.h>

#include <functional>

#include "e2e_support.h"

using namespace e2e;

namespace {

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
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(writeToday(diary, main, L"Danes pišem."));

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

namespace {

HWND searchBox(HWND main) {
  HWND box = FindWindowExW(main, nullptr, L"Edit", nullptr);
  return box && IsWindowVisible(box) ? box : nullptr;
}

std::wstring words(HWND box) {
  wchar_t buf[256] = {};  // another process's control answers WM_GETTEXT, not GetWindowText
  SendMessageW(box, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buf));
  return buf;
}

void pressShiftKey(WORD vk) {
  INPUT in[4] = {};
  for (INPUT& i : in) i.type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[3].ki.wVk = VK_SHIFT;
  in[1].ki.wVk = in[2].ki.wVk = vk;
  in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, in, sizeof(INPUT));
  settle(250);
}

}  // namespace

TEST(SearchEndToEnd, TheFieldEditsAsAnyTextFieldAndTheCountFollowsEachChange) {
  Diary diary;
  diary.writeEntry("03-14-2019", "{\\rtf1\\ansi palacinke za zajtrk\\par\r\n}\r\n");
  diary.writeEntry("11-02-2024", "{\\rtf1\\ansi kolo in palacinke\\par\r\n}\r\n");
  diary.writeEntry("06-30-2021", "{\\rtf1\\ansi samo juha\\par\r\n}\r\n");
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  click(main, kInEditor);
  pressCtrlKey('F');
  ASSERT_TRUE(waitFor([&] { return searchBox(main) != nullptr; }));
  HWND box = searchBox(main);
  const auto shows = [&](const wchar_t* text, int rows) {
    return waitFor([&] { return words(box) == text && rowsWithText(main) == rows; });
  };
  typeText(L"xpalacinke");
  EXPECT_TRUE(shows(L"xpalacinke", 0));
  saveScreenshot(main, "search-4-typed");
  pressKey(VK_HOME);
  pressKey(VK_DELETE);
  EXPECT_TRUE(shows(L"palacinke", 2));
  pressKey(VK_END);
  typeText(L" kolo");
  EXPECT_TRUE(shows(L"palacinke kolo", 1));
  pressKey(VK_HOME);
  pressShiftKey(VK_END);
  saveScreenshot(main, "search-5-selected-with-shift-end");
  typeText(L"juha");
  EXPECT_TRUE(shows(L"juha", 1));
  pressCtrlKey('A');
  pressCtrlKey('C');
  pressKey(VK_DELETE);
  EXPECT_TRUE(shows(L"", 0));
  pressCtrlKey('V');
  pressCtrlKey('V');
  EXPECT_TRUE(shows(L"juhajuha", 0));
  // The mouse: a double-click selects the word, a drag over the field all of it.
  RECT field{};
  GetWindowRect(box, &field);
  const POINT start{field.left + 1, (field.top + field.bottom) / 2};  // before the first letter
  moveMouse(start);
  leftClick();
  leftClick();
  typeText(L"kolo");
  EXPECT_TRUE(shows(L"kolo", 1));
  leftDown();
  moveMouse({field.right - 2, start.y});
  leftUp();
  typeText(L"palacinke");
  EXPECT_TRUE(shows(L"palacinke", 2));
  saveScreenshot(main, "search-6-after-the-mouse");
  pressKey(VK_ESCAPE);
  EXPECT_TRUE(waitFor([&] { return searchBox(main) == nullptr; }));
  closeDiary(diary);
}
