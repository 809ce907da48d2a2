#include "writers.h"

#include <algorithm>
#include <map>
#include <set>

#include <zlib.h>

namespace skingen {
namespace {

void put16(Bytes& b, uint32_t v) {
  b.push_back(uint8_t(v)), b.push_back(uint8_t(v >> 8));
}
void put32(Bytes& b, uint32_t v) { put16(b, v & 0xFFFF), put16(b, v >> 16); }
void putBe32(Bytes& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(uint8_t(v >> s));
}

void putInfoHeader(Bytes& b, int w, int h, int bits, uint32_t imageSize, uint32_t colours) {
  put32(b, 40), put32(b, uint32_t(w)), put32(b, uint32_t(h)), put16(b, 1), put16(b, uint32_t(bits));
  put32(b, 0), put32(b, imageSize), put32(b, 2835), put32(b, 2835), put32(b, colours), put32(b, colours);
}

uint32_t crc32(const uint8_t* p, size_t n, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < n; ++i) {
    crc ^= p[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void chunk(Bytes& out, const char* type, const Bytes& data) {
  putBe32(out, uint32_t(data.size()));
  Bytes body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  putBe32(out, crc32(body.data(), body.size()));
}

// Each colour of the picture and its palette index, in the colours' order;
// nullopt (with the reason) when there are more than 256.
std::optional<std::map<uint32_t, uint8_t>> paletteIndex(const Canvas& c, std::string* error) {
  const std::set<uint32_t> colours(c.pixels().begin(), c.pixels().end());
  if (colours.size() > 256) {
    if (error) *error = "the picture has " + std::to_string(colours.size()) + " colours, more than 256";
    return std::nullopt;
  }
  std::map<uint32_t, uint8_t> index;
  for (uint32_t col : colours) index.emplace(col, uint8_t(index.size()));
  return index;
}

}  // namespace

std::optional<Bytes> encodeBmp8(const Canvas& c, std::string* error) {
  const auto found = paletteIndex(c, error);
  if (!found) return std::nullopt;
  const std::map<uint32_t, uint8_t>& index = *found;

  const int w = c.width(), h = c.height();
  const uint32_t stride = (uint32_t(w) + 3) & ~3u;
  const uint32_t offset = 14 + 40 + 256 * 4;
  Bytes b;
  b.push_back('B'), b.push_back('M');
  put32(b, offset + stride * uint32_t(h)), put32(b, 0), put32(b, offset);
  putInfoHeader(b, w, h, 8, stride * uint32_t(h), 256);
  std::vector<uint32_t> palette;
  for (const auto& entry : index) palette.push_back(entry.first);
  palette.resize(256, 0);
  for (uint32_t col : palette) b.push_back(uint8_t(col)), b.push_back(uint8_t(col >> 8)), b.push_back(uint8_t(col >> 16)), b.push_back(0);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) b.push_back(index.at(c.get(x, y).value));
    for (uint32_t p = uint32_t(w); p < stride; ++p) b.push_back(0);
  }
  return b;
}

Bytes encodeIco(const std::vector<Canvas>& images) {
  std::vector<Bytes> bodies;
  for (const Canvas& c : images) {
    const int w = c.width(), h = c.height();
    const uint32_t maskStride = ((uint32_t(w) + 31) / 32) * 4;
    Bytes b;
    putInfoHeader(b, w, 2 * h, 32, uint32_t(w * h * 4) + maskStride * uint32_t(h), 0);
    for (int y = h - 1; y >= 0; --y)
      for (int x = 0; x < w; ++x) {
        const Color col = c.get(x, y);
        const bool clear = col == kKey;
        b.push_back(clear ? 0 : col.b()), b.push_back(clear ? 0 : col.g()), b.push_back(clear ? 0 : col.r());
        b.push_back(clear ? 0 : 255);
      }
    for (int y = h - 1; y >= 0; --y) {
      Bytes row(maskStride, 0);
      for (int x = 0; x < w; ++x)
        if (c.get(x, y) == kKey) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
      b.insert(b.end(), row.begin(), row.end());
    }
    bodies.push_back(std::move(b));
  }
  Bytes out;
  put16(out, 0), put16(out, 1), put16(out, uint32_t(images.size()));
  uint32_t offset = 6 + 16 * uint32_t(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out.push_back(uint8_t(images[i].width())), out.push_back(uint8_t(images[i].height()));
    out.push_back(0), out.push_back(0);
    put16(out, 1), put16(out, 32), put32(out, uint32_t(bodies[i].size())), put32(out, offset);
    offset += uint32_t(bodies[i].size());
  }
  for (const Bytes& b : bodies) out.insert(out.end(), b.begin(), b.end());
  return out;
}

Bytes encodePng(const Canvas& c) {
  const int w = c.width(), h = c.height();
  Bytes raw;
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);  // filter: none
    for (int x = 0; x < w; ++x) {
      const Color col = c.get(x, y);
      raw.push_back(col.r()), raw.push_back(col.g()), raw.push_back(col.b());
    }
  }
  Bytes z{0x78, 0x01};
  for (size_t at = 0; at < raw.size() || at == 0;) {
    const size_t n = std::min<size_t>(65535, raw.size() - at);
    z.push_back(at + n >= raw.size() ? 1 : 0);
    put16(z, uint32_t(n)), put16(z, uint32_t(~n & 0xFFFF));
    z.insert(z.end(), raw.begin() + long(at), raw.begin() + long(at + n));
    at += n;
    if (n == 0) break;
  }
  uint32_t a = 1, b = 0;
  for (uint8_t v : raw) a = (a + v) % 65521, b = (b + a) % 65521;
  putBe32(z, (b << 16) | a);

  Bytes out{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  Bytes ihdr;
  putBe32(ihdr, uint32_t(w)), putBe32(ihdr, uint32_t(h));
  ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
  chunk(out, "IHDR", ihdr);
  chunk(out, "IDAT", z);
  chunk(out, "IEND", {});
  return out;
}

std::optional<Bytes> encodePng8(const Canvas& c, std::string* error) {
  const auto found = paletteIndex(c, error);
  if (!found) return std::nullopt;
  const std::map<uint32_t, uint8_t>& index = *found;

  // Each row: filter type 0 (none; the flat artwork packs best unfiltered),
  // then one palette index per pixel.
  const int w = c.width(), h = c.height();
  Bytes raw;
  raw.reserve(size_t(w + 1) * size_t(h));
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);
    for (int x = 0; x < w; ++x) raw.push_back(index.at(c.get(x, y).value));
  }
  uLongf packedSize = compressBound(uLong(raw.size()));
  Bytes packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), Z_BEST_COMPRESSION) != Z_OK) {
    if (error) *error = "zlib could not compress the picture";
    return std::nullopt;
  }
  packed.resize(packedSize);

  Bytes out{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  Bytes ihdr;
  putBe32(ihdr, uint32_t(w)), putBe32(ihdr, uint32_t(h));
  ihdr.insert(ihdr.end(), {8, 3, 0, 0, 0});  // 8 bits, palette, deflate, no interlace
  chunk(out, "IHDR", ihdr);
  Bytes plte;
  for (const auto& entry : index) {
    const Color k{entry.first};
    plte.insert(plte.end(), {k.r(), k.g(), k.b()});
  }
  chunk(out, "PLTE", plte);
  chunk(out, "IDAT", packed);
  chunk(out, "IEND", {});
  return out;
}

}  // namespace skingen
