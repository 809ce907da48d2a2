// The region file byte for byte against what Windows' own GetRegionData
// writes for the same region made with the system's region calls.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "platform/headless/headless_platform.h"
#include "shape/std_trans_s1.h"
#include "skin/atlas.h"
#include "store/file_io.h"

namespace {

std::string systemBlock(HRGN rgn) {
  std::string out(GetRegionData(rgn, 0, nullptr), '\0');
  GetRegionData(rgn, static_cast<DWORD>(out.size()), reinterpret_cast<RGNDATA*>(out.data()));
  DeleteObject(rgn);
  return out;
}

void combine(HRGN into, int l, int t, int r, int b, int mode) {
  HRGN piece = CreateRectRgn(l, t, r, b);
  CombineRgn(into, into, piece, mode);
  DeleteObject(piece);
}

// The picture's scaled rectangle less the union of its scaled magenta runs.
HRGN systemPictureRegion(const gui::Surface& s, int sx, int sy) {
  HRGN holes = CreateRectRgn(0, 0, 0, 0), full = CreateRectRgn(0, 0, s.width() * sx, s.height() * sy);
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) {
      const int start = x;
      while (x < s.width() && s.pixel(x, y) == base::kKeyColor) ++x;
      if (x > start) combine(holes, start * sx, y * sy, x * sx, (y + 1) * sy, RGN_OR);
    }
  CombineRgn(full, full, holes, RGN_DIFF);
  DeleteObject(holes);
  return full;
}

}  // namespace

TEST(RegionFileOnWindows, IsWhatGetRegionDataWritesForTheSameRegion) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / L"Pisarion regija.rgn";
  gui::Surface small(5, 4, base::Color::rgb(1, 2, 3));
  small.fill({1, 1, 3, 2}, base::kKeyColor);
  for (auto [picture, sx, sy] : {std::tuple{skin::loadAtlas(), 1, 1}, std::tuple{small, 2, 3}}) {
    shape::stdTRANSs1 control;
    control.setBitColor(base::kKeyColor);
    control.setScaleX(sx);
    control.setScaleY(sy);
    control.BitMap(picture);
    control.SaveRGNFile(file);
    EXPECT_EQ(store::readFile(file), systemBlock(systemPictureRegion(picture, sx, sy))) << picture.width();
  }

  // The rounded corners, cut with exclusive-or; the system's block loads back.
  headless::HeadlessPlatform platform;
  gui::Form form(platform, "frmMain");
  form.move(0, 0, 596 * 15, 567 * 15);
  shape::stdTRANSs1 Regija;
  Regija.setMyObject(form);
  Regija.DoObject2();
  const int W = 596, H = 567;
  HRGN rgn = CreateRectRgn(0, 0, W, H);
  const int cuts[][4] = {{0, 0, 5, 1},     {0, 1, 3, 2},     {0, 2, 2, 3},         {0, 3, 1, 5},
                         {W - 5, 0, W, 1}, {W - 3, 1, W, 2}, {W - 2, 2, W, 3},     {W - 1, 3, W, 5},
                         {0, H - 2, 1, H - 1}, {0, H - 1, 2, H}, {W - 1, H - 2, W, H - 1}, {W - 2, H - 1, W, H}};
  for (const auto& c : cuts) combine(rgn, c[0], c[1], c[2], c[3], RGN_XOR);
  const std::string block = systemBlock(rgn);
  EXPECT_EQ(form.region()->toRegionData(), std::vector<uint8_t>(block.begin(), block.end()));
  store::writeFilePlain(file, block);
  Regija.LoadRGNFile(file);
  EXPECT_EQ(*Regija.CurrentRGN(), *form.region());
  std::filesystem::remove(file);
}
