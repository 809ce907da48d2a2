#include "skin/png.h"

#include <array>
#include <cstdlib>
#include <vector>

#include <zlib.h>

#include "skin/bmp.h"

namespace skin {
namespace {

uint32_t be32(std::span<const uint8_t> b, size_t at) {
  return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | uint32_t(b[at + 3]);
}

int paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Undoes the row filters in place; one byte per pixel, so the left
// neighbour is the previous byte.
bool unfilter(std::vector<uint8_t>& raw, size_t w, size_t h) {
  const size_t stride = w + 1;
  for (size_t y = 0; y < h; ++y) {
    uint8_t* row = raw.data() + y * stride + 1;
    const uint8_t* up = y ? raw.data() + (y - 1) * stride + 1 : nullptr;
    const uint8_t type = row[-1];
    for (size_t x = 0; x < w; ++x) {
      const int a = x ? row[x - 1] : 0, b = up ? up[x] : 0, c = x && up ? up[x - 1] : 0;
      switch (type) {
        case 0: break;
        case 1: row[x] = uint8_t(row[x] + a); break;
        case 2: row[x] = uint8_t(row[x] + b); break;
        case 3: row[x] = uint8_t(row[x] + (a + b) / 2); break;
        case 4: row[x] = uint8_t(row[x] + paeth(a, b, c)); break;
        default: return false;
      }
    }
  }
  return true;
}

}  // namespace

std::optional<gui::Surface> decodePng(std::span<const uint8_t> b) {
  static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (b.size() < 8 || !std::equal(kSignature, kSignature + 8, b.begin())) return std::nullopt;
  uint32_t width = 0, height = 0;
  std::array<uint32_t, 256> palette{};  // indices past the palette read as black
  bool header = false, sawPalette = false, ended = false;
  std::vector<uint8_t> packed;
  for (size_t at = 8; at + 12 <= b.size() && !ended;) {
    const uint32_t length = be32(b, at);
    if (length > b.size() - at - 12) return std::nullopt;
    const std::span<const uint8_t> type = b.subspan(at + 4, 4), data = b.subspan(at + 8, length);
    const uint32_t crc = be32(b, at + 8 + length);
    if (uint32_t(crc32(crc32(0, nullptr, 0), b.data() + at + 4, uInt(length + 4))) != crc) return std::nullopt;
    auto is = [&](const char* t) { return std::equal(type.begin(), type.end(), t); };
    if (is("IHDR")) {
      // 8 bits, palette, deflate, the one filter method, not interlaced.
      if (length != 13 || data[8] != 8 || data[9] != 3 || data[10] || data[11] || data[12]) return std::nullopt;
      width = be32(data, 0), height = be32(data, 4), header = true;
    } else if (is("PLTE")) {
      if (length % 3 || length > 768) return std::nullopt;
      for (uint32_t i = 0; i < length / 3; ++i)
        palette[i] = base::Color::rgb(data[3 * i], data[3 * i + 1], data[3 * i + 2]).value;
      sawPalette = true;
    } else if (is("IDAT")) {
      packed.insert(packed.end(), data.begin(), data.end());
    } else if (is("IEND")) {
      ended = true;
    }
    at += 12 + size_t(length);
  }
  if (!header || !sawPalette || !ended) return std::nullopt;
  if (width == 0 || height == 0 || width > uint32_t(kMaxBmpSide) || height > uint32_t(kMaxBmpSide)) return std::nullopt;

  const size_t expected = (size_t(width) + 1) * height;
  std::vector<uint8_t> raw(expected);
  uLongf got = uLongf(expected);
  if (uncompress(raw.data(), &got, packed.data(), uLong(packed.size())) != Z_OK || got != expected) return std::nullopt;
  if (!unfilter(raw, width, height)) return std::nullopt;

  gui::Surface out{int(width), int(height)};
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* src = raw.data() + y * (size_t(width) + 1) + 1;
    uint32_t* dst = out.row(int(y));
    for (uint32_t x = 0; x < width; ++x) dst[x] = palette[src[x]];
  }
  return out;
}

}  // namespace skin
