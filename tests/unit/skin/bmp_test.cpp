// The BMP reader on good pictures of every kind it accepts, and on damaged
// and hostile ones, which must give nothing rather than crash or allocate
// without bound.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <zlib.h>

#include "skin/bmp.h"
#include "skin/png.h"

using skin::decodeBmp;
using base::Color;
using Bytes = std::vector<uint8_t>;

namespace {

void put16(Bytes& b, uint32_t v) { b.push_back(uint8_t(v)), b.push_back(uint8_t(v >> 8)); }
void put32(Bytes& b, uint32_t v) { put16(b, v & 0xFFFF), put16(b, v >> 16); }

// A 3 × 2 picture: top row red, green, blue; bottom row white, black, grey.
const Color kTop[3] = {Color::rgb(255, 0, 0), Color::rgb(0, 255, 0), Color::rgb(0, 0, 255)};
const Color kBottom[3] = {Color::rgb(255, 255, 255), Color::rgb(0, 0, 0), Color::rgb(128, 128, 128)};

Bytes makeBmp(int bits, bool topDown, uint32_t paletteCount = 6) {
  const int w = 3, h = 2;
  const uint32_t stride = ((uint32_t(w) * bits / 8) + 3) & ~3u;
  const uint32_t palette = bits == 8 ? paletteCount * 4 : 0;
  const uint32_t offset = 14 + 40 + palette;
  Bytes b{'B', 'M'};
  put32(b, offset + stride * h), put32(b, 0), put32(b, offset);
  put32(b, 40), put32(b, w), put32(b, uint32_t(topDown ? -h : h)), put16(b, 1), put16(b, uint32_t(bits));
  put32(b, 0), put32(b, stride * h), put32(b, 2835), put32(b, 2835), put32(b, bits == 8 ? paletteCount : 0), put32(b, 0);
  std::vector<Color> colours(kTop, kTop + 3);
  colours.insert(colours.end(), kBottom, kBottom + 3);
  if (bits == 8)
    for (uint32_t i = 0; i < paletteCount; ++i) {
      const Color c = i < colours.size() ? colours[i] : Color{};
      b.push_back(c.b()), b.push_back(c.g()), b.push_back(c.r()), b.push_back(0);
    }
  for (int row = 0; row < h; ++row) {
    const bool top = topDown ? row == 0 : row == 1;
    const size_t start = b.size();
    for (int x = 0; x < w; ++x) {
      const Color c = top ? kTop[x] : kBottom[x];
      if (bits == 8) b.push_back(uint8_t(top ? x : 3 + x));
      else {
        b.push_back(c.b()), b.push_back(c.g()), b.push_back(c.r());
        if (bits == 32) b.push_back(0);
      }
    }
    while (b.size() - start < stride) b.push_back(0);
  }
  return b;
}

void expectPicture(const std::optional<gui::Surface>& s) {
  ASSERT_TRUE(s.has_value());
  ASSERT_EQ(s->width(), 3);
  ASSERT_EQ(s->height(), 2);
  for (int x = 0; x < 3; ++x) {
    EXPECT_EQ(s->pixel(x, 0), kTop[x]);
    EXPECT_EQ(s->pixel(x, 1), kBottom[x]);
  }
}

}  // namespace

TEST(Bmp, ReadsPalettisedAndTruecolourPicturesEitherWayUp) {
  for (int bits : {8, 24, 32})
    for (bool topDown : {false, true}) {
      SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << topDown);
      expectPicture(decodeBmp(makeBmp(bits, topDown)));
    }
}

TEST(Bmp, EveryTruncationIsRefusedWithoutCrashing) {
  for (int bits : {8, 24}) {
    const Bytes full = makeBmp(bits, false);
    for (size_t n = 0; n < full.size(); ++n)
      EXPECT_FALSE(decodeBmp(std::span(full.data(), n)).has_value()) << bits << " bits cut at " << n;
  }
}

TEST(Bmp, HostileHeadersAreRefused) {
  auto patched = [](size_t at, uint32_t v, int size = 4) {
    Bytes b = makeBmp(8, false);
    for (int i = 0; i < size; ++i) b[at + i] = uint8_t(v >> (8 * i));
    return decodeBmp(b);
  };
  EXPECT_FALSE(patched(0, 'X', 1).has_value());             // not "BM"
  EXPECT_FALSE(patched(18, 0).has_value());                 // width 0
  EXPECT_FALSE(patched(18, uint32_t(-3)).has_value());      // negative width
  EXPECT_FALSE(patched(18, 100000).has_value());            // absurd width, no huge allocation
  EXPECT_FALSE(patched(22, 0x80000000u).has_value());       // the one height that cannot be negated
  EXPECT_FALSE(patched(22, 70000).has_value());             // absurd height
  EXPECT_FALSE(patched(26, 2, 2).has_value());              // planes
  EXPECT_FALSE(patched(28, 4, 2).has_value());              // 4 bits per pixel: not ours
  EXPECT_FALSE(patched(30, 1).has_value());                 // run-length compressed
  EXPECT_FALSE(patched(46, 300).has_value());               // more than 256 colours
  EXPECT_FALSE(patched(46, 0x40000000u).has_value());       // a palette far past the end
  EXPECT_FALSE(patched(10, 0xFFFFFFF0u).has_value());       // pixels far past the end
  EXPECT_FALSE(patched(10, 20).has_value());                // pixels inside the header
  EXPECT_FALSE(patched(14, 0xFFFFFFFFu).has_value());       // header size past the end
  EXPECT_FALSE(patched(14, 12).has_value());                // the old core header
}

TEST(Bmp, IndicesPastAShortPaletteReadAsBlack) {
  // Only three palette entries: the bottom row's indices 3..5 have none.
  const auto s = decodeBmp(makeBmp(8, false, 3));
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->pixel(0, 0), kTop[0]);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(s->pixel(x, 1), Color{});
}

// ---- The PNG reader behind the larger scales ----------------------------

namespace {

Bytes committedPng() {
  std::ifstream in(std::string(PISARION_SOURCE_DIR) + "/assets/clockcap-200.png", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Sets the chunk's CRC right again after a change, so the damage reaches
// the decoder's own checks behind the CRC.
void fixCrc(Bytes& b, size_t chunkAt) {
  const uint32_t length = uint32_t(b[chunkAt]) << 24 | uint32_t(b[chunkAt + 1]) << 16 | uint32_t(b[chunkAt + 2]) << 8 | b[chunkAt + 3];
  const uint32_t crc = uint32_t(crc32(0, b.data() + chunkAt + 4, length + 4));
  for (int i = 0; i < 4; ++i) b[chunkAt + 8 + length + i] = uint8_t(crc >> (24 - 8 * i));
}

}  // namespace

TEST(PngReader, DamagedPicturesGiveNothing) {
  const Bytes good = committedPng();
  ASSERT_GT(good.size(), 60u);
  ASSERT_TRUE(skin::decodePng(good).has_value());
  const size_t ihdr = 8, idat = ihdr + 25 + 12 + ((size_t(good[33]) << 24 | good[34] << 16 | good[35] << 8 | good[36]));
  const std::pair<const char*, std::function<void(Bytes&)>> damage[] = {
      {"cut short", [](Bytes& b) { b.resize(b.size() / 2); }},
      {"a flipped bit", [](Bytes& b) { b[b.size() - 20] ^= 0x10; }},
      {"truecolour", [](Bytes& b) { b[ihdr + 8 + 9] = 2, fixCrc(b, ihdr); }},
      {"huge", [](Bytes& b) { b[ihdr + 8] = 0x7F, fixCrc(b, ihdr); }},
      {"wider than its pixels", [](Bytes& b) { b[ihdr + 8 + 3] += 1, fixCrc(b, ihdr); }},
      {"bad row filter", [&](Bytes& b) {
         // Replaces the picture with one row of a filter type that does not exist.
         Bytes raw(size_t(b[ihdr + 8 + 3]) + 1, 0);
         raw[0] = 9;
         Bytes z(compressBound(uLong(raw.size())));
         uLongf n = uLongf(z.size());
         compress(z.data(), &n, raw.data(), uLong(raw.size()));
         b[ihdr + 8 + 4] = 0, b[ihdr + 8 + 5] = 0, b[ihdr + 8 + 6] = 0, b[ihdr + 8 + 7] = 1, fixCrc(b, ihdr);
         Bytes chunk{uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n), 'I', 'D', 'A', 'T'};
         chunk.insert(chunk.end(), z.begin(), z.begin() + long(n));
         chunk.insert(chunk.end(), 4, 0);
         b.erase(b.begin() + long(idat), b.end() - 12);
         b.insert(b.begin() + long(idat), chunk.begin(), chunk.end());
         fixCrc(b, idat);
       }},
  };
  for (const auto& [what, spoil] : damage) {
    Bytes b = good;
    spoil(b);
    EXPECT_FALSE(skin::decodePng(b).has_value()) << what;
  }
}
