// Folding the diary into the mini clock and back, on the headless screen:
// the slide step by step, the time shown, the drag kept inside the work area,
// the taskbar button and a display change. The plain drag, the unfolds
// through the lock screen and closing from the clock are proved end to end.
#include <fstream>

#include "app/frm_mini.h"
#include "clock/clock_hands.h"
#include "diary_fixture.h"
#include "gui/png.h"
#include "skin/atlas.h"

namespace {

using base::Point;

class MiniClockTest : public DiaryTest {
 protected:
  // The work area (40, 30)-(1200, 900); the main window at (100, 100).
  void startWith(std::u16string password = u"") {
    platform.setWorkArea({40, 30, 1160, 870});
    writeSettings({1500, 1500, false, password});
    start();
    if (!password.empty()) unlock(password);
  }
  void unlock(std::u16string_view password) {
    platform.typeText(password);
    platform.keyDown(gui::kKeyReturn);
  }
  gui::Form& clock() { return diary->mini().form(); }
  base::Rect at() { return window(clock()).bounds(); }
  Point on(Point client) { return {at().x + client.x, at().y + client.y}; }
  void fold(int ms = 400) {
    platform.click({100 + 596 - 72 + 6, 100 + 11});
    platform.advance(ms);
  }
  bool shows(gui::Form& f) { return window(f).visible(); }
  void drag(Point from, const std::vector<Point>& by) {
    platform.moveMouse(on(from));
    platform.mouseDown();
    const Point start = platform.cursorPos();
    for (Point d : by) platform.moveMouse({start.x + d.x, start.y + d.y});
    platform.mouseUp();
  }
  // Whether the screen shows `dial` where the clock's picture lies, but for
  // its magenta (cut away), the cap and the rows below the window.
  bool showsDial(const gui::Surface& dial) {
    const gui::Surface screen = platform.screenshot();
    for (int y = 0; y < 111 - 16; ++y)
      for (int x = 0; x < 100; ++x)
        if (std::max(std::abs(x - 50), std::abs(y - 50)) > 3 && dial.pixel(x, y) != base::kKeyColor &&
            screen.pixel(at().x + 1 + x, at().y + 16 + y) != dial.pixel(x, y))
          return false;
    return true;
  }
};

TEST_F(MiniClockTest, FoldingSavesTodaySlidesToTheCornerInSevenStepsAndAPlacingAndUnfoldsBack) {
  startWith();
  type(u"Preden se zložim.");
  fold(0);
  EXPECT_NE(entry(diary->todayKey()).find("Preden se zlo"), std::string::npos);  // on disk at once
  EXPECT_FALSE(shows(main().form()));
  EXPECT_TRUE(window(clock()).topmost());
  std::vector<Point> seen;
  for (int i = 0; i < 9; ++i, platform.advance(50)) seen.push_back({at().x, at().y});
  EXPECT_EQ(seen, (std::vector<Point>{{100, 100}, {91, 90}, {83, 80}, {74, 70}, {66, 60}, {57, 50}, {49, 40},
                                      {40, 30}, {40, 30}}));
  platform.click(on({71, 11}));  // the unfold button, no password
  platform.advance(7 * 50);
  EXPECT_FALSE(shows(main().form()));
  platform.advance(50);
  EXPECT_FALSE(shows(clock()));
  EXPECT_EQ(window(main().form()).bounds(), (base::Rect{100, 100, 596, 567}));
}

TEST_F(MiniClockTest, TheClockShowsTheTimeRedrawsOnlyWhenAHandMovesAndCatchesUpAfterASleep) {
  platform.setNow({{2026, 12, 7}, 10, 8, 30, 0});
  startWith();
  fold();  // 400 ms after the start: the tick at 500 ms finds the same second
  std::ifstream file(std::filesystem::path(PISARION_SOURCE_DIR) / "tests/unit/clock/clock_10-08-30.png",
                     std::ios::binary);
  const auto kept = gui::decodePng(std::vector<uint8_t>{std::istreambuf_iterator<char>(file), {}});
  ASSERT_TRUE(kept.has_value());
  EXPECT_TRUE(showsDial(*kept));
  const int presents = window(clock()).presents();
  platform.advance(100);
  EXPECT_EQ(window(clock()).presents(), presents);
  platform.advance(500);
  EXPECT_EQ(window(clock()).presents(), presents + 1);
  EXPECT_FALSE(showsDial(*kept));
  platform.setNow({{2026, 12, 7}, 13, 23, 45, 0});  // woken hours later
  platform.advance(500);
  miniclock::ClockHands hands(50);
  hands.Update(platform.now());
  gui::Surface now;
  hands.Draw(skin::loadClockFace(), now);
  EXPECT_TRUE(showsDial(now));
}

struct DragCase {
  const char* name;
  Point press;
  std::vector<Point> moves;
  Point end;
};
class MiniClockDrag : public MiniClockTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(MiniClockDrag, TheStripLeftOfTheButtonsDragsTheClockOnlyInsideTheWorkArea) {
  startWith();
  fold();
  drag(GetParam().press, GetParam().moves);
  EXPECT_EQ((Point{at().x, at().y}), GetParam().end);
  EXPECT_TRUE(shows(clock()));  // a release off the unfold button unfolds nothing
}

INSTANTIATE_TEST_SUITE_P(Presses, MiniClockDrag,
                         ::testing::Values(DragCase{"PastTheLeftEdge", {30, 8}, {{200, 100}, {-300, 100}}, {40, 130}},
                                           DragCase{"PastTheFarEdges", {60, 20}, {{3000, 3000}}, {1099, 789}},
                                           DragCase{"OnTheUnfoldButton", {66, 10}, {{200, 100}}, {40, 30}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MiniClockTest, TheTaskbarButtonAndASecondStartLeaveTheDiaryFoldedFocusingTheClockOrTheLockScreen) {
  startWith(u"Ključ");
  platform.click({100 + 596 - 36 + 6, 100 + 11});  // minimised once: the taskbar window remembers it
  platform.restoreFromTaskbar(diary->taskbar().form());
  unlock(u"Ključ");
  fold();
  diary->taskbar().form().setWindowState(gui::kMinimized);
  platform.restoreFromTaskbar(diary->taskbar().form());
  EXPECT_FALSE(shows(main().form()) || shows(login().form()));
  platform.activateWindow(platform.window(diary->taskbar().form()));
  EXPECT_EQ(platform.activeForm(), &clock());
  platform.doubleClick(on({50, 70}));
  platform.activateWindow(platform.window(diary->taskbar().form()));
  EXPECT_EQ(platform.activeForm(), &login().form());
  platform.activateWindow(platform.window(clock()));
  diary->BringToFront();
  EXPECT_EQ(platform.activeForm(), &login().form());
}

TEST_F(MiniClockTest, ADisplayChangeKeepsTheClockInsideTheNewWorkArea) {
  startWith();
  fold();
  drag({30, 8}, {{3000, 3000}});
  platform.setWorkArea({0, 0, 800, 560});
  platform.displayChanged();
  EXPECT_EQ(at(), (base::Rect{800 - 101, 560 - 111, 101, 111}));
}

// The clock's double-click during its slide back starts nothing more: the
// lock screen never comes over the main window the slide gives back.
TEST_F(MiniClockTest, ADoubleClickDuringTheUnfoldSlideLeavesNoLockScreenOverTheDiary) {
  startWith(u"Ključ");
  fold();
  platform.click(on({71, 11}));
  unlock(u"Ključ");
  platform.advance(100);  // sliding back
  platform.doubleClick(on({50, 70}));
  platform.advance(400);
  EXPECT_TRUE(shows(main().form()));
  EXPECT_FALSE(shows(login().form()));
  EXPECT_FALSE(shows(clock()));
}

}  // namespace
