#pragma once
// A minimal PNG encoder for screenshots of composites (8-bit RGB, stored
// deflate blocks, no compression library) and a decoder for exactly what it
// writes, so tests can read a screenshot back.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "gui/surface.h"

namespace gui {

std::vector<uint8_t> encodePng(const Surface& surface);
// False when the file cannot be written.
bool writePng(const Surface& surface, const std::filesystem::path& path);
// Reads an 8-bit RGB PNG whose image data uses stored deflate blocks and
// filter 0 (what encodePng writes); nullopt for anything else or damage.
std::optional<Surface> decodePng(std::span<const uint8_t> bytes);

uint32_t crc32(std::span<const uint8_t> bytes);
uint32_t adler32(std::span<const uint8_t> bytes);

}  // namespace gui
