// Ellipses, arcs, the pixel array and colours of the clock's pen.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "clock/line_gs.h"

using base::Color;
using gui::Surface;
using miniclock::LineGS;

namespace {

const Color kWhite = Color::rgb(255, 255, 255);
const Color kBlack = Color::rgb(0, 0, 0);
Color grey(uint8_t v) { return Color::rgb(v, v, v); }

int changedPixels(const Surface& s, Color bg) {
  int n = 0;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) n += s.pixel(x, y) != bg;
  return n;
}

}  // namespace

// --- circles -----------------------------------------------------------------

TEST(LineGSCircle, ZeroRadiusSplatsAThousandthOfAPixelFromTheCentre) {
  // Radius 0 still walks the quarter turn, in steps of 0.534 (three samples)
  // or 1.068 (two). Each sample puts four points 0.001 off the centre (5, 5)
  // in the four quadrants; each lands almost wholly on (5, 5), which gets
  // coverage 254 (the colour exactly), and brushes its neighbours with
  // coverage 0, which darkens white by one step each time (255·v/256).
  // Per sample the four side neighbours are brushed twice, the corners once.
  for (int thickness : {1, 2}) {
    const int samples = thickness == 1 ? 3 : 2;
    Surface s(11, 11, kWhite);
    LineGS g;
    g.CircleGP(s, 5, 5, 0, 0, kBlack, thickness);
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 11; ++x) {
        const int dx = std::abs(x - 5), dy = std::abs(y - 5);
        Color want = kWhite;
        if (dx == 0 && dy == 0) want = kBlack;
        else if (dx + dy == 1) want = grey(uint8_t(255 - 2 * samples));
        else if (dx == 1 && dy == 1) want = grey(uint8_t(255 - samples));
        EXPECT_EQ(s.pixel(x, y), want) << "thickness " << thickness << " at (" << x << ", " << y << ")";
      }
  }
}

TEST(LineGSCircle, RingIsRoundAndSymmetric) {
  Surface s(25, 25, kWhite);
  LineGS g;
  g.CircleGP(s, 12, 12, 8, 8, kBlack, 1);
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 25; ++x) {
      const double d = std::hypot(x - 12, y - 12);
      const Color p = s.pixel(x, y);
      // Nothing is drawn away from the ring; on it, the pen dominates.
      if (d < 6.5 || d > 9.5) {
        EXPECT_EQ(p, kWhite) << x << "," << y;
      }
      if (std::abs(d - 8) < 0.25) {
        EXPECT_LT(p.r(), 100) << x << "," << y;
      }
      // Mirror images across both axes agree to within the rounding of
      // blends that meet in a different order. (Not across the diagonal:
      // the samples start exactly on the axis at 3 o'clock but need not
      // land exactly on 12.)
      for (Color m : {s.pixel(24 - x, y), s.pixel(x, 24 - y)})
        EXPECT_NEAR(p.r(), m.r(), 3) << x << "," << y;
    }
  // At 3 and 9 o'clock a sample lands on the pixel; at 12 and 6 the last
  // sample of the quarter falls just short of it.
  EXPECT_EQ(s.pixel(20, 12), kBlack);
  EXPECT_EQ(s.pixel(4, 12), kBlack);
  EXPECT_LT(s.pixel(12, 4).r(), 40);
  EXPECT_LT(s.pixel(12, 20).r(), 40);

  // Negative radii trace the same ring, starting in the opposite quadrant.
  Surface n(25, 25, kWhite);
  g.CircleGP(n, 12, 12, -8, -8, kBlack, 1);
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 25; ++x) EXPECT_NEAR(n.pixel(x, y).r(), s.pixel(x, y).r(), 3) << x << "," << y;
}

TEST(LineGSCircle, EllipseUsesEachRadiusOnItsAxis) {
  Surface s(30, 20, kWhite);
  LineGS g;
  g.CircleGP(s, 15, 10, 12, 5, kBlack, 1);
  EXPECT_EQ(s.pixel(27, 10), kBlack);
  EXPECT_EQ(s.pixel(3, 10), kBlack);
  EXPECT_LT(s.pixel(15, 5).r(), 40);
  EXPECT_LT(s.pixel(15, 15).r(), 40);
  EXPECT_EQ(s.pixel(15, 2), kWhite);
  EXPECT_EQ(s.pixel(15, 10), kWhite);
  EXPECT_EQ(s.pixel(22, 10), kWhite);
}

TEST(LineGSCircle, AbsurdRadiiFinishAndStayInside) {
  // Radii of millions of pixels shrink the angular step below what single
  // precision can add; the walk must still end. Every sample is far off
  // the surface.
  Surface s(8, 8, kWhite);
  LineGS g;
  g.CircleGP(s, 4, 4, INT_MAX, INT_MAX, kBlack, 1);
  g.CircleGP(s, 4, 4, INT_MIN, INT_MIN, kBlack, 2);
  g.CircleGP(s, INT_MAX, INT_MIN, 3, 3, kBlack, 1);
  EXPECT_EQ(changedPixels(s, kWhite), 0);
  // Radius 30 000 around a far centre still reaches the surface.
  g.CircleGP(s, -30000 + 4, 4, 30000, 30000, kBlack, 1);
  EXPECT_EQ(s.pixel(4, 4), kBlack);
}

// --- arcs --------------------------------------------------------------------

TEST(LineGSArc, AnglesAreClockDegreesAndWrapThroughTwelve) {
  // 80° to 100° is the right side of the dial, around three o'clock.
  Surface s(21, 21, kWhite);
  LineGS g;
  g.ArcGP(s, 10, 10, 8, 8, 80, 100, kBlack, 1);
  EXPECT_LT(s.pixel(18, 10).r(), 40);
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 16; ++x) EXPECT_EQ(s.pixel(x, y), kWhite) << x << "," << y;

  // 350° → 10° passes through twelve: drawn as 350° … 370°.
  Surface wrap(21, 21, kWhite), straight(21, 21, kWhite), longWay(21, 21, kWhite);
  g.ArcGP(wrap, 10, 10, 8, 8, 350, 10, kBlack, 1);
  g.ArcGP(straight, 10, 10, 8, 8, 350, 370, kBlack, 1);
  g.ArcGP(longWay, 10, 10, 8, 8, 10, 350, kBlack, 1);
  EXPECT_EQ(wrap, straight);
  EXPECT_LT(wrap.pixel(10, 2).r(), 40);
  EXPECT_EQ(wrap.pixel(10, 18), kWhite);
  EXPECT_LT(longWay.pixel(10, 18).r(), 40);
  EXPECT_GT(changedPixels(longWay, kWhite), 5 * changedPixels(wrap, kWhite));
}

TEST(LineGSArc, SamplesAreSpacedByTheLargerRadius) {
  // Radius 10 with thickness 1 steps 0.0534 rad (3.06°), thickness 2 twice
  // that: a shorter sweep puts down only its first sample, as a sweep of
  // nothing does; a longer one puts down a second.
  auto arc = [](int rx, int ry, float stop, int thickness) {
    Surface s(40, 40, kWhite);
    LineGS g;
    g.ArcGP(s, 20, 20, rx, ry, 0, stop, kBlack, thickness);
    return s;
  };
  EXPECT_EQ(arc(10, 10, 3.0f, 1), arc(10, 10, 0, 1));
  EXPECT_NE(arc(10, 10, 3.2f, 1), arc(10, 10, 0, 1));
  EXPECT_EQ(arc(10, 10, 6.0f, 2), arc(10, 10, 0, 2));
  EXPECT_NE(arc(10, 10, 6.3f, 2), arc(10, 10, 0, 2));
  // An ellipse is stepped by its larger radius.
  EXPECT_EQ(arc(10, 4, 3.0f, 1), arc(10, 4, 0, 1));
  EXPECT_NE(arc(10, 4, 3.2f, 1), arc(10, 4, 0, 1));
  EXPECT_NE(arc(4, 10, 3.2f, 1), arc(4, 10, 0, 1));
}

TEST(LineGSArc, MeaninglessAnglesFinish) {
  Surface s(8, 8, kWhite);
  LineGS g;
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  g.ArcGP(s, 4, 4, 3, 3, nan, 90, kBlack, 1);
  g.ArcGP(s, 4, 4, 3, 3, 0, nan, kBlack, 1);
  EXPECT_EQ(changedPixels(s, kWhite), 0);
  g.ArcGP(s, 4, 4, 3, 3, -inf, 0, kBlack, 1);
  g.ArcGP(s, 4, 4, 3, 3, 0, inf, kBlack, 2);
  EXPECT_EQ(changedPixels(s, kWhite), 0);
  // Around a million degrees the spacing of single-precision angles is wider
  // than a radius-1000 step, so the angle cannot advance: one sample, no hang.
  Surface far(8, 8, kWhite);
  g.ArcGP(far, 4, 1004, 1000, 1000, 1e6f, 1e6f + 10, kBlack, 1);
  EXPECT_LE(changedPixels(far, kWhite), 4);
  // Many turns only go over the same ring again.
  g.ArcGP(s, 4, 4, 3, 3, 0, 36000, kBlack, 2);
  EXPECT_LT(s.pixel(4, 1).r(), 40);
}

// --- the pixel array ---------------------------------------------------------

namespace {
void drawScene(LineGS& g, Surface* gp) {
  const Color blue = Color::rgb(72, 146, 200), grey94 = Color::rgb(94, 94, 94);
  if (gp) {
    g.LineGP(*gp, 3, 30, 36, 4, blue);
    g.LineGP(*gp, 20, 20, 39, 22, grey94);
    g.CircleGP(*gp, 20, 20, 14, 9, blue, 1);
    g.ArcGP(*gp, 20, 20, 17, 17, 300, 45, grey94, 2);
  } else {
    g.LineDIB(3, 30, 36, 4, blue);
    g.LineDIB(20, 20, 39, 22, grey94);
    g.CircleDIB(20, 20, 14, 9, blue, 1);
    g.ArcDIB(20, 20, 17, 17, 300, 45, grey94, 2);
  }
}
}  // namespace

TEST(LineGSArray, PixelArrayGivesTheSamePictureAsDirectDrawing) {
  Surface base(40, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) base.setPixel(x, y, Color::rgb(uint8_t(6 * x), uint8_t(6 * y), 90));
  Surface direct = base, viaArray = base;
  LineGS g;
  drawScene(g, &direct);
  g.DIB(viaArray, viaArray, 40, 40);
  EXPECT_TRUE(g.pixelsLoaded());
  drawScene(g, nullptr);
  EXPECT_EQ(viaArray, base);  // nothing shows before the copy goes back
  g.Array2Pic();
  EXPECT_FALSE(g.pixelsLoaded());
  EXPECT_EQ(viaArray, direct);
  EXPECT_GT(changedPixels(direct, Color{}), 0);
  EXPECT_NE(direct, base);
}

TEST(LineGSArray, CopyBackHappensOnceAndOnlyAfterDIB) {
  Surface s(10, 10, kWhite);
  LineGS g;
  g.LineDIB(0, 5, 9, 5, kBlack);  // no array yet: nothing to draw into
  g.Array2Pic();
  EXPECT_EQ(changedPixels(s, kWhite), 0);

  g.DIB(s, s, 10, 10);
  g.LineDIB(0, 5, 9, 5, kBlack);
  g.Array2Pic();
  EXPECT_EQ(s.pixel(4, 5), kBlack);
  s.fill(kWhite);
  g.Array2Pic();  // a second copy-back without a new DIB changes nothing
  EXPECT_EQ(changedPixels(s, kWhite), 0);
}

TEST(LineGSArray, UnusedFourthByteIsLeftAlone) {
  Surface s(6, 6, Color{0xAB000000u | 0x102030u});
  LineGS g;
  g.DIB(s, s, 6, 6);
  g.LineDIB(1, 3, 4, 3, Color::rgb(255, 0, 0));
  g.Array2Pic();
  EXPECT_EQ(s.pixel(2, 3).value, 0xABFF0000u);                 // full colour
  EXPECT_EQ(s.pixel(2, 2).value >> 24, 0xABu);                 // blended
  EXPECT_EQ(s.pixel(0, 0).value, 0xAB000000u | 0x102030u);     // untouched
}

TEST(LineGSArray, SizesBeyondTheBitmapAreCutToIt) {
  Surface s(10, 6, kWhite);
  LineGS g;
  g.DIB(s, s, 500, 500);
  EXPECT_EQ(g.width(), 10);
  EXPECT_EQ(g.height(), 6);
  g.LineDIB(-5, 3, 200, 3, kBlack);
  g.Array2Pic();
  for (int x = 0; x < 10; ++x) EXPECT_EQ(s.pixel(x, 3), kBlack);

  g.DIB(s, s, -4, -4);
  EXPECT_EQ(g.width(), 0);
  g.LineDIB(0, 0, 9, 5, Color::rgb(1, 2, 3));
  g.Array2Pic();
  EXPECT_EQ(s.pixel(0, 0), kWhite);

  // A bitmap that shrank between DIB and Array2Pic only gets what fits.
  Surface big(10, 10, kWhite);
  g.DIB(big, big, 10, 10);
  g.LineDIB(0, 8, 9, 8, kBlack);
  big.resize(4, 4, kWhite);
  g.Array2Pic();
  EXPECT_EQ(changedPixels(big, kWhite), 0);
}

// --- colour ------------------------------------------------------------------

TEST(LineGSColour, ComponentsAndTranslation) {
  LineGS g;
  g.SetRGBComponents(Color::rgb(72, 146, 200));
  EXPECT_EQ(g.red(), 72);
  EXPECT_EQ(g.green(), 146);
  EXPECT_EQ(g.blue(), 200);
  EXPECT_EQ(g.colour(), 0x00C89248u);

  EXPECT_EQ(LineGS::translateColor(0x000000FFu), Color::rgb(255, 0, 0));  // Windows order: red is the low byte
  EXPECT_EQ(LineGS::translateColor(0x00C89248u), Color::rgb(72, 146, 200));
  EXPECT_EQ(LineGS::translateColor(0x80000005u), kWhite);                 // window background
  EXPECT_EQ(LineGS::translateColor(0x8000000Fu), Color::rgb(212, 208, 200));  // button face
  EXPECT_EQ(LineGS::translateColor(0x80000999u), kBlack);                 // no such system colour
  EXPECT_EQ(LineGS::translateColor(0x80000040u), kBlack);
  EXPECT_EQ(LineGS::translateColor(0x80000019u), kBlack);                 // the index with no colour
  EXPECT_EQ(LineGS::translateColor(0x01000005u), kBlack);                 // a palette index, no palette
}
