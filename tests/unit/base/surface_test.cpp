#include <gtest/gtest.h>

#include "gui/surface.h"

using namespace gui;

namespace {
const Color kRed = Color::rgb(255, 0, 0), kBlue = Color::rgb(0, 0, 255), kWhite = Color::rgb(255, 255, 255);
}

TEST(Surface, BlitCopiesExactlyTheRectangleAndClipsAtEveryEdge) {
  Surface src(4, 4, kRed);
  src.setPixel(0, 0, kBlue);
  Surface dst(10, 10, kWhite);
  dst.blit(src, {0, 0, 4, 4}, {8, -2});  // hangs over the right and top edges
  EXPECT_EQ(dst.pixel(8, 0), kRed);
  EXPECT_EQ(dst.pixel(9, 1), kRed);
  EXPECT_EQ(dst.pixel(9, 2), kWhite);
  EXPECT_EQ(dst.pixel(7, 0), kWhite);
  dst.blit(src, {-1, -1, 3, 3}, {0, 0});  // the source rectangle starts outside the source
  EXPECT_EQ(dst.pixel(0, 0), kWhite);
  EXPECT_EQ(dst.pixel(1, 1), kBlue);
  EXPECT_EQ(dst.pixel(2, 2), kRed);
}

TEST(Surface, OverlappingCopyWithinOneSurfaceIsExact) {
  Surface s(5, 1);
  for (int x = 0; x < 5; ++x) s.setPixel(x, 0, Color{uint32_t(x)});
  s.blit(s, {0, 0, 4, 1}, {1, 0});
  for (int x = 1; x < 5; ++x) EXPECT_EQ(s.pixel(x, 0).value, uint32_t(x - 1));
}

TEST(Surface, ResizeKeepsWhatStillFits) {
  Surface s(2, 2, kRed);
  s.resize(3, 1, kBlue);
  EXPECT_EQ(s.pixel(1, 0), kRed);
  EXPECT_EQ(s.pixel(2, 0), kBlue);
  EXPECT_EQ(s.height(), 1);
  EXPECT_EQ(s.pixel(5, 5), Color{});  // outside reads black, writes nothing
}
