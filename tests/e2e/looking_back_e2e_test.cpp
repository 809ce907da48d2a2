// Looking back in the real program, behind its password: Ctrl+D lists this
// day in earlier years, Ctrl+Shift+D opens the year window (its tip, a click
// on a day, Left, Escape), Ctrl+P brings the system's print dialog.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "e2e_support.h"

using namespace e2e;

namespace {

constexpr RECT kRows{420, 111, 560, 111 + 17 * 4};

// Rows of the day list that show text (see the search's test).
int rowsWithText(HWND main) {
  const gui::Surface s = screenshot(main);
  int rows = 0;
  for (int k = 0; k < 4; ++k) {
    int dark = 0;
    for (int y = kRows.top + 17 * k + 2; y < kRows.top + 17 * k + 15; ++y)
      for (int x = kRows.left; x < kRows.right; ++x) dark += s.pixel(x, y).r() < 120;
    rows += dark > 20;
  }
  return rows;
}

void pressCtrlShiftKey(WORD vk) {
  INPUT in[6] = {};
  for (INPUT& i : in) i.type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[5].ki.wVk = VK_CONTROL;
  in[1].ki.wVk = in[4].ki.wVk = VK_SHIFT;
  in[2].ki.wVk = in[3].ki.wVk = vk;
  for (int i = 3; i < 6; ++i) in[i].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(6, in, sizeof(INPUT));
}

// An arrow key as the keyboard sends it: from the extended block, so that no
// number pad key is taken for it.
void pressArrow(WORD vk) {
  INPUT in[2] = {};
  for (INPUT& i : in) {
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
  }
  in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

// The middle of a day's square in the year window.
POINT square(int month, int day) { return {42 + (day - 1) * 12 + 5, 48 + (month - 1) * 12 + 5}; }

std::string rtfOf(const std::string& text) { return "{\\rtf1\\ansi\\ansicpg1250 " + text + "\\par\r\n}\r\n"; }

}  // namespace

TEST(LookingBackEndToEnd, ThisDayTheYearAtAGlanceAndPrintingAfterThePassword) {
  Diary diary;
  const std::string today = todayKey();
  const int year = std::stoi(today.substr(6));
  const std::string lastYear = "01-15-" + std::to_string(year - 1);
  diary.writeEntry(lastYear, rtfOf("Sredi januarja lani, \\'e8isto zasne\\'9eeno."));
  diary.writeEntry("01-15-2012", rtfOf("Pred \\b mnogimi\\b0  leti."));
  HWND main = diary.startUnlocked({1500, 3000, false, u"Žaba7"});
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(writeToday(diary, main, L"Danes pišem."));

  // The year of the day on screen, today's.
  pressCtrlShiftKey('D');
  HWND years = diary.waitForWindow("frmLeto");
  ASSERT_NE(years, nullptr);
  saveScreenshot(years, "looking-back-1-year-at-a-glance");
  const gui::Surface thisYear = screenshot(years);
  pressArrow(VK_LEFT);  // last year, with its day in January
  ASSERT_TRUE(waitForChange(years, thisYear));
  pointAt(years, square(1, 15));
  ASSERT_TRUE(waitUntil([] { return visibleToolTip() != nullptr; }));
  saveScreenshot(years, "looking-back-2-last-year");
  saveScreenshot(visibleToolTip(), "looking-back-3-tip");
  leftClick();
  ASSERT_TRUE(waitUntil([&] { return diary.editorText() == L"Sredi januarja lani, čisto zasneženo."; }));
  pressKey(VK_ESCAPE);  // the year window keeps the keys after the day it showed
  ASSERT_TRUE(waitUntil([&] { return diary.window("frmLeto") == nullptr; }));

  // The same date in the years before the day on screen.
  click(main, kInEditor);
  pressCtrlKey('D');
  ASSERT_TRUE(waitUntil([&] { return rowsWithText(main) == 1; })) << rowsWithText(main) << " rows";
  saveScreenshot(main, "looking-back-4-on-this-day");
  click(main, dayRow(1));
  ASSERT_TRUE(waitUntil([&] { return diary.editorText() == L"Pred mnogimi leti."; }));
  pressKey(VK_ESCAPE);
  ASSERT_TRUE(waitUntil([&] { return rowsWithText(main) == 1; }));

  // The day on screen to the printer: the system's dialog (or, with no
  // printer, its message), which Escape closes; the diary carries on.
  click(main, kInEditor);
  pressCtrlKey('P');
  HWND dialog = diary.waitForMessageBox();
  ASSERT_NE(dialog, nullptr);
  saveScreenshot(dialog, "looking-back-5-print-dialog");
  pressKey(VK_ESCAPE);
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }));
  EXPECT_TRUE(diary.running());
  closeDiary(diary);
  const auto saved = diary.decodedEntry(today);
  ASSERT_TRUE(saved);
  EXPECT_NE(saved->find("Danes pi"), std::string::npos);
}
