// The real, locked diary folded into its mini clock with real input: the
// clock at the work area's corner with its second hand moving, the drag, the
// lock screen raised by a double-click (Escape back) and by the unfold button
// (the password unfolds), and closing from the clock with today saved.
#include <gtest/gtest.h>

#include <algorithm>

#include "e2e_support.h"

using namespace e2e;

namespace {

constexpr POINT kUnfoldButton{65 + 6, 5 + 6}, kCloseButton{80 + 6, 5 + 6}, kDial{50, 70}, kStrip{30, 8};

bool at(HWND w, LONG x, LONG y) {
  RECT r{};
  GetWindowRect(w, &r);
  return r.left == x && r.top == y;
}
bool visible(HWND w) { return IsWindowVisible(w) != FALSE; }

}  // namespace

TEST(MiniClockEndToEnd, FoldsTicksDragsUnlocksUnfoldsAndClosesSavingToday) {
  Diary diary;
  HWND main = diary.startUnlocked({3000, 4500, false, u"geslo"});
  ASSERT_NE(main, nullptr);
  RECT wa{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0);
  const auto fold = [&] {
    click(main, {596 - 72 + 6, 5 + 6});
    HWND clock = diary.waitForWindow("frmMini");
    return clock && waitUntil([&] { return at(clock, wa.left, wa.top); }) ? clock : nullptr;
  };
  ASSERT_TRUE(writeToday(diary, main, L"Zložen v uro."));
  HWND clock = fold();
  ASSERT_NE(clock, nullptr);
  EXPECT_FALSE(visible(main));
  EXPECT_TRUE(waitUntil([&] { return diary.decodedEntry(todayKey()).value_or("").find("Zlo") != std::string::npos; }));
  settle(100);
  const gui::Surface first = screenshot(clock);
  saveScreenshot(clock, "mini-clock-corner");
  for (int i = 0; i < first.width() * first.height(); ++i)
    ASSERT_NE(first.pixel(i % first.width(), i / first.width()), base::kKeyColor);
  EXPECT_TRUE(waitUntil([&] { return !(screenshot(clock) == first); }, 3000));  // the second hand moved

  // Dragged at a hand's speed (a move every 50 ms or so, nothing waited
  // for), down the left edge, along the top, the right and the bottom, and
  // diagonally: the clock ends under the pointer, as far as the work area lets it.
  const POINT hand[] = {{-10, 20}, {20, -30}, {130, 10}, {-10, 120}, {-20, -20}};
  for (const POINT step : hand) {
    SCOPED_TRACE(step.x * 1000 + step.y);
    pointAt(clock, kStrip);
    leftDown();
    POINT p{};
    GetCursorPos(&p);
    for (int i = 0; i < 10; ++i) {
      p = {p.x + step.x, p.y + step.y};
      moveMouse(p);
    }
    leftUp();
    GetCursorPos(&p);
    const LONG left = std::clamp<LONG>(p.x - kStrip.x, wa.left, wa.right - 101);
    const LONG top = std::clamp<LONG>(p.y - kStrip.y, wa.top, wa.bottom - 111);
    EXPECT_TRUE(waitUntil([&] { return at(clock, left, top); })) << left << ", " << top;
  }

  pointAt(clock, kDial);
  leftClick();
  leftClick();
  HWND login = diary.waitForWindow("frmGeslo");
  ASSERT_NE(login, nullptr);
  EXPECT_FALSE(IsWindowEnabled(clock));
  typeText(L"ges");
  settle(200);
  saveScreenshot(GetDesktopWindow(), "mini-clock-locked");
  pressKey(VK_ESCAPE);
  EXPECT_TRUE(waitUntil([&] { return !visible(login) && IsWindowEnabled(clock) && !visible(main); }));

  click(clock, kUnfoldButton);
  ASSERT_NE(diary.waitForWindow("frmGeslo"), nullptr);
  typeText(L"geslo");
  pressKey(VK_RETURN);
  EXPECT_TRUE(waitUntil([&] { return visible(main) && !visible(clock) && !visible(login); }));
  EXPECT_TRUE(at(main, 300, 200));

  clock = fold();
  ASSERT_NE(clock, nullptr);
  click(clock, kCloseButton);
  EXPECT_EQ(diary.waitForExit(), 0u);
  EXPECT_NE(diary.decodedEntry(todayKey()).value_or("").find("Zlo"), std::string::npos);
  EXPECT_EQ(diary.readSettings().left, 4500);  // the main window's place, not the clock's
}
