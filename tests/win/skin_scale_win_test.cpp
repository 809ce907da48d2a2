// The Windows build decodes the skin painted at the larger scales (zlib
// linked in statically) rather than falling back to enlarging the 100 % one.
#include <gtest/gtest.h>

#include "base/scale.h"
#include "skin/atlas.h"

TEST(SkinAtScaleOnWindows, LargerAtlasesArePaintedNotEnlarged) {
  const gui::Surface atlas = skin::loadAtlas();
  for (int p : skin::kScales) {
    if (p == 100) continue;
    const base::Scale s{p};
    const gui::Surface a = skin::loadAtlas(p).devicePixels();
    ASSERT_EQ(a.width(), s(atlas.width())) << p;
    ASSERT_EQ(a.height(), s(atlas.height())) << p;
    // The fallback copies each 100 % pixel over its scaled rectangle; the
    // painted atlas differs from that along every curve and letter.
    long differing = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != atlas.pixel(s.unscale(x), s.unscale(y));
    EXPECT_GT(differing, long(a.width()) * a.height() / 100) << p;
    EXPECT_EQ(skin::loadClockFace(p).deviceWidth(), s(100)) << p;
  }
}
