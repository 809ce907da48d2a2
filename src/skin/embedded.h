#pragma once
// The bytes of the artwork in assets/, compiled into the program by the build
// (see embed_assets.cmake).
#include <cstdint>
#include <span>

namespace skin::embedded {

std::span<const uint8_t> skinBmp();
std::span<const uint8_t> clockBmp();
std::span<const uint8_t> clockCapBmp();

}  // namespace skin::embedded
