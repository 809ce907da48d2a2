// The clock's anti-aliased pen, pixel by pixel on small surfaces. Expected
// values are worked out by hand from the blend rule
//   out = (C·a + bg·(255 − a)) / 256, truncated; a > 252 writes C exactly.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <map>

#include "clock/line_gs.h"

using base::Color;
using gui::Surface;
using miniclock::LineGS;

namespace {

const Color kWhite = Color::rgb(255, 255, 255);
const Color kBlack = Color::rgb(0, 0, 0);
Color grey(uint8_t v) { return Color::rgb(v, v, v); }

// Every pixel of s must be `rest` except those listed.
void expectPixels(const Surface& s, const std::map<std::pair<int, int>, Color>& expected, Color rest) {
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) {
      auto it = expected.find({x, y});
      const Color want = it == expected.end() ? rest : it->second;
      EXPECT_EQ(s.pixel(x, y).value, want.value) << "pixel (" << x << ", " << y << ")";
    }
}

}  // namespace

// --- lines -------------------------------------------------------------------

TEST(LineGS, HorizontalLineIsSolidWithSoftSidesAndHalfCoveredCaps) {
  Surface s(20, 14, kWhite);
  LineGS g;
  g.LineGP(s, 10, 10, 14, 10, kBlack);
  std::map<std::pair<int, int>, Color> want;
  for (int x = 10; x <= 14; ++x) {
    want[{x, 10}] = kBlack;
    want[{x, 9}] = grey(126);   // coverage 128: 255·127/256 = 126.5
    want[{x, 11}] = grey(127);  // coverage 127: 255·128/256 = 127.5
  }
  want[{9, 10}] = grey(127);  // end caps along the line, coverage 127
  want[{15, 10}] = grey(127);
  want[{9, 9}] = grey(254);  // diagonal caps of a flat line have coverage 0
  want[{15, 11}] = grey(254);
  expectPixels(s, want, kWhite);
}

TEST(LineGS, VerticalAndDiagonalLines) {
  {
    Surface s(10, 10, kWhite);
    LineGS g;
    g.LineGP(s, 5, 2, 5, 6, kBlack);
    std::map<std::pair<int, int>, Color> want;
    for (int y = 2; y <= 6; ++y) {
      want[{5, y}] = kBlack;
      want[{4, y}] = grey(126);
      want[{6, y}] = grey(127);
    }
    want[{5, 1}] = grey(127);
    want[{5, 7}] = grey(127);
    want[{4, 1}] = grey(254);
    want[{6, 7}] = grey(254);
    expectPixels(s, want, kWhite);
  }
  {
    // 45°: one step across per step down; the diagonal caps get the full
    // end weight 85: 255·170/256 = 169.3.
    Surface s(10, 10, kWhite);
    LineGS g;
    g.LineGP(s, 2, 2, 6, 6, kBlack);
    std::map<std::pair<int, int>, Color> want;
    for (int k = 2; k <= 6; ++k) {
      want[{k, k}] = kBlack;
      want[{k - 1, k}] = grey(126);
      want[{k + 1, k}] = grey(127);
    }
    want[{2, 1}] = grey(127);
    want[{6, 7}] = grey(127);
    want[{1, 1}] = grey(169);
    want[{7, 7}] = grey(169);
    expectPixels(s, want, kWhite);
  }
}

TEST(LineGS, BlendsEachChannelAndDividesBy256) {
  // A coloured line over a coloured background: the sides of the flat line
  // have coverages 128 (above) and 127 (below).
  const Color bg = Color::rgb(10, 20, 30);
  Surface s(8, 5, bg);
  LineGS g;
  g.LineGP(s, 2, 2, 4, 2, Color::rgb(200, 100, 50));
  // above: (200·128 + 10·127)/256 = 104.9, (100·128 + 20·127)/256 = 59.9, (50·128 + 30·127)/256 = 39.9
  EXPECT_EQ(s.pixel(3, 1), Color::rgb(104, 59, 39));
  // below: (200·127 + 10·128)/256 = 104.2, (100·127 + 20·128)/256 = 59.6, (50·127 + 30·128)/256 = 39.8
  EXPECT_EQ(s.pixel(3, 3), Color::rgb(104, 59, 39));
  EXPECT_EQ(s.pixel(3, 2), Color::rgb(200, 100, 50));

  // White over white never quite stays white: coverage 128 and 127 both give 254.
  Surface w(8, 5, kWhite);
  g.LineGP(w, 2, 2, 4, 2, kWhite);
  EXPECT_EQ(w.pixel(3, 1), grey(254));
  EXPECT_EQ(w.pixel(3, 3), grey(254));
  EXPECT_EQ(w.pixel(3, 2), kWhite);
}

TEST(LineGS, CoverageAbove252WritesTheColourExactly) {
  // A line 255 across and 1 down: acc starts at 127 and grows by one a step,
  // wraps to 0 at step 128 (the line drops a row), so at step 130 the pixel
  // above the line gets 255 − 2 = 253 and at step 131 it gets 252.
  const Color bg = Color::rgb(100, 150, 200);
  Surface s(260, 5, bg);
  LineGS g;
  g.LineGP(s, 0, 1, 255, 2, kWhite);
  EXPECT_EQ(s.pixel(130, 1), kWhite);
  // (255·252 + 100·3)/256 = 252.2, (255·252 + 150·3)/256 = 252.8, (255·252 + 200·3)/256 = 253.4
  EXPECT_EQ(s.pixel(131, 1), Color::rgb(252, 252, 253));
  EXPECT_EQ(s.pixel(130, 2), kWhite);  // the line itself
}

TEST(LineGS, ZeroLengthLineDrawsNothingAtAll) {
  Surface s(6, 6, kWhite);
  LineGS g;
  g.SetRGBComponents(Color::rgb(1, 2, 3));
  g.LineGP(s, 3, 3, 3, 3, kBlack);
  g.DIB(s, s, 6, 6);
  g.LineDIB(3, 3, 3, 3, kBlack);
  g.Array2Pic();
  expectPixels(s, {}, kWhite);
  EXPECT_EQ(g.red(), 1);  // not even the colour is taken
}

TEST(LineGS, LinesAreClippedAtTheSurfaceEdgesWithoutWrappingRows) {
  // Rows lie end to end in memory: a pixel one left of column 0 would land
  // on the previous row's last column, one right of the edge on the next
  // row's first.
  Surface s(10, 10, kWhite);
  LineGS g;
  // A vertical line of 10 rows keeps acc at 4: its sides get coverages
  // 4·255/9 = 113 (right) and 142 (left).
  g.LineGP(s, -1, 0, -1, 9, kBlack);  // only its right side shows: 255·142/256 = 141.4
  g.LineGP(s, 10, 0, 10, 9, kBlack);  // only its left side shows: 255·113/256 = 112.6
  std::map<std::pair<int, int>, Color> want;
  for (int y = 0; y <= 9; ++y) {
    want[{0, y}] = grey(141);
    want[{9, y}] = grey(112);
  }
  expectPixels(s, want, kWhite);

  // The same in the pixel array, copied from only part of a bitmap: what
  // falls at x = W or y = H of the copy is dropped, even where the bitmap
  // has pixels.
  Surface b(12, 4, kWhite);
  g.DIB(b, b, 6, 3);
  g.LineDIB(-2, 1, 20, 1, kBlack);  // sides: coverage 128 above, 127 below
  g.LineDIB(0, 3, 5, 3, kBlack);    // on row H; acc 2 of 5: 153 above it
  g.Array2Pic();
  for (int x = 0; x < 12; ++x) {
    const bool in = x < 6;
    EXPECT_EQ(b.pixel(x, 0), in ? grey(126) : kWhite) << x;
    EXPECT_EQ(b.pixel(x, 1), in ? kBlack : kWhite) << x;
    EXPECT_EQ(b.pixel(x, 2), in ? grey(50) : kWhite) << x;  // 127·102/256 = 50.6
    EXPECT_EQ(b.pixel(x, 3), kWhite) << x;
  }
}

TEST(LineGS, HugeCoordinatesAreSafe) {
  // Across the whole 16-bit range: the caps and sides reach beyond it, and
  // only the part over the surface is drawn.
  Surface s(10, 10, kWhite);
  LineGS g;
  g.LineGP(s, -32768, -32768, 32767, 32767, kBlack);
  for (int k = 0; k < 10; ++k) EXPECT_EQ(s.pixel(k, k), kBlack) << k;
  g.LineGP(s, 32767, -32768, -32768, -32768, kBlack);
  g.LineGP(s, 32767, 32767, 32767, -32768, kBlack);
  // Nearly flat: the line drops from row 5 to row 6 just left of x = 0,
  // where the pixel above it is still fully covered.
  g.LineGP(s, -32768, 5, 32767, 6, kBlack);
  EXPECT_EQ(s.pixel(0, 6), kBlack);
  EXPECT_EQ(s.pixel(9, 6), kBlack);
  EXPECT_EQ(s.pixel(0, 5), kBlack);
  EXPECT_EQ(s.pixel(9, 0), kWhite);  // the other edge lines are far off
}
