#pragma once
// The region file: the Windows region data block exactly as GetRegionData
// writes it, with nothing of the program's own (gui::Region::toRegionData
// writes it). Little-endian 32-bit fields:
//
//   0 header size 32 · 4 type 1 (rectangles) · 8 rectangle count N ·
//   12 rectangle data size (as the system reports it; not relied on) ·
//   16 bound left, top, right, bottom · 32 N rectangles (left, top, right,
//   bottom; right and bottom exclusive), in bands from top to bottom and
//   left to right within a band. The length is exactly 32 + 16 × N.
//
// A file is read only when it is such a block in every respect; anything else
// (cut short, grown, a foreign header, rectangles empty, out of range,
// outside the bound or out of order, too large to be a window's shape) is
// refused with the reason, so no damaged block is ever made into a region.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "gui/region.h"

namespace shape {

// A million rectangles: far beyond any window's shape.
inline constexpr size_t kMaxRegionFileSize = 32 + 16 * (size_t{1} << 20);

struct RegionFileReading {
  std::optional<gui::Region> region;  // empty when refused
  std::string fault;                  // why it was refused
};

RegionFileReading readRegionData(std::span<const uint8_t> bytes);

}  // namespace shape
