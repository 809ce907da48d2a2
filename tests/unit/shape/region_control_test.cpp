// The region control: regions from pictures, the rounded rectangle, giving
// regions away, and the region file.
#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"
#include "shape/error.h"
#include "shape/std_trans_s1.h"
#include "support/scratch.h"

using gui::Rect;
using gui::Region;

namespace {

const base::Color kInk = base::Color::rgb(10, 20, 30), kKey = base::kKeyColor;

Region ltrb(int l, int t, int r, int b) { return Region(Rect{l, t, r - l, b - t}); }

template <class F>
int errorOf(F&& f) {  // the number raised; 0 when none
  try {
    f();
  } catch (const shape::Error& e) {
    return e.number();
  }
  return 0;
}

// A 32-bit top-down bitmap file of the picture.
std::string bmpFile(const gui::Surface& s) {
  std::string out = "BM";
  auto put = [&](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += char(v >> (8 * i));
  };
  for (uint32_t v : {0u, 0u, 54u, 40u, uint32_t(s.width()), uint32_t(-s.height())}) put(v, 4);
  put(1, 2), put(32, 2), put(0, 24);
  for (int i = 0; i < s.width() * s.height(); ++i) put(s.data()[i], 4);
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
  std::vector<uint8_t> bgr;
  for (gui::Point p : c.keyPixels) picture.setPixel(p.x, p.y, kKey);
  for (int i = 0; i < c.w * c.h; ++i)
    for (int shift : {0, 8, 16}) bgr.push_back(uint8_t(picture.data()[i] >> shift));
  ScratchFolder folder;
  folder.write("p.bmp", bmpFile(picture));
  shape::stdTRANSs1 control;
  control.setBitColor(kKey);
  control.setScaleX(c.scaleX);
  control.setScaleY(c.scaleY);
  int loaded = 0;
  control.BitMapLoaded = [&] { ++loaded; };
  for (int source = 0; source < 3; ++source) {
    if (source == 0) control.BitMap(picture);
    if (source == 1) control.LoadDIMap(bgr, c.w, c.h);
    if (source == 2) control.LoadBitmap(folder.path() / "p.bmp");
    const Region* got = control.CurrentRGN();
    EXPECT_EQ(got ? std::optional(*got) : std::nullopt, c.expected) << "source " << source;
  }
  EXPECT_EQ(loaded, 3);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegionFromPicture,
    ::testing::Values(
        PictureCase{"MiddleKeyPixel", 3, 1, {{1, 0}}, 1, 1, ltrb(0, 0, 1, 1).united(ltrb(2, 0, 3, 1))},
        PictureCase{"RunReachesTheRightEdge", 4, 2, {{2, 0}, {3, 0}}, 1, 1, ltrb(0, 0, 2, 1).united(ltrb(0, 1, 4, 2))},
        PictureCase{"NoKeyPixel", 3, 2, {}, 1, 1, std::nullopt},
        PictureCase{"Scaled", 3, 3, {{1, 1}}, 2, 3, ltrb(0, 0, 6, 9).subtracted(ltrb(2, 3, 4, 6))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegionControl, ScalesRoundHalvesToEven) {
  shape::stdTRANSs1 control;
  control.setScaleX(2.5);
  control.setScaleY(3.5);
  EXPECT_EQ(control.ScaleX() * 10 + control.ScaleY(), 24);
}

TEST(RegionControl, ARegionIsGivenOnceAndOnlyToAWindow) {
  headless::HeadlessPlatform platform;
  gui::Form form(platform, "frmMain");
  gui::PictureBox& box = form.add<gui::PictureBox>("pic");
  shape::stdTRANSs1 control;
  control.setMyObject(form);
  control.DoObject();  // no region: nothing
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
  EXPECT_EQ(errorOf([&] { control.DoObject2(); }), shape::err::kObjectNotSet);
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
  std::filesystem::permissions(file, std::filesystem::perms::owner_read);  // read-only is replaced too
  control.SaveRGNFile(file);
  control.LoadRGNFile(file);
  EXPECT_EQ(*control.CurrentRGN(), saved);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no temporary left";
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
  // A picture that cannot be loaded releases the old region and says so.
  folder.write("broken.bmp", "BM not a picture");
  EXPECT_EQ(errorOf([&] { control.LoadBitmap(folder.path() / "broken.bmp"); }), shape::err::kInvalidPicture);
  EXPECT_EQ(control.CurrentRGN(), nullptr);
}
