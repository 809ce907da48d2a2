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

TEST(Scale, FollowsTheDisplaysDpi) {
  EXPECT_TRUE(Scale::ofDpi(96).identity());
  EXPECT_EQ(Scale::ofDpi(120).percent, 125);
  EXPECT_EQ(Scale::ofDpi(144).percent, 150);
  EXPECT_EQ(Scale::ofDpi(192).percent, 200);
  EXPECT_EQ(Scale::ofDpi(0).percent, 100);  // a display that tells nothing
  EXPECT_EQ(Scale{150}(Rect{596, 0, 1, 567}), (Rect{894, 0, 2, 851}));
}
