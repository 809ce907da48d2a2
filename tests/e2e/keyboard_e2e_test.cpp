// The keyboard and the wheel in the real diary: typing right after a day or a
// year is clicked reaches the editor and today's entry; a past day's page is
// tinted, without a caret; the wheel scrolls the day list; Tab's ring shows.
#include <gtest/gtest.h>

#include "base/date.h"
#include "e2e_support.h"

using namespace e2e;

namespace {

constexpr RECT kDayList{416, 111, 585, 557};
const base::Color kPale = base::Color::rgb(233, 245, 254);

bool sameArea(const gui::Surface& a, const gui::Surface& b, const RECT& r) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return false;
  return true;
}

GUITHREADINFO threadInfo(HWND main) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
  return info;
}

}  // namespace

TEST(KeyboardEndToEnd, TypingAfterAClickReachesTheEditorAndTheWheelScrollsTheDays) {
  Diary diary;
  const std::string today = todayKey(), rtf = "{\\rtf1\\ansi stari dan\\par\r\n}\r\n";
  const bool first = base::keyDay(today) == "01";  // the other day after today then
  diary.writeEntry(base::keyMonth(today) + (first ? "-02-" : "-01-") + base::keyYear(today), rtf);
  const int year = std::stoi(base::keyYear(today));
  for (int d = 1; d <= 31; ++d) diary.writeEntry(base::dateKey({year - 1, 12, d}), rtf);  // more than the list shows
  ASSERT_TRUE(diary.start());
  HWND main = diary.waitForWindow("frmMain");
  ASSERT_NE(main, nullptr);

  click(main, dayRow(first ? 2 : 1));
  ASSERT_TRUE(waitUntil([&] { return diary.editorText() == L"stari dan"; }));
  click(main, {200, 300});
  ASSERT_TRUE(waitUntil([&] { return threadInfo(main).hwndFocus == diary.editor(); }));
  EXPECT_TRUE(waitUntil([&] { return screenshot(main).pixel(200, 450) == kPale; }));
  EXPECT_EQ(threadInfo(main).hwndCaret, nullptr);
  saveScreenshot(main, "keyboard-1-read-only-day");

  click(main, dayRow(first ? 1 : 2));
  ASSERT_TRUE(waitUntil([&] { return diary.editorText().empty(); }));
  typeText(L"Pisem po kliku");
  ASSERT_TRUE(waitUntil([&] { return diary.editorText() == L"Pisem po kliku"; }));
  EXPECT_EQ(screenshot(main).pixel(200, 450), base::Color::rgb(255, 255, 255));
  EXPECT_EQ(threadInfo(main).hwndCaret, diary.editor());
  saveScreenshot(main, "keyboard-2-typed-after-a-click");

  const gui::Surface thisMonth = screenshot(main);
  click(main, {440, 71});  // the year box, then its first row
  click(main, {440, 88});
  typeText(L" in leto");
  ASSERT_TRUE(waitUntil([&] { return diary.editorText() == L"Pisem po kliku in leto"; }));

  pointAt(main, {577, 300});  // on the track, where no row lights up
  ASSERT_TRUE(waitUntil([&] { return !sameArea(screenshot(main), thisMonth, kDayList); }));
  const gui::Surface before = screenshot(main);
  turnWheel(-WHEEL_DELTA);
  EXPECT_TRUE(waitUntil([&] { return !sameArea(screenshot(main), before, kDayList); }));
  saveScreenshot(main, "keyboard-3-wheel-scrolled");
  turnWheel(WHEEL_DELTA);
  EXPECT_TRUE(waitUntil([&] { return sameArea(screenshot(main), before, kDayList); }));

  pointAt(main, {560, dayRow(4).y});
  EXPECT_TRUE(waitUntil([&] { return screenshot(main).pixel(560, dayRow(4).y) == base::Color::rgb(208, 234, 252); }));
  pressKey(VK_TAB);  // the ring left of the day list's frame, the body's colour between
  EXPECT_TRUE(waitUntil([&] { return screenshot(main).pixel(411, 300) == base::Color::rgb(70, 109, 167); }));
  EXPECT_EQ(screenshot(main).pixel(412, 300), kPale);
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
