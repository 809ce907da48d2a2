// Folding the diary into the mini clock and back, on the headless screen:
// the slide, the drag by the strip, the unfold with and without the lock
// screen, closing from the clock, the taskbar button and a display change.
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
  void fold() {
    platform.click({100 + 596 - 72 + 6, 100 + 11});
    platform.advance(400);
  }
  bool showsMain() { return window(main().form()).visible(); }
  void drag(Point from, const std::vector<Point>& by) {
    platform.moveMouse(on(from));
    platform.mouseDown();
    const Point start = platform.cursorPos();
    for (Point d : by) platform.moveMouse({start.x + d.x, start.y + d.y});
    platform.mouseUp();
  }
};

TEST_F(MiniClockTest, FoldingSavesTodayAndSlidesTheClockToTheCornerInSevenStepsAndAPlacing) {
  startWith();
  type(u"Preden se zložim.");
  platform.click({100 + 596 - 72 + 6, 100 + 11});
  EXPECT_NE(entry(diary->todayKey()).find("Preden se zlo"), std::string::npos);  // on disk at once
  EXPECT_FALSE(showsMain());
  EXPECT_TRUE(window(clock()).topmost());
  std::vector<Point> seen;
  for (int i = 0; i < 9; ++i) {
    platform.advance(50);
    seen.push_back({at().x, at().y});
  }
  const std::vector<Point> want{{91, 90}, {83, 80}, {74, 70}, {66, 60}, {57, 50},
                                {49, 40}, {40, 30}, {40, 30}, {40, 30}};
  EXPECT_EQ(seen, want);
  // What shows of the window is the skin and the dial, never their magenta.
  const gui::Surface shot = platform.screenshot(base::Color::rgb(0, 128, 0));
  for (int y = 30; y < 30 + 111; ++y)
    for (int x = 40; x < 40 + 101; ++x) ASSERT_NE(shot.pixel(x, y), base::kKeyColor) << x << "," << y;
}

// Whether the screen shows `dial` where the clock's picture lies, leaving out
// its magenta (cut away), the cap at the centre and the rows below the window.
bool showsDial(const gui::Surface& screen, Point clock, const gui::Surface& dial) {
  for (int y = 0; y < 111 - 16; ++y)
    for (int x = 0; x < 100; ++x) {
      const bool cap = std::abs(x - 50) <= 3 && std::abs(y - 50) <= 3;
      if (cap || dial.pixel(x, y) == base::kKeyColor) continue;
      if (screen.pixel(clock.x + 1 + x, clock.y + 16 + y) != dial.pixel(x, y)) return false;
    }
  return true;
}

TEST_F(MiniClockTest, TheClockShowsTheTimeRedrawsOnlyWhenAHandMovesAndCatchesUpAfterASleep) {
  platform.setNow({{2026, 12, 7}, 10, 8, 30, 0});
  startWith();
  fold();  // 400 ms after the start: the tick at 500 ms finds the same second
  std::ifstream file(std::filesystem::path(PISARION_SOURCE_DIR) / "tests/unit/clock/clock_10-08-30.png",
                     std::ios::binary);
  const auto kept = gui::decodePng(std::vector<uint8_t>{std::istreambuf_iterator<char>(file), {}});
  ASSERT_TRUE(kept.has_value());
  EXPECT_TRUE(showsDial(platform.screenshot(), {40, 30}, *kept));
  const int presents = window(clock()).presents();
  platform.advance(100);
  EXPECT_EQ(window(clock()).presents(), presents);
  platform.advance(500);
  EXPECT_EQ(window(clock()).presents(), presents + 1);
  EXPECT_FALSE(showsDial(platform.screenshot(), {40, 30}, *kept));
  // Woken three hours and a quarter later: the next tick shows the time of now.
  platform.setNow({{2026, 12, 7}, 13, 23, 45, 0});
  platform.advance(500);
  miniclock::ClockHands hands(50);
  hands.Update(platform.now());
  gui::Surface now;
  hands.Draw(skin::loadClockFace(), now);
  EXPECT_TRUE(showsDial(platform.screenshot(), {40, 30}, now));
}

struct DragCase {
  const char* name;
  Point press;
  std::vector<Point> moves;
  Point end;
};

class MiniClockDrag : public MiniClockTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(MiniClockDrag, TheStripLeftOfTheButtonsDragsTheClockInsideTheWorkArea) {
  startWith();
  fold();
  const DragCase& c = GetParam();
  drag(c.press, c.moves);
  EXPECT_EQ((Point{at().x, at().y}), c.end);
  EXPECT_TRUE(window(clock()).visible());  // a release off the unfold button unfolds nothing
}

INSTANTIATE_TEST_SUITE_P(
    Presses, MiniClockDrag,
    ::testing::Values(DragCase{"Strip", {30, 8}, {{200, 100}}, {240, 130}},
                      DragCase{"PastTheLeftEdge", {30, 8}, {{200, 100}, {-300, 100}}, {40, 130}},
                      DragCase{"PastTheFarEdges", {60, 20}, {{3000, 3000}}, {1200 - 101, 900 - 111}},
                      DragCase{"OnTheUnfoldButton", {66, 10}, {{200, 100}}, {40, 30}},
                      DragCase{"OnTheDial", {50, 60}, {{200, 100}}, {40, 30}}),
    [](const auto& info) { return std::string(info.param.name); });

// The unfold button and a double-click on the dial alike.
class MiniClockUnfold : public MiniClockTest, public ::testing::WithParamInterface<bool> {
 protected:
  void askToUnfold() {
    if (GetParam()) platform.click(on({65 + 6, 5 + 6}));
    else platform.doubleClick(on({50, 70}));
  }
};

TEST_P(MiniClockUnfold, WithoutAPasswordTheClockSlidesBackAndTheMainWindowReturns) {
  startWith();
  fold();
  askToUnfold();
  platform.advance(7 * 50);
  EXPECT_FALSE(showsMain());
  platform.advance(50);
  EXPECT_TRUE(showsMain());
  EXPECT_FALSE(window(clock()).visible());
  EXPECT_EQ(window(main().form()).bounds(), (base::Rect{100, 100, 596, 567}));
}

TEST_P(MiniClockUnfold, WithAPasswordTheLockScreenComesEscapeGoesBackAndTheRightPasswordUnfolds) {
  startWith(u"Ključ");
  fold();
  askToUnfold();
  EXPECT_TRUE(window(login().form()).visible());
  EXPECT_FALSE(window(clock()).enabled());
  platform.keyDown(gui::kKeyEscape);
  EXPECT_FALSE(window(login().form()).visible());
  EXPECT_TRUE(window(clock()).enabled());
  EXPECT_FALSE(showsMain());
  askToUnfold();
  unlock(u"Ključ");
  platform.advance(400);
  EXPECT_TRUE(showsMain());
  EXPECT_FALSE(window(login().form()).visible());
  EXPECT_FALSE(window(clock()).visible());
}

INSTANTIATE_TEST_SUITE_P(ByButtonOrDoubleClick, MiniClockUnfold, ::testing::Bool());

TEST_F(MiniClockTest, TheCloseButtonEndsTheDiaryWithTodayAndTheSettingsSaved) {
  startWith();
  type(u"Zaprto z ure.");
  fold();
  std::filesystem::remove(dir.path() / "Podatki.ini");
  platform.click(on({80 + 6, 5 + 6}));
  EXPECT_EQ(platform.exitCode(), 0);
  EXPECT_NE(entry(diary->todayKey()).find("Zaprto z ure."), std::string::npos);
  EXPECT_EQ(readSettings().left, 1500);  // the main window's place, not the clock's
}

TEST_F(MiniClockTest, TheTaskbarButtonLeavesTheDiaryFoldedAndGivesTheFocusToTheClockOrTheLockScreen) {
  startWith(u"Ključ");
  platform.click({100 + 596 - 36 + 6, 100 + 11});  // minimised once, so the taskbar window remembers it
  platform.restoreFromTaskbar(diary->taskbar().form());
  unlock(u"Ključ");
  fold();
  diary->taskbar().form().setWindowState(gui::kMinimized);
  platform.restoreFromTaskbar(diary->taskbar().form());
  EXPECT_FALSE(showsMain());
  EXPECT_FALSE(window(login().form()).visible());
  EXPECT_TRUE(window(clock()).visible());
  platform.activateWindow(platform.window(diary->taskbar().form()));
  EXPECT_EQ(platform.activeForm(), &clock());
  platform.doubleClick(on({50, 70}));
  platform.activateWindow(platform.window(diary->taskbar().form()));
  EXPECT_EQ(platform.activeForm(), &login().form());
  diary->BringToFront();  // a second start
  EXPECT_EQ(platform.activeForm(), &login().form());
}

TEST_F(MiniClockTest, ADisplayChangeKeepsTheClockInsideTheNewWorkArea) {
  startWith();
  fold();
  drag({30, 8}, {{3000, 3000}});
  platform.setScreenSize({800, 600});
  platform.setWorkArea({0, 0, 800, 560});
  platform.displayChanged();
  EXPECT_EQ(at(), (base::Rect{800 - 101, 560 - 111, 101, 111}));
  drag({30, 8}, {{-3000, 0}});  // and the drags keep to the new area
  EXPECT_EQ(at().x, 0);
}

}  // namespace
