#pragma once
// A small reader for the PNGs the program carries: 8-bit palette pictures,
// non-interlaced, with any of the five row filters. Damaged or hostile data
// gives std::nullopt, never a crash or a huge allocation.
#include <cstdint>
#include <optional>
#include <span>

#include "gui/surface.h"

namespace skin {

std::optional<gui::Surface> decodePng(std::span<const uint8_t> bytes);

}  // namespace skin
