// Damaged or hostile region files are refused before any region is made.
#include <gtest/gtest.h>

#include <functional>

#include "shape/region_file.h"
#include "shape/std_trans_s1.h"
#include "raised.h"
#include "support/scratch.h"

namespace {

using Block = std::vector<uint8_t>;

void put32(Block& d, size_t at, int32_t v) {
  for (int i = 0; i < 4; ++i) d[at + i] = uint8_t(uint32_t(v) >> (8 * i));
}

struct Damage {
  const char* name;
  std::function<void(Block&)> apply;
};

class DamagedRegionFile : public ::testing::TestWithParam<Damage> {};

}  // namespace

TEST_P(DamagedRegionFile, IsRefusedWithInvalidFileFormatAndNoRegionIsLeft) {
  // Bands (1,0)-(4,2) and (0,2)-(2,3), (3,2)-(6,3); bound (0,0)-(6,3).
  Block d = gui::Region::fromRects(std::vector<gui::Rect>{{1, 0, 3, 2}, {0, 2, 2, 1}, {3, 2, 3, 1}}).toRegionData();
  GetParam().apply(d);
  ScratchFolder folder;
  folder.write("x.rgn", std::string(d.begin(), d.end()));
  shape::stdTRANSs1 control;
  control.BitMap(gui::Surface(2, 2, base::Color{}));  // a region to release
  EXPECT_EQ(raised([&] { control.LoadRGNFile(folder.path() / "x.rgn"); }).substr(0, 24), "321 Invalid file format:");
  EXPECT_EQ(control.CurrentRGN(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedRegionFile,
    ::testing::Values(
        Damage{"ShorterThanTheHeader", [](Block& d) { d.resize(31); }},
        Damage{"LastRectangleCutShort", [](Block& d) { d.pop_back(); }},
        Damage{"TrailingBytes", [](Block& d) { d.push_back(0); }},
        Damage{"HeaderSize", [](Block& d) { put32(d, 0, 40); }},
        Damage{"Type", [](Block& d) { put32(d, 4, 2); }},
        Damage{"CountAboveTheLength", [](Block& d) { put32(d, 8, 4); }},
        Damage{"CountBelowTheLength", [](Block& d) { put32(d, 8, 2); }},
        Damage{"CountThatWouldOverflow", [](Block& d) { put32(d, 8, -1); }},
        Damage{"EmptyRectangle", [](Block& d) { put32(d, 32 + 8, 1); }},
        Damage{"CoordinateOutOfRange", [](Block& d) { put32(d, 32, -(1 << 30)); }},
        Damage{"OutsideTheBound", [](Block& d) { put32(d, 24, 5); }},
        Damage{"BandsOutOfOrder", [](Block& d) { std::swap_ranges(d.begin() + 32, d.begin() + 48, d.begin() + 64); }},
        Damage{"OverlappingInABand", [](Block& d) { put32(d, 64, 1); }},
        Damage{"LargerThanAnyShape", [](Block& d) { d.resize(shape::kMaxRegionFileSize + 16); }}),
    [](const auto& info) { return std::string(info.param.name); });
