#pragma once
// File formats the generator writes: 8-bit palettised BMP, ICO, palette PNG,
// and truecolour PNG for the contact sheet.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "canvas.h"

namespace skingen {

using Bytes = std::vector<uint8_t>;

// An 8-bit bottom-up BMP with a 256-entry palette. The palette holds the
// picture's colours in ascending RGB order (unused entries black); a picture
// with more than 256 colours is refused, never dithered.
std::optional<Bytes> encodeBmp8(const Canvas& c, std::string* error = nullptr);

// An icon file with one 32-bit image per canvas; magenta pixels become transparent.
Bytes encodeIco(const std::vector<Canvas>& images);

// An 8-bit palette PNG compressed with zlib, for the pictures painted at the
// larger scales. The palette is ordered as in encodeBmp8; more than 256
// colours are refused.
std::optional<Bytes> encodePng8(const Canvas& c, std::string* error = nullptr);

// A truecolour PNG (stored, uncompressed deflate blocks).
Bytes encodePng(const Canvas& c);

}  // namespace skingen
