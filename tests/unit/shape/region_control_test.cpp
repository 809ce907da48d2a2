// The region control: regions from pictures, the rounded rectangle, giving
// regions away, and the region file.
#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"
#include "shape/std_trans_s1.h"
#include "skin/atlas.h"
#include "raised.h"
#include "support/scratch.h"

using gui::Rect;
using gui::Region;

namespace {

const base::Color kInk = base::Color::rgb(10, 20, 30), kKey = base::kKeyColor;

Region ltrb(int l, int t, int r, int b) { return Region(Rect{l, t, r - l, b - t}); }

struct PictureCase {
  const char* name;
  int w, h;
  std::vector<gui::Point> keyPixels;
  int scaleX, scaleY;
  std::optional<Region> expected;  // nullopt: no region
};

class RegionFromPicture : public ::testing::TestWithParam<PictureCase> {};

}  // namespace

TEST_P(RegionFromPicture, PicturesAndRawPixelsGiveTheSameRegion) {
  const PictureCase& c = GetParam();
  gui::Surface picture(c.w, c.h, kInk);
  for (gui::Point p : c.keyPixels) picture.setPixel(p.x, p.y, kKey);
  std::vector<uint8_t> bgr;  // blue, green, red per pixel
  for (int i = 0; i < c.w * c.h; ++i)
    for (int shift : {0, 8, 16}) bgr.push_back(uint8_t(picture.data()[i] >> shift));
  shape::stdTRANSs1 control;
  control.setBitColor(kKey);
  control.setScaleX(c.scaleX);
  control.setScaleY(c.scaleY);
  int loaded = 0;
  control.BitMapLoaded = [&] { ++loaded; };
  for (int source = 0; source < 2; ++source) {
    source == 0 ? control.BitMap(picture) : control.LoadDIMap(bgr, c.w, c.h);
    const Region* got = control.CurrentRGN();
    EXPECT_EQ(got ? std::optional(*got) : std::nullopt, c.expected) << "source " << source;
  }
  EXPECT_EQ(loaded, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegionFromPicture,
    ::testing::Values(
        PictureCase{"MiddleKeyPixel", 3, 1, {{1, 0}}, 1, 1, ltrb(0, 0, 1, 1).united(ltrb(2, 0, 3, 1))},
        PictureCase{"RunReachesTheRightEdge", 4, 2, {{2, 0}, {3, 0}}, 1, 1, ltrb(0, 0, 2, 1).united(ltrb(0, 1, 4, 2))},
        PictureCase{"NoKeyPixel", 3, 2, {}, 1, 1, std::nullopt},
        PictureCase{"Scaled", 3, 3, {{1, 1}}, 2, 3, ltrb(0, 0, 6, 9).subtracted(ltrb(2, 3, 4, 6))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegionControl, ABitmapFileGivesThePicturesRegionAndScalesRoundHalvesToEven) {
  shape::stdTRANSs1 fromFile, fromPicture;
  for (shape::stdTRANSs1* c : {&fromFile, &fromPicture}) {
    c->setBitColor(kKey);
    c->setScaleX(2.5);
    c->setScaleY(3.5);
  }
  EXPECT_EQ(fromFile.ScaleX() * 10 + fromFile.ScaleY(), 24);
  fromFile.LoadBitmap(std::filesystem::path(PISARION_SOURCE_DIR) / "assets" / "skin.bmp");
  fromPicture.BitMap(skin::loadAtlas());
  ASSERT_NE(fromFile.CurrentRGN(), nullptr);
  EXPECT_EQ(*fromFile.CurrentRGN(), *fromPicture.CurrentRGN());
  EXPECT_EQ(fromFile.CurrentRGN()->bounds().bottom(), 391 * 4);
}

TEST(RegionControl, ARegionIsGivenOnceAndOnlyToAWindow) {
  headless::HeadlessPlatform platform;
  gui::Form form(platform, "frmMain");
  gui::PictureBox& box = form.add<gui::PictureBox>("pic");
  shape::stdTRANSs1 control;
  control.setMyObject(form);
  control.DoObject();  // no region: nothing
  EXPECT_FALSE(form.region());
  EXPECT_EQ(raised([&] { control.DoToObject(box); }), "1533 There are no BitMap Region to apply, Call 0155501234.");
  control.setBitColor(kKey);
  gui::Surface picture(3, 1, kInk);
  picture.setPixel(1, 0, kKey);
  control.BitMap(picture);
  control.setMyObject(form.add<gui::Label>("lbl"));  // no window: swallowed, the region stays
  control.DoObject();
  control.DoToObject(box);
  EXPECT_EQ(box.region(), ltrb(0, 0, 1, 1).united(ltrb(2, 0, 3, 1)));
  box.setRegion(std::nullopt);
  control.DoToObject(box);
  EXPECT_FALSE(box.region()) << "a region given away is not given again";
}

TEST(RegionControl, TheMainWindowGetsItsRoundedCornersAndTheControlKeepsNone) {
  headless::HeadlessPlatform platform;
  gui::Form form(platform, "frmMain");
  form.move(0, 0, 300 * 15, 200 * 15);
  shape::stdTRANSs1 control;
  EXPECT_EQ(raised([&] { control.DoObject2(); }), "91 Object variable or With block variable not set");
  control.setMyObject(form);
  control.DoObject2();
  EXPECT_EQ(control.CurrentRGN(), nullptr);
  // Top corners over five rows (5, 3, 2, 1, 1 pixels), bottom ones over two (1, 2).
  EXPECT_EQ(ltrb(0, 0, 300, 200).subtracted(form.region().value()),
            Region::fromRects(std::vector<Rect>{{0, 0, 5, 1}, {0, 1, 3, 1}, {0, 2, 2, 1}, {0, 3, 1, 2},
                                                {295, 0, 5, 1}, {297, 1, 3, 1}, {298, 2, 2, 1}, {299, 3, 1, 2},
                                                {0, 198, 1, 1}, {0, 199, 2, 1}, {299, 198, 1, 1}, {298, 199, 2, 1}}));
}

TEST(RegionFile, ASavedRegionLoadsBackEqualAndNoRegionLeavesNoFile) {
  ScratchFolder folder;
  const auto file = folder.path() / "shape.rgn";
  shape::stdTRANSs1 control;
  control.setBitColor(kKey);
  gui::Surface picture(5, 4, kInk);
  picture.fill({1, 1, 3, 2}, kKey);
  picture.setPixel(4, 3, kKey);
  control.BitMap(picture);
  const Region saved = *control.CurrentRGN();
  folder.write("shape.rgn", "old");
  control.SaveRGNFile(file);
  control.LoadRGNFile(file);
  EXPECT_EQ(*control.CurrentRGN(), saved);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no temporary left";
  EXPECT_EQ(raised([&] { control.SaveRGNFile(folder.path() / "none" / "x.rgn"); }), "75 Path/File access error");

  control.DeleteRGN();
  control.SaveRGNFile(file);
  EXPECT_FALSE(std::filesystem::exists(file));
  // A missing file raises 53 and keeps the region; an empty one changes nothing.
  control.BitMap(picture);
  EXPECT_EQ(raised([&] { control.LoadRGNFile(file); }), "53 File not found");
  folder.write("shape.rgn", "");
  control.LoadRGNFile(file);
  EXPECT_EQ(*control.CurrentRGN(), saved);
  // A picture that cannot be loaded releases the old region and says so.
  folder.write("broken.bmp", "BM not a picture");
  EXPECT_EQ(raised([&] { control.LoadBitmap(folder.path() / "broken.bmp"); }), "481 Invalid picture");
  EXPECT_EQ(control.CurrentRGN(), nullptr);
}
