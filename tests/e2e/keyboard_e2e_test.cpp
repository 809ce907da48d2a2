// Where the keyboard goes in the real diary: typing right after a day or a
// year is clicked reaches the editor (and today's saved entry); the wheel
// over the day list scrolls it; a past day's page is tinted.
#include <gtest/gtest.h>

#include "base/date.h"
#include "e2e_support.h"

using namespace e2e;

namespace {

constexpr POINT kYearLabel{440, 71};
POINT yearRow(int k) { return {440, 79 + 17 * (k - 1) + 9}; }
POINT dayRow(int k) { return {440, 111 + 17 * (k - 1) + 9}; }
constexpr POINT kEmptyPage{200, 450};  // in the editor, below the text
constexpr RECT kDayList{416, 111, 585, 557};
constexpr POINT kOnTrack{577, 300};

bool sameArea(const gui::Surface& a, const gui::Surface& b, const RECT& r) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return false;
  return true;
}

// The diary's thread: the window with its keys, and the one whose caret it shows.
GUITHREADINFO threadInfo(HWND main) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
  return info;
}
HWND caretWindow(HWND main) { return threadInfo(main).hwndCaret; }

std::string rtf(const std::string& text) { return "{\\rtf1\\ansi " + text + "\\par\r\n}\r\n"; }

}  // namespace

TEST(KeyboardEndToEnd, TypingAfterAClickReachesTheEditorAndTheWheelScrollsTheDays) {
  Diary diary;
  const std::string today = todayKey();
  const int day = std::stoi(base::keyDay(today));
  const int year = std::stoi(base::keyYear(today));
  // Another day of this month: before today, or after it on the 1st.
  const int other = day == 1 ? 2 : 1;
  const int otherRow = day == 1 ? 2 : 1, todayRow = day == 1 ? 1 : 2;
  diary.writeEntry(base::keyMonth(today) + (other == 1 ? "-01-" : "-02-") + base::keyYear(today), rtf("stari dan"));
  // A long month the year before: more days than the list shows.
  for (int d = 1; d <= 31; ++d) diary.writeEntry(base::dateKey({year - 1, 12, d}), rtf("decembrski dan"));
  ASSERT_TRUE(diary.start());
  HWND main = diary.waitForWindow("frmMain");
  ASSERT_NE(main, nullptr);

  click(main, dayRow(otherRow));
  ASSERT_TRUE(waitUntil([&] { return diary.editorText() == L"stari dan"; }));
  // The read-only page in the skin's pale blue.
  ASSERT_TRUE(waitUntil([&] { return screenshot(main).pixel(kEmptyPage.x, kEmptyPage.y) == base::Color::rgb(233, 245, 254); }));
  // The keys are in the editor, but no caret blinks on a page that cannot be written.
  click(main, {200, 300});
  ASSERT_TRUE(waitUntil([&] { return threadInfo(main).hwndFocus == diary.editor(); }));
  EXPECT_EQ(caretWindow(main), nullptr);
  saveScreenshot(main, "keyboard-1-read-only-day");

  // Today's row clicked, then typing without a click into the editor.
  click(main, dayRow(todayRow));
  ASSERT_TRUE(waitUntil([&] { return diary.editorText().empty(); }));
  typeText(L"Pisem po kliku");
  ASSERT_TRUE(waitUntil([&] { return diary.editorText() == L"Pisem po kliku"; }));
  EXPECT_EQ(screenshot(main).pixel(kEmptyPage.x, kEmptyPage.y), base::Color::rgb(255, 255, 255));
  EXPECT_EQ(caretWindow(main), diary.editor());
  saveScreenshot(main, "keyboard-2-typed-after-a-click");

  // A year chosen with the mouse: the keys are back in today's text.
  const gui::Surface thisMonth = screenshot(main);
  click(main, kYearLabel);
  click(main, yearRow(1));
  typeText(L" in leto");
  ASSERT_TRUE(waitUntil([&] { return diary.editorText() == L"Pisem po kliku in leto"; }));

  // The wheel over that year's December (on the scroll track, where no row
  // lights up under the pointer) scrolls its 31 days.
  pointAt(main, kOnTrack);
  ASSERT_TRUE(waitUntil([&] { return !sameArea(screenshot(main), thisMonth, kDayList); }));
  const gui::Surface before = screenshot(main);
  turnWheel(-WHEEL_DELTA);
  EXPECT_TRUE(waitUntil([&] { return !sameArea(screenshot(main), before, kDayList); }));
  saveScreenshot(main, "keyboard-3-wheel-scrolled");
  turnWheel(WHEEL_DELTA);
  EXPECT_TRUE(waitUntil([&] { return sameArea(screenshot(main), before, kDayList); }));

  // The row under the pointer lights up; Tab takes the keys to the day list,
  // whose ring shows (deep blue just left of its frame).
  pointAt(main, {560, dayRow(4).y});
  EXPECT_TRUE(waitUntil([&] { return screenshot(main).pixel(560, dayRow(4).y) == base::Color::rgb(208, 234, 252); }));
  pressKey(VK_TAB);
  EXPECT_TRUE(waitUntil([&] { return screenshot(main).pixel(412, 300) == base::Color::rgb(70, 109, 167); }));
  saveScreenshot(main, "keyboard-4-tab-to-the-day-list-and-a-row-under-the-pointer");
  pressKey(VK_TAB);
  pressKey(VK_DOWN);
  saveScreenshot(main, "keyboard-5-year-list-opened-with-the-keys");
  pressKey(VK_ESCAPE);

  closeDiary(diary);
  const auto saved = diary.decodedEntry(today);
  ASSERT_TRUE(saved);
  EXPECT_NE(saved->find("Pisem po kliku in leto"), std::string::npos);
}
