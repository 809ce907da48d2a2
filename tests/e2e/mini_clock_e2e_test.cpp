// The real diary folded into its mini clock with real input: the clock at the
// work area's corner, its second hand moving, the drag, the unfolds, the
// lock screen in between, and closing from the clock.
#include <gtest/gtest.h>

#include "e2e_support.h"
#include "base/geometry.h"

using namespace e2e;

namespace {

constexpr POINT kZložiOnMain{596 - 72 + 6, 5 + 6};
constexpr POINT kUnfoldButton{65 + 6, 5 + 6}, kCloseButton{80 + 6, 5 + 6}, kDial{50, 70}, kStrip{30, 8};

RECT workArea() {
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}
bool at(HWND w, int x, int y) {
  RECT r{};
  GetWindowRect(w, &r);
  return r.left == x && r.top == y;
}
bool visible(HWND w) { return IsWindowVisible(w) != FALSE; }

// Folds and waits for the clock at the work area's corner.
HWND fold(Diary& diary, HWND main) {
  click(main, kZložiOnMain);
  HWND clock = diary.waitForWindow("frmMini");
  const RECT wa = workArea();
  if (!clock || !waitUntil([&] { return at(clock, wa.left, wa.top); })) return nullptr;
  settle(100);
  return clock;
}
void doubleClick(HWND w, POINT client) {
  pointAt(w, client);
  leftClick();
  leftClick();
}

}  // namespace

TEST(MiniClockEndToEnd, FoldsToTheCornerTicksDragsUnfoldsBothWaysAndClosesSavingToday) {
  Diary diary;
  diary.writeSettings({3000, 4500, false, u""});
  ASSERT_TRUE(diary.start());
  HWND main = diary.waitForWindow("frmMain");
  ASSERT_NE(main, nullptr);
  RECT before{};
  GetWindowRect(main, &before);
  click(main, {100, 120});
  typeText(L"Zložen v uro.");
  HWND clock = fold(diary, main);
  ASSERT_NE(clock, nullptr);
  EXPECT_FALSE(visible(main));
  EXPECT_TRUE(GetWindowLongW(clock, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(waitUntil([&] {
    const auto e = diary.decodedEntry(todayKey());
    return e && e->find("Zlo") != std::string::npos;
  }));  // on disk while folded
  const gui::Surface first = screenshot(clock);
  saveScreenshot(clock, "mini-clock-corner");
  for (int y = 0; y < first.height(); ++y)
    for (int x = 0; x < first.width(); ++x) ASSERT_NE(first.pixel(x, y), base::kKeyColor) << x << "," << y;
  EXPECT_TRUE(waitUntil([&] { return !(screenshot(clock) == first); }, 3000));  // the second hand moved
  saveScreenshot(clock, "mini-clock-a-second-later");

  const RECT wa = workArea();
  pointAt(clock, kStrip);
  leftDown();
  moveMouse({wa.left + kStrip.x + 120, wa.top + kStrip.y + 60});
  moveMouse({wa.left + kStrip.x + 200, wa.top + kStrip.y + 100});
  leftUp();
  EXPECT_TRUE(waitUntil([&] { return at(clock, wa.left + 200, wa.top + 100); }));

  doubleClick(clock, kDial);
  EXPECT_TRUE(waitUntil([&] { return visible(main) && !visible(clock); }));
  EXPECT_TRUE(at(main, before.left, before.top));
  clock = fold(diary, main);
  ASSERT_NE(clock, nullptr);
  click(clock, kUnfoldButton);
  EXPECT_TRUE(waitUntil([&] { return visible(main) && !visible(clock); }));

  clock = fold(diary, main);
  ASSERT_NE(clock, nullptr);
  click(clock, kCloseButton);
  EXPECT_EQ(diary.waitForExit(), 0u);
  const auto entry = diary.decodedEntry(todayKey());
  ASSERT_TRUE(entry);
  EXPECT_NE(entry->find("Zlo"), std::string::npos);
  EXPECT_EQ(diary.readSettings().left, 4500);  // the main window's place
}

TEST(MiniClockEndToEnd, ALockedDiaryUnfoldsThroughTheLockScreenAndEscapeGoesBackToTheClock) {
  Diary diary;
  diary.writeSettings({3000, 4500, false, u"geslo"});
  ASSERT_TRUE(diary.start());
  ASSERT_NE(diary.waitForWindow("frmGeslo"), nullptr);
  typeText(L"geslo");
  pressKey(VK_RETURN);
  HWND main = diary.waitForWindow("frmMain");
  ASSERT_NE(main, nullptr);
  HWND clock = fold(diary, main);
  ASSERT_NE(clock, nullptr);

  doubleClick(clock, kDial);
  HWND login = diary.waitForWindow("frmGeslo");
  ASSERT_NE(login, nullptr);
  EXPECT_FALSE(IsWindowEnabled(clock));
  typeText(L"ges");
  settle(200);
  saveScreenshot(GetDesktopWindow(), "mini-clock-locked");
  pressKey(VK_ESCAPE);
  EXPECT_TRUE(waitUntil([&] { return !visible(login) && IsWindowEnabled(clock); }));
  EXPECT_FALSE(visible(main));

  doubleClick(clock, kDial);
  ASSERT_NE(diary.waitForWindow("frmGeslo"), nullptr);
  typeText(L"geslo");
  pressKey(VK_RETURN);
  EXPECT_TRUE(waitUntil([&] { return visible(main) && !visible(clock) && !visible(login); }));
  closeDiary(diary);
}
