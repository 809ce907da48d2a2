// The pen at work: the mini clock's three hands at 10:08:30 on the 100 × 100
// dial, drawn the way the clock window draws them. The picture is saved as
// build/clock-hands.png for people to look at.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>

#include "clock/line_gs.h"
#include "gui/png.h"
#include "skin/atlas.h"

using base::Color;
using base::Point;
using gui::Surface;
using miniclock::LineGS;

namespace {

constexpr int kR = 50;
using Hand = std::array<Point, 5>;

// A thin diamond 0.2R behind the centre to `tip`·R in front, `half`·R wide,
// in hand coordinates (x along the hand), rotated to a clock angle in whole
// degrees (0 up, clockwise) and placed on the dial, rounding halves to even.
Hand hand(double tip, double half, int degrees) {
  auto r = [](double v) { return int(std::nearbyint(v)); };
  const Point t[5] = {{r(-0.2 * kR), 0}, {0, r(half * kR)}, {r(tip * kR), 0}, {0, -r(half * kR)}, {r(-0.2 * kR), 0}};
  const float a = float(degrees) * 0.017453294f;
  const float s = std::sin(a), c = std::cos(a);
  Hand h;
  for (int i = 0; i < 5; ++i)
    h[i] = {r(s * t[i].x + c * t[i].y + kR), r(-c * t[i].x + s * t[i].y + kR)};
  return h;
}

// Fills the pixels whose centre lies inside the convex outline, as the
// window's own polygon fill does under the anti-aliased edges.
void fillHand(Surface& s, const Hand& h, Color colour) {
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) {
      int sign = 0;
      bool inside = true;
      for (int i = 0; i < 4; ++i) {
        const long cross = long(h[i + 1].x - h[i].x) * (y - h[i].y) - long(h[i + 1].y - h[i].y) * (x - h[i].x);
        const int sg = (cross > 0) - (cross < 0);
        if (sg != 0 && sign != 0 && sg != sign) inside = false;
        if (sg != 0) sign = sg;
      }
      if (inside) s.setPixel(x, y, colour);
    }
}

base::Rect reach(const Hand& h) {
  int l = h[0].x, t = h[0].y, r = l, b = t;
  for (const Point& p : h) {
    l = std::min(l, p.x), t = std::min(t, p.y), r = std::max(r, p.x), b = std::max(b, p.y);
  }
  return {l - 1, t - 1, r - l + 3, b - t + 3};  // one pixel of caps and sides all round
}

const Color kEdge = Color::rgb(94, 94, 94);
const Color kSecond = Color::rgb(72, 146, 200);

}  // namespace

TEST(ClockPicture, HandsAtEightMinutesPastTenStayOnTheirOwnPixels) {
  // 10:08:30: second 30·6 = 180°, minute 8·6 = 48°, hour 10·30 + 48/12 = 304°.
  const Hand hour = hand(0.4, 0.075, 304), minute = hand(0.6, 0.05, 48), second = hand(0.6, 0.05, 180);
  EXPECT_EQ(hour[0], (Point{58, 56}));  // 10 pixels behind the centre, towards four o'clock

  const Surface face = skin::loadClockFace();
  ASSERT_EQ(face.width(), 100);
  Surface dial = face;
  LineGS g;
  for (const Hand* h : {&hour, &minute}) {
    fillHand(dial, *h, Color::rgb(0, 0, 0));
    for (int i = 0; i < 4; ++i) g.LineGP(dial, h->at(i).x, h->at(i).y, h->at(i + 1).x, h->at(i + 1).y, kEdge);
  }
  for (int i = 0; i < 4; ++i) g.LineGP(dial, second[i].x, second[i].y, second[i + 1].x, second[i + 1].y, kSecond);

  // The second hand points straight down: its tip (50, 80) is solid blue.
  EXPECT_EQ(second[2], (Point{50, 80}));
  EXPECT_EQ(dial.pixel(50, 80), kSecond);
  // The hour hand's body is filled, its tip edged in grey.
  EXPECT_EQ(dial.pixel(45, 47), Color::rgb(0, 0, 0));
  EXPECT_EQ(dial.pixel(hour[2].x, hour[2].y), kEdge);
  // Nothing is drawn outside the reach of the three hands.
  const base::Rect reaches[] = {reach(hour), reach(minute), reach(second)};
  int changed = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      if (dial.pixel(x, y) == face.pixel(x, y)) continue;
      ++changed;
      bool near = false;
      for (const base::Rect& r : reaches) near = near || r.contains({x, y});
      EXPECT_TRUE(near) << "stray pixel at (" << x << ", " << y << ")";
    }
  EXPECT_GT(changed, 150);

  // The centre cap goes over the hands, magenta being see-through.
  const Surface cap = skin::loadClockCap();
  for (int y = 0; y < cap.height(); ++y)
    for (int x = 0; x < cap.width(); ++x)
      if (cap.pixel(x, y) != base::kKeyColor)
        dial.setPixel(kR - cap.width() / 2 + x, kR - cap.height() / 2 + y, cap.pixel(x, y));

  const std::filesystem::path out = std::filesystem::path(PISARION_SOURCE_DIR) / "build" / "clock-hands.png";
  std::filesystem::create_directories(out.parent_path());
  ASSERT_TRUE(gui::writePng(dial, out));
  // A bigger copy for eyes: each pixel as a 4 × 4 block.
  Surface big(400, 400);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) big.setPixel(x, y, dial.pixel(x / 4, y / 4));
  ASSERT_TRUE(gui::writePng(big, out.parent_path() / "clock-hands-x4.png"));
}
