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
  HWND main = diary.startMain();
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

namespace {

void pressShiftTab() {
  INPUT in[4] = {};
  for (INPUT& i : in) i.type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[3].ki.wVk = VK_SHIFT;
  in[1].ki.wVk = in[2].ki.wVk = VK_TAB;
  in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, in, sizeof(INPUT));
  settle(250);
}

// The search field, while it shows.
HWND searchBox(HWND main) {
  HWND box = FindWindowExW(main, nullptr, L"Edit", nullptr);
  return box && IsWindowVisible(box) ? box : nullptr;
}

bool ringOnTheDayList(HWND main) { return screenshot(main).pixel(411, 300) == base::Color::rgb(70, 109, 167); }

}  // namespace

// A click on the toolbar once left the diary's window unknown to its own
// keyboard shortcuts for as long as the pointer's last tip stayed set.
TEST(KeyboardEndToEnd, AfterAClickOnEachToolbarButtonAndMenuTabCtrlFAndCtrlBStillWork) {
  Diary diary;
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(writeToday(diary, main, L"Besedilo"));
  // Bold, italic, underline, and the alignment, colour and size menus.
  const POINT toolbar[] = {{60 + 20, 39}, {100 + 20, 39}, {140 + 20, 39}, {183 + 20, 39}, {226 + 21, 39}, {270 + 23, 39}};
  for (size_t i = 0; i < std::size(toolbar); ++i) {
    SCOPED_TRACE(toolbar[i].x);
    click(main, toolbar[i]);
    pressKey(VK_ESCAPE);  // an open menu closes
    // The pointer comes to rest on the next button: its tip has the window
    // subclassed while the keys come.
    pointAt(main, toolbar[(i + 1) % std::size(toolbar)]);
    EXPECT_TRUE(waitUntil([] { return visibleToolTip() != nullptr; }));
    pressKey(VK_TAB);
    EXPECT_TRUE(waitUntil([&] { return ringOnTheDayList(main); }));
    pressShiftTab();
    EXPECT_TRUE(waitUntil([&] { return !ringOnTheDayList(main); }));
    pressCtrlKey('F');
    EXPECT_TRUE(waitUntil([&] { return searchBox(main) != nullptr; }));
    pressKey(VK_ESCAPE);
    EXPECT_TRUE(waitUntil([&] { return searchBox(main) == nullptr; }));
  }
  saveScreenshot(main, "keyboard-6-after-the-toolbar");
  EXPECT_EQ(diary.editorText(), L"Besedilo");  // no Tab typed
  pressCtrlKey('A');
  pressCtrlKey('B');  // the whole entry bold
  closeDiary(diary);
  const std::string saved = diary.decodedEntry(todayKey()).value_or("");
  bool bold = false;
  for (size_t at = saved.find("\\b"); at != std::string::npos; at = saved.find("\\b", at + 1))
    bold = bold || (at + 2 < saved.size() && !std::isalnum(static_cast<unsigned char>(saved[at + 2])));
  EXPECT_TRUE(bold) << saved;
}

// The alignment keys go through the diary rather than the editor's own
// (whose Ctrl+J would justify and type nothing the toolbar knows of), and
// Ctrl+W closes it, saving today.
TEST(KeyboardEndToEnd, CtrlRAlignsRightCtrlJIsTakenAndCtrlWClosesSavingToday) {
  Diary diary;
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(writeToday(diary, main, L"Desno"));
  pressCtrlKey('R');
  pressCtrlKey('J');
  saveScreenshot(main, "keyboard-7-aligned-right-with-ctrl-r");
  EXPECT_EQ(diary.editorText(), L"Desno");
  pressCtrlKey('W');
  EXPECT_EQ(diary.waitForExit(), DWORD{0});
  const std::string saved = diary.decodedEntry(todayKey()).value_or("");
  EXPECT_NE(saved.find("\\qr"), std::string::npos) << saved;
  EXPECT_EQ(saved.find("\\qj"), std::string::npos) << saved;
}
