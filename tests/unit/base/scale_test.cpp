#include <gtest/gtest.h>

#include "base/scale.h"

using base::Rect;
using base::Scale;

class ScaleAt : public ::testing::TestWithParam<int> {};

// Faces laid side by side at 100 % stay side by side on screen, without a
// seam or an overlap, and a click anywhere on a scaled face lands on it.
TEST_P(ScaleAt, NeighboursStayAdjacentAndEveryDevicePixelMapsBackIntoItsRectangle) {
  const Scale s{GetParam()};
  const Rect left{13, 7, 21, 19}, right{34, 7, 43, 19};
  EXPECT_EQ(s(left).right(), s(right).x);
  EXPECT_EQ(s(left).w + s(right).w, s(Rect{13, 7, 64, 19}).w);
  for (int v = -40; v < 700; ++v) {
    const int first = s(v), next = s(v + 1);
    ASSERT_LT(first, next) << v;  // every 100 % pixel is at least one device pixel
    for (int d = first; d < next; ++d) ASSERT_EQ(s.unscale(d), v) << "device " << d;
  }
}

INSTANTIATE_TEST_SUITE_P(DisplayScales, ScaleAt, ::testing::Values(100, 125, 150, 175, 200, 250, 300));
