#pragma once
// A small reader for the uncompressed Windows bitmaps the program carries:
// 8-bit palettised (the atlas), 24-bit and 32-bit, bottom-up or top-down.
// Damaged or hostile data gives std::nullopt, never a crash or a huge
// allocation.
#include <cstdint>
#include <optional>
#include <span>

#include "gui/surface.h"

namespace skin {

// Largest picture accepted, in pixels per side.
inline constexpr int kMaxBmpSide = 8192;

std::optional<gui::Surface> decodeBmp(std::span<const uint8_t> bytes);

}  // namespace skin
