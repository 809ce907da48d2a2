// The mini clock's hands: angles, outlines, ticks and the drawn dial. The dial
// at 10:08:30 is compared with a kept picture and saved as
// build/clock-hands.png (and, with the centre cap, 4× as clock-hands-x4.png)
// for people to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "clock/clock_hands.h"
#include "gui/png.h"
#include "skin/atlas.h"

using base::Point;
using miniclock::ClockHands;
using miniclock::HandAngles;

namespace {

base::DateTime at(int h, int m, int s) { return {{2026, 12, 9}, h, m, s}; }

struct AngleCase {
  int h, m, s;
  HandAngles angles;
  Point secondTip;  // where the user sees the second hand end
};

class ClockAngles : public testing::TestWithParam<AngleCase> {};

TEST_P(ClockAngles, HandsPointWhereTheTimeSays) {
  const AngleCase& c = GetParam();
  EXPECT_EQ(miniclock::AnglesAt(at(c.h, c.m, c.s)), c.angles);
  ClockHands hands(50);
  ASSERT_TRUE(hands.Update(at(c.h, c.m, c.s)));
  EXPECT_EQ(hands.polygonOf(ClockHands::Second)[2], c.secondTip);
}

INSTANTIATE_TEST_SUITE_P(Times, ClockAngles,
                         testing::Values(AngleCase{12, 0, 0, {0, 0, 0}, {50, 20}},
                                         AngleCase{0, 0, 15, {0, 0, 90}, {80, 50}},
                                         AngleCase{3, 30, 0, {105, 180, 0}, {50, 20}},
                                         AngleCase{15, 30, 30, {105, 180, 180}, {50, 80}},
                                         AngleCase{11, 59, 59, {359, 354, 354}, {47, 20}},
                                         AngleCase{23, 59, 60, {359, 354, 0}, {50, 20}}));

TEST(ClockHands, TemplatesAreThinDiamondsBehindTheCentre) {
  const ClockHands hands(50);
  using O = ClockHands::Outline;
  EXPECT_EQ(hands.templateOf(ClockHands::Hour), (O{{{-10, 0}, {0, 4}, {20, 0}, {0, -4}, {-10, 0}}}));
  EXPECT_EQ(hands.templateOf(ClockHands::Minute), (O{{{-10, 0}, {0, 2}, {30, 0}, {0, -2}, {-10, 0}}}));
  EXPECT_EQ(hands.templateOf(ClockHands::Second), hands.templateOf(ClockHands::Minute));
}

// Catching up after a sleep is checked on the folded diary's screen.
TEST(ClockHands, TicksRedrawOnlyWhenAHandMovesAndOnlyThatHand) {
  ClockHands hands(50);
  EXPECT_EQ(hands.angles(), HandAngles{});
  ASSERT_TRUE(hands.Update(at(10, 8, 30)));
  const ClockHands before = hands;
  EXPECT_FALSE(hands.Update(at(10, 8, 30)));  // the second half-second tick
  ASSERT_TRUE(hands.Update(at(10, 8, 31)));
  EXPECT_EQ(hands.polygonOf(ClockHands::Hour), before.polygonOf(ClockHands::Hour));
  EXPECT_EQ(hands.polygonOf(ClockHands::Minute), before.polygonOf(ClockHands::Minute));
  EXPECT_NE(hands.polygonOf(ClockHands::Second), before.polygonOf(ClockHands::Second));
  hands.Reset();  // forgets the angles: the next tick draws
  EXPECT_TRUE(hands.Update(at(10, 8, 31)));
}

// GDI's Polygon with a one-pixel pen: the inside filled, every side under the pen.
TEST(ClockHands, PolygonFillsInsideAndPensTheWholeOutline) {
  const std::vector<Point> square{{2, 2}, {6, 2}, {6, 6}, {2, 6}}, diamond{{4, 0}, {8, 4}, {4, 8}, {0, 4}};
  auto squareNorm = [](int dx, int dy) { return std::max(std::abs(dx), std::abs(dy)) * 2; };
  auto diamondNorm = [](int dx, int dy) { return std::abs(dx) + std::abs(dy); };
  for (auto [shape, norm] : {std::pair{square, +squareNorm}, std::pair{diamond, +diamondNorm}}) {
    gui::Surface s(9, 9, base::Color::rgb(9, 9, 9));
    miniclock::FillPolygon(s, shape, base::Color::rgb(0, 0, 0), base::Color::rgb(255, 255, 255));
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 9; ++x) {
        const int d = norm(x - 4, y - 4);
        const auto want = d == 4 ? 255 : d < 4 ? 0 : 9;
        EXPECT_EQ(s.pixel(x, y), base::Color::rgb(want, want, want)) << x << "," << y;
      }
  }
  // Sides through half-pixel ties light the same pixels whichever way round they are drawn.
  gui::Surface one(9, 9), other(9, 9);
  miniclock::FillPolygon(one, std::vector<Point>{{0, 0}, {8, 4}, {0, 8}}, {}, base::Color::rgb(255, 255, 255));
  miniclock::FillPolygon(other, std::vector<Point>{{0, 8}, {8, 4}, {0, 0}}, {}, base::Color::rgb(255, 255, 255));
  EXPECT_TRUE(one == other);
}

TEST(ClockPicture, DialAtEightMinutesPastTenMatchesTheKeptPicture) {
  const gui::Surface face = skin::loadClockFace();
  ClockHands hands(50);
  hands.Update(at(10, 8, 30));
  gui::Surface dial;
  hands.Draw(face, dial);

  const std::filesystem::path out = std::filesystem::path(PISARION_SOURCE_DIR) / "build" / "clock-hands.png";
  std::filesystem::create_directories(out.parent_path());
  ASSERT_TRUE(gui::writePng(dial, out));
  gui::Surface big(400, 400);  // each pixel as a 4 × 4 block, the centre cap on top
  const gui::Surface cap = skin::loadClockCap();
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) {
      const int cx = x / 4 - 50 + cap.width() / 2, cy = y / 4 - 50 + cap.height() / 2;
      const bool onCap = cap.bounds().contains({cx, cy}) && cap.pixel(cx, cy) != base::kKeyColor;
      big.setPixel(x, y, onCap ? cap.pixel(cx, cy) : dial.pixel(x / 4, y / 4));
    }
  ASSERT_TRUE(gui::writePng(big, out.parent_path() / "clock-hands-x4.png"));

  std::ifstream kept(std::filesystem::path(PISARION_SOURCE_DIR) / "tests/unit/clock/clock_10-08-30.png",
                     std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(kept), {}};
  const auto expected = gui::decodePng(bytes);
  ASSERT_TRUE(expected.has_value()) << "kept picture missing or unreadable";
  EXPECT_TRUE(*expected == dial) << "the dial differs from the kept picture; see " << out;
}

}  // namespace
