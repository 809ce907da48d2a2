#include "skin/bmp.h"

#include <array>

namespace skin {
namespace {

uint32_t le16(std::span<const uint8_t> b, size_t at) { return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8; }
uint32_t le32(std::span<const uint8_t> b, size_t at) { return le16(b, at) | le16(b, at + 2) << 16; }

// An 8-bit picture's colour table at `at`: `colours` entries, 0 meaning
// all 256; false when it does not fit.
bool readPalette(std::span<const uint8_t> b, size_t at, uint32_t colours, std::array<uint32_t, 256>& palette) {
  if (colours == 0) colours = 256;
  if (colours > 256 || at + size_t(colours) * 4 > b.size()) return false;
  for (uint32_t i = 0; i < colours; ++i)
    palette[i] = base::Color::rgb(b[at + 4 * i + 2], b[at + 4 * i + 1], b[at + 4 * i]).value;
  return true;
}

}  // namespace

std::optional<gui::Surface> decodeBmp(std::span<const uint8_t> b) {
  constexpr size_t kFileHeader = 14;
  if (b.size() < kFileHeader + 40 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  const uint32_t pixelOffset = le32(b, 10);
  const uint32_t infoSize = le32(b, 14);
  // BITMAPINFOHEADER and its later extensions (V4, V5) share the first 40 bytes.
  if (infoSize < 40 || infoSize > 124 || kFileHeader + infoSize > b.size()) return std::nullopt;
  const int32_t width = int32_t(le32(b, 18));
  const int32_t rawHeight = int32_t(le32(b, 22));
  const uint32_t planes = le16(b, 26), bits = le16(b, 28), compression = le32(b, 30);
  const uint32_t colours = le32(b, 46);
  if (planes != 1 || compression != 0) return std::nullopt;  // BI_RGB only
  if (bits != 8 && bits != 24 && bits != 32) return std::nullopt;
  if (rawHeight == INT32_MIN) return std::nullopt;
  const bool topDown = rawHeight < 0;
  const int32_t height = topDown ? -rawHeight : rawHeight;
  if (width <= 0 || height <= 0 || width > kMaxBmpSide || height > kMaxBmpSide) return std::nullopt;

  std::array<uint32_t, 256> palette{};
  if (bits == 8 && !readPalette(b, kFileHeader + infoSize, colours, palette)) return std::nullopt;

  const size_t stride = (size_t(width) * bits / 8 + 3) & ~size_t(3);
  const size_t need = size_t(pixelOffset) + stride * size_t(height);
  if (pixelOffset < kFileHeader + infoSize || need > b.size()) return std::nullopt;

  gui::Surface out(width, height);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* src = b.data() + pixelOffset + stride * size_t(topDown ? y : height - 1 - y);
    uint32_t* dst = out.row(y);
    for (int32_t x = 0; x < width; ++x) {
      if (bits == 8) {
        dst[x] = palette[src[x]];  // indices past the palette read as black
      } else {
        const uint8_t* p = src + size_t(x) * (bits / 8);
        dst[x] = base::Color::rgb(p[2], p[1], p[0]).value;
      }
    }
  }
  return out;
}

}  // namespace skin
