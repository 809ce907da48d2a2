// The region control: regions from pictures, the rounded rectangle, giving
// regions away, and the region file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "shape/error.h"
#include "shape/std_trans_s1.h"
#include "support/scratch.h"

using gui::Rect;
using gui::Region;

namespace {

const base::Color kInk = base::Color::rgb(10, 20, 30), kKey = base::kKeyColor;

Region ltrb(int l, int t, int r, int b) { return Region(Rect{l, t, r - l, b - t}); }

// The error number a call raises; 0 when it raises none.
template <class F>
int errorOf(F&& f) {
  try {
    f();
  } catch (const shape::Error& e) {
    return e.number();
  }
  return 0;
}

// A 32-bit bottom-up bitmap file of the picture.
std::string bmpFile(const gui::Surface& s) {
  std::string out;
  auto put = [&](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += char(v >> (8 * i));
  };
  const uint32_t pixels = uint32_t(s.width() * s.height() * 4);
  out += "BM";
  put(54 + pixels, 4), put(0, 4), put(54, 4);
  put(40, 4), put(s.width(), 4), put(s.height(), 4), put(1, 2), put(32, 2), put(0, 4), put(pixels, 4);
  put(0, 16);
  for (int y = s.height() - 1; y >= 0; --y)
    for (int x = 0; x < s.width(); ++x) put(s.row(y)[x], 4);
  return out;
}

std::vector<uint8_t> bgrBytes(const gui::Surface& s) {
  std::vector<uint8_t> out;
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) out.insert(out.end(), {s.pixel(x, y).b(), s.pixel(x, y).g(), s.pixel(x, y).r()});
  return out;
}

struct PictureCase {
  const char* name;
  int w, h;
  std::vector<gui::Point> keyPixels;
  int scaleX, scaleY;
  std::optional<Region> expected;  // nullopt: no region
};

class RegionFromPicture : public ::testing::TestWithParam<PictureCase> {};

}  // namespace

TEST_P(RegionFromPicture, EveryPixelSourceGivesTheSameRegion) {
  const PictureCase& c = GetParam();
  gui::Surface picture(c.w, c.h, kInk);
  for (gui::Point p : c.keyPixels) picture.setPixel(p.x, p.y, kKey);
  ScratchFolder folder;
  folder.write("picture.bmp", bmpFile(picture));
  const std::vector<uint8_t> bytes = bgrBytes(picture);

  shape::stdTRANSs1 control;
  control.setBitColor(kKey);
  control.setScaleX(c.scaleX);
  control.setScaleY(c.scaleY);
  int loaded = 0;
  control.BitMapLoaded = [&] { ++loaded; };
  auto check = [&](const char* source) {
    if (!c.expected) {
      EXPECT_EQ(control.CurrentRGN(), nullptr) << source;
    } else {
      ASSERT_NE(control.CurrentRGN(), nullptr) << source;
      EXPECT_EQ(*control.CurrentRGN(), *c.expected) << source;
    }
  };
  EXPECT_EQ(control.BitMap(picture), 0);
  check("BitMap");
  EXPECT_EQ(control.LoadDIMap(bytes, c.w, c.h), 0);
  check("LoadDIMap");
  EXPECT_EQ(control.LoadBitmap(folder.path() / "picture.bmp"), 0);
  check("LoadBitmap");
  EXPECT_EQ(loaded, 3);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegionFromPicture,
    ::testing::Values(
        PictureCase{"MiddleKeyPixel", 3, 1, {{1, 0}}, 1, 1, ltrb(0, 0, 1, 1).united(ltrb(2, 0, 3, 1))},
        PictureCase{"RunReachesTheRightEdge", 4, 2, {{2, 0}, {3, 0}}, 1, 1, ltrb(0, 0, 2, 1).united(ltrb(0, 1, 4, 2))},
        PictureCase{"NoKeyPixel", 3, 2, {}, 1, 1, std::nullopt},
        PictureCase{"Scaled", 3, 3, {{1, 1}}, 2, 3, ltrb(0, 0, 6, 9).subtracted(ltrb(2, 3, 4, 6))},
        PictureCase{"Mirrored", 2, 1, {{0, 0}}, -1, 1, ltrb(-2, 0, -1, 1)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegionControl, ScalesRoundHalvesToEvenAndRefuseWhatNoWindowCouldTake) {
  shape::stdTRANSs1 control;
  control.setScaleX(2.5);
  control.setScaleY(3.5);
  EXPECT_EQ(control.ScaleX(), 2);
  EXPECT_EQ(control.ScaleY(), 4);
  EXPECT_EQ(errorOf([&] { control.setScaleX(3e9); }), shape::err::kOverflow);
  EXPECT_EQ(control.ScaleX(), 2);
  control.setScaleX(1 << 20);
  control.setBitColor(kKey);
  gui::Surface picture(300, 1, kKey);
  EXPECT_EQ(errorOf([&] { control.BitMap(picture); }), shape::err::kOverflow);
  EXPECT_EQ(control.CurrentRGN(), nullptr);
  EXPECT_EQ(errorOf([&] { control.LoadDIMap(std::vector<uint8_t>(8), 2, 2); }), shape::err::kSubscriptOutOfRange);
}

TEST(RegionControl, RegionsAreGivenToAWindowOnceAndOnlyWhenThereIsOne) {
  headless::HeadlessPlatform platform;
  gui::Form form(platform, "frmMain");
  form.setPixelBounds({0, 0, 40, 30});
  gui::Label& label = form.add<gui::Label>("lbl");
  gui::PictureBox& box = form.add<gui::PictureBox>("pic");
  shape::stdTRANSs1 control;

  // No region: DoObject does nothing, DoToObject raises 1533.
  control.setMyObject(form);
  control.DoObject();
  EXPECT_FALSE(form.region());
  try {
    control.DoToObject(box);
    ADD_FAILURE() << "no error raised";
  } catch (const shape::Error& e) {
    EXPECT_EQ(e.number(), 1533);
    EXPECT_EQ(e.description(), "There are no BitMap Region to apply, Call 0155501234.");
  }

  control.setBitColor(kKey);
  gui::Surface picture(3, 1, kInk);
  picture.setPixel(1, 0, kKey);
  control.BitMap(picture);
  control.setMyObject(label);  // a label has no window: swallowed, the region stays the control's
  control.DoObject();
  control.DoToObject(box);
  EXPECT_EQ(box.region(), *control.CurrentRGN());
  box.setRegion(std::nullopt);
  control.DoToObject(box);
  EXPECT_FALSE(box.region()) << "a region given away is not given again";
  control.DeleteRGN();
  EXPECT_EQ(control.CurrentRGN(), nullptr);
}

TEST(RegionControl, TheMainWindowGetsItsRoundedCornersAndTheControlKeepsNone) {
  headless::HeadlessPlatform platform;
  gui::Form form(platform, "frmMain");
  form.move(0, 0, 300 * 15, 200 * 15);
  shape::stdTRANSs1 control;
  EXPECT_EQ(errorOf([&] { control.DoObject2(); }), shape::err::kObjectNotSet);
  control.setMyObject(form);
  control.DoObject2();
  EXPECT_EQ(control.CurrentRGN(), nullptr);
  ASSERT_TRUE(form.region());
  const Region& r = *form.region();
  // Top corners over five rows (5, 3, 2, 1, 1 pixels), bottom ones over two (1, 2).
  const Region cut = ltrb(0, 0, 300, 200).subtracted(r);
  EXPECT_EQ(cut, Region::fromRects(std::vector<Rect>{
                     {0, 0, 5, 1}, {0, 1, 3, 1}, {0, 2, 2, 1}, {0, 3, 1, 2}, {295, 0, 5, 1}, {297, 1, 3, 1},
                     {298, 2, 2, 1}, {299, 3, 1, 2}, {0, 198, 1, 1}, {0, 199, 2, 1}, {299, 198, 1, 1},
                     {298, 199, 2, 1}}));
  EXPECT_EQ(r.rects().front(), (Rect{5, 0, 290, 1}));
  EXPECT_EQ(r.rects().back(), (Rect{2, 199, 296, 1}));
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
  std::filesystem::permissions(file, std::filesystem::perms::owner_read);  // read-only is replaced too
  control.SaveRGNFile(file);
  EXPECT_EQ(std::filesystem::file_size(file), 32u + 16 * saved.rectCount());
  control.DeleteRGN();
  control.LoadRGNFile(file);
  ASSERT_NE(control.CurrentRGN(), nullptr);
  EXPECT_EQ(*control.CurrentRGN(), saved);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no temporary left";

  // A folder that does not exist is reported, not ignored.
  EXPECT_EQ(errorOf([&] { control.SaveRGNFile(folder.path() / "none" / "x.rgn"); }), shape::err::kPathFileAccess);

  control.DeleteRGN();
  control.SaveRGNFile(file);
  EXPECT_FALSE(std::filesystem::exists(file));

  // A missing file raises 53 and keeps the region; an empty one changes nothing.
  control.BitMap(picture);
  EXPECT_EQ(errorOf([&] { control.LoadRGNFile(file); }), shape::err::kFileNotFound);
  folder.write("shape.rgn", "");
  control.LoadRGNFile(file);
  EXPECT_EQ(*control.CurrentRGN(), saved);
}

TEST(RegionFile, APictureThatCannotBeLoadedReleasesTheOldRegionAndSaysSo) {
  ScratchFolder folder;
  folder.write("broken.bmp", "BM not a picture");
  shape::stdTRANSs1 control;
  control.setBitColor(kInk);
  control.BitMap(gui::Surface(2, 1, kInk));
  EXPECT_EQ(errorOf([&] { control.LoadBitmap(folder.path() / "broken.bmp"); }), shape::err::kInvalidPicture);
  EXPECT_EQ(control.CurrentRGN(), nullptr);
  EXPECT_EQ(errorOf([&] { control.LoadBitmap(folder.path() / "missing.bmp"); }), shape::err::kFileNotFound);
}
