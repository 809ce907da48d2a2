#include "shape/region_file.h"

#include <vector>

namespace shape {
namespace {

constexpr size_t kHeader = 32, kRect = 16;

int32_t get32(std::span<const uint8_t> d, size_t at) {
  return static_cast<int32_t>(uint32_t(d[at]) | (uint32_t(d[at + 1]) << 8) | (uint32_t(d[at + 2]) << 16) |
                              (uint32_t(d[at + 3]) << 24));
}

struct Ltrb {
  int32_t l, t, r, b;
};

Ltrb ltrbAt(std::span<const uint8_t> d, size_t at) {
  return {get32(d, at), get32(d, at + 4), get32(d, at + 8), get32(d, at + 12)};
}

bool inRange(int32_t v) { return v >= -gui::Region::kMaxCoordinate && v <= gui::Region::kMaxCoordinate; }

RegionFileReading refused(std::string why) { return {std::nullopt, std::move(why)}; }

}  // namespace

RegionFileReading readRegionData(std::span<const uint8_t> d) {
  if (d.size() < kHeader) return refused("shorter than the region header");
  if (d.size() > kMaxRegionFileSize) return refused("larger than any window's shape");
  if (get32(d, 0) != int32_t(kHeader)) return refused("the header size is not 32");
  if (get32(d, 4) != 1) return refused("not a list of rectangles");
  const uint32_t count = static_cast<uint32_t>(get32(d, 8));
  if (count != (d.size() - kHeader) / kRect || (d.size() - kHeader) % kRect != 0)
    return refused("the rectangle count does not match the length");
  const Ltrb bound = ltrbAt(d, 16);

  gui::Region region;
  std::vector<gui::Region::Span> band;
  int32_t bandTop = 0, bandBottom = 0;
  auto closeBand = [&] { return band.empty() || region.appendBand(bandTop, bandBottom, band); };
  for (size_t i = 0; i < count; ++i) {
    const Ltrb r = ltrbAt(d, kHeader + kRect * i);
    if (!inRange(r.l) || !inRange(r.t) || !inRange(r.r) || !inRange(r.b) || r.l >= r.r || r.t >= r.b)
      return refused("a rectangle is empty or out of range");
    if (r.l < bound.l || r.t < bound.t || r.r > bound.r || r.b > bound.b)
      return refused("a rectangle lies outside the bound");
    if (band.empty() || r.t != bandTop || r.b != bandBottom) {
      if (!closeBand()) return refused("the rectangles are out of order");
      band.clear();
      bandTop = r.t;
      bandBottom = r.b;
    }
    band.push_back({r.l, r.r});
  }
  if (!closeBand()) return refused("the rectangles are out of order");
  return {std::move(region), {}};
}

}  // namespace shape
