// The region file byte for byte against what Windows' own GetRegionData
// writes for the same region built with the system's region calls, and
// region files of the system read back by the region control.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "shape/std_trans_s1.h"
#include "skin/atlas.h"
#include "store/file_io.h"

namespace fs = std::filesystem;

namespace {

const base::Color kKey = base::kKeyColor;

std::vector<uint8_t> systemBlock(HRGN rgn) {
  std::vector<uint8_t> out(GetRegionData(rgn, 0, nullptr));
  GetRegionData(rgn, static_cast<DWORD>(out.size()), reinterpret_cast<RGNDATA*>(out.data()));
  return out;
}

void combine(HRGN into, int l, int t, int r, int b, int mode) {
  HRGN piece = CreateRectRgn(l, t, r, b);
  CombineRgn(into, into, piece, mode);
  DeleteObject(piece);
}

// The picture's region made with the system: its scaled rectangle minus the
// union of its scaled key-colour runs.
HRGN systemPictureRegion(const gui::Surface& s, int sx, int sy) {
  HRGN holes = CreateRectRgn(0, 0, 0, 0);
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) {
      if (s.pixel(x, y) != kKey) continue;
      const int start = x;
      while (x + 1 < s.width() && s.pixel(x + 1, y) == kKey) ++x;
      combine(holes, start * sx, y * sy, (x + 1) * sx, (y + 1) * sy, RGN_OR);
    }
  HRGN full = CreateRectRgn(0, 0, s.width() * sx, s.height() * sy);
  CombineRgn(full, full, holes, RGN_DIFF);
  DeleteObject(holes);
  return full;
}

struct Scratch {
  fs::path path = fs::temp_directory_path() / L"Pisarion regije";
  Scratch() { fs::create_directories(path); }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

}  // namespace

TEST(RegionFileOnWindows, IsWhatGetRegionDataWritesForPictureRegions) {
  gui::Surface small(5, 4, base::Color::rgb(1, 2, 3));
  small.fill({1, 1, 3, 2}, kKey);
  small.setPixel(4, 3, kKey);
  struct Case {
    const char* name;
    gui::Surface picture;
    int sx, sy;
  };
  Scratch scratch;
  for (const Case& c : {Case{"skin atlas", skin::loadAtlas(), 1, 1}, Case{"scaled", small, 2, 3},
                        Case{"scaled to nothing", small, 0, 1}}) {
    shape::stdTRANSs1 control;
    control.setBitColor(kKey);
    control.setScaleX(c.sx);
    control.setScaleY(c.sy);
    control.BitMap(c.picture);
    const fs::path file = scratch.path / "slika.rgn";
    control.SaveRGNFile(file);
    HRGN rgn = systemPictureRegion(c.picture, c.sx, c.sy);
    const std::vector<uint8_t> block = systemBlock(rgn);
    EXPECT_EQ(store::readFile(file), std::string(block.begin(), block.end())) << c.name;
    DeleteObject(rgn);
  }
}

TEST(RegionFileOnWindows, TheRoundedCornersAreTheSystemsExclusiveOrCuts) {
  headless::HeadlessPlatform platform;
  gui::Form form(platform, "frmMain");
  form.move(0, 0, 596 * 15, 567 * 15);
  shape::stdTRANSs1 Regija;
  Regija.setMyObject(form);
  Regija.DoObject2();
  const int W = 596, H = 567;
  HRGN rgn = CreateRectRgn(0, 0, W, H);
  const int cuts[][4] = {{0, 0, 5, 1},         {0, 1, 3, 2},         {0, 2, 2, 3},         {0, 3, 1, 5},
                         {W - 5, 0, W, 1},     {W - 3, 1, W, 2},     {W - 2, 2, W, 3},     {W - 1, 3, W, 5},
                         {0, H - 2, 1, H - 1}, {0, H - 1, 2, H},     {W - 1, H - 2, W, H - 1}, {W - 2, H - 1, W, H}};
  for (const auto& c : cuts) combine(rgn, c[0], c[1], c[2], c[3], RGN_XOR);
  ASSERT_TRUE(form.region());
  EXPECT_EQ(form.region()->toRegionData(), systemBlock(rgn));

  // A file holding the system's own block loads as the same region.
  Scratch scratch;
  const std::vector<uint8_t> block = systemBlock(rgn);
  store::writeFilePlain(scratch.path / "okno.rgn", std::string(block.begin(), block.end()));
  Regija.LoadRGNFile(scratch.path / "okno.rgn");
  ASSERT_NE(Regija.CurrentRGN(), nullptr);
  EXPECT_EQ(*Regija.CurrentRGN(), *form.region());
  DeleteObject(rgn);
}
