#pragma once
// The bytes of the artwork in assets/, compiled into the program by the build
// (see embed_assets.cmake).
#include <cstdint>
#include <span>

namespace skin::embedded {

std::span<const uint8_t> skinBmp();
std::span<const uint8_t> clockBmp();
std::span<const uint8_t> clockCapBmp();

// The same pictures painted at a larger scale, as PNG; empty for a scale
// that is not painted.
std::span<const uint8_t> skinPng(int scale);
std::span<const uint8_t> clockPng(int scale);
std::span<const uint8_t> clockCapPng(int scale);

}  // namespace skin::embedded
