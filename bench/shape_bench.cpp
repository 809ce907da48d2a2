// Window shapes from the skin atlas (683 × 391, magenta between the faces):
// the region control's region from the picture against one plain pass over
// its pixels, and reading that region's file (every check included) against
// writing it.
#include <benchmark/benchmark.h>


#include "shape/region_file.h"
#include "shape/std_trans_s1.h"
#include "skin/atlas.h"

namespace {

const gui::Surface& atlas() {
  static const gui::Surface a = skin::loadAtlas();
  return a;
}

void BM_AtlasKeyCount(benchmark::State& state) {
  const gui::Surface& a = atlas();
  for (auto _ : state) {
    size_t keys = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) keys += (a.row(y)[x] & 0xFFFFFF) == base::kKeyColor.value;
    benchmark::DoNotOptimize(keys);
  }
}
BENCHMARK(BM_AtlasKeyCount);

void BM_AtlasRegion(benchmark::State& state) {
  shape::stdTRANSs1 control;
  control.setBitColor(base::kKeyColor);
  for (auto _ : state) {
    control.BitMap(atlas());
    benchmark::DoNotOptimize(control.CurrentRGN());
  }
  state.counters["rects"] = double(control.CurrentRGN()->rectCount());
  state.SetLabel("vs:BM_AtlasKeyCount");
}
BENCHMARK(BM_AtlasRegion);

gui::Region atlasRegion() {
  shape::stdTRANSs1 control;
  control.setBitColor(base::kKeyColor);
  control.BitMap(atlas());
  return *control.CurrentRGN();
}

void BM_RegionFileWrite(benchmark::State& state) {
  const gui::Region region = atlasRegion();
  for (auto _ : state) benchmark::DoNotOptimize(region.toRegionData());
}
BENCHMARK(BM_RegionFileWrite);

void BM_RegionFileRead(benchmark::State& state) {
  const std::vector<uint8_t> block = atlasRegion().toRegionData();
  for (auto _ : state) benchmark::DoNotOptimize(shape::readRegionData(block));
  state.counters["bytes"] = double(block.size());
  state.SetLabel("vs:BM_RegionFileWrite");
}
BENCHMARK(BM_RegionFileRead);

}  // namespace
