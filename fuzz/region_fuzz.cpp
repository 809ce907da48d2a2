// Any bytes given to the region file reader are either refused or give a
// region in the system's form, which writes back to a block the reader
// takes again as the same region.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "shape/region_file.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const shape::RegionFileReading reading = shape::readRegionData(std::span(data, size));
  check(reading.region.has_value() == reading.fault.empty());
  if (!reading.region) return 0;
  const gui::Region& r = *reading.region;
  check(r.rectCount() <= (size - 32) / 16);
  const auto rects = r.rects();
  check(gui::Region::fromRects(rects) == r);
  const std::vector<uint8_t> again = r.toRegionData();
  const shape::RegionFileReading second = shape::readRegionData(again);
  check(second.region && *second.region == r && second.region->toRegionData() == again);
  return 0;
}
