// Index: checksums · encoder (stored deflate blocks) · decoder of the same
#include "gui/png.h"

#include <array>
#include <fstream>

namespace gui {

namespace {

constexpr std::array<uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kMaxStored = 65535;  // largest stored deflate block

void putBE(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t getBE(std::span<const uint8_t> d, size_t at) {
  return (uint32_t(d[at]) << 24) | (uint32_t(d[at + 1]) << 16) | (uint32_t(d[at + 2]) << 8) | d[at + 3];
}

void putChunk(std::vector<uint8_t>& out, const char* type, std::span<const uint8_t> body) {
  putBE(out, static_cast<uint32_t>(body.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), body.begin(), body.end());
  putBE(out, crc32(std::span(out).subspan(start)));
}

// Filter byte 0 and R, G, B per pixel, row by row.
std::vector<uint8_t> rawRows(const Surface& s) {
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(s.height()) * (1 + 3 * static_cast<size_t>(s.width())));
  for (int y = 0; y < s.height(); ++y) {
    raw.push_back(0);
    for (int x = 0; x < s.width(); ++x) {
      const Color c{s.row(y)[x]};
      raw.insert(raw.end(), {c.r(), c.g(), c.b()});
    }
  }
  return raw;
}

std::vector<uint8_t> zlibStored(const std::vector<uint8_t>& raw) {
  std::vector<uint8_t> z{0x78, 0x01};
  size_t at = 0;
  do {
    const size_t n = std::min(kMaxStored, raw.size() - at);
    const bool last = at + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<uint8_t>(n));
    z.push_back(static_cast<uint8_t>(n >> 8));
    z.push_back(static_cast<uint8_t>(~n));
    z.push_back(static_cast<uint8_t>(~n >> 8));
    z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
    at += n;
  } while (at < raw.size());
  putBE(z, adler32(raw));
  return z;
}

std::optional<std::vector<uint8_t>> unzlibStored(std::span<const uint8_t> z) {
  if (z.size() < 6 || z[0] != 0x78 || (z[0] * 256 + z[1]) % 31 != 0) return std::nullopt;
  std::vector<uint8_t> raw;
  size_t at = 2;
  for (bool last = false; !last;) {
    if (at + 5 > z.size()) return std::nullopt;
    const uint8_t head = z[at];
    if ((head & 0x06) != 0) return std::nullopt;  // only stored blocks
    last = head & 1;
    const size_t n = z[at + 1] | (z[at + 2] << 8);
    const size_t check = z[at + 3] | (z[at + 4] << 8);
    if ((n ^ 0xFFFF) != check || at + 5 + n > z.size()) return std::nullopt;
    raw.insert(raw.end(), z.begin() + at + 5, z.begin() + at + 5 + n);
    at += 5 + n;
  }
  if (at + 4 > z.size() || getBE(z, at) != adler32(raw)) return std::nullopt;
  return raw;
}

}  // namespace

uint32_t crc32(std::span<const uint8_t> bytes) {
  uint32_t c = 0xFFFFFFFFu;
  for (uint8_t b : bytes) {
    c ^= b;
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return c ^ 0xFFFFFFFFu;
}

uint32_t adler32(std::span<const uint8_t> bytes) {
  uint32_t a = 1, b = 0;
  for (uint8_t v : bytes) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

std::vector<uint8_t> encodePng(const Surface& surface) {
  std::vector<uint8_t> out(kSignature.begin(), kSignature.end());
  std::vector<uint8_t> header;
  putBE(header, static_cast<uint32_t>(surface.width()));
  putBE(header, static_cast<uint32_t>(surface.height()));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, filter 0, no interlace
  putChunk(out, "IHDR", header);
  putChunk(out, "IDAT", zlibStored(rawRows(surface)));
  putChunk(out, "IEND", {});
  return out;
}

bool writePng(const Surface& surface, const std::filesystem::path& path) {
  const std::vector<uint8_t> bytes = encodePng(surface);
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) return false;
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f.flush());
}

std::optional<Surface> decodePng(std::span<const uint8_t> bytes) {
  if (bytes.size() < 8 || !std::equal(kSignature.begin(), kSignature.end(), bytes.begin())) return std::nullopt;
  uint32_t width = 0, height = 0;
  bool haveHeader = false;
  std::vector<uint8_t> idat;
  for (size_t at = 8;;) {
    if (at + 12 > bytes.size()) return std::nullopt;
    const uint32_t len = getBE(bytes, at);
    if (len > bytes.size() - at - 12) return std::nullopt;
    const auto typed = bytes.subspan(at + 4, 4 + len);
    if (getBE(bytes, at + 8 + len) != crc32(typed)) return std::nullopt;
    const std::string type(typed.begin(), typed.begin() + 4);
    const auto body = typed.subspan(4);
    if (type == "IHDR") {
      if (len != 13 || body[8] != 8 || body[9] != 2 || body[12] != 0) return std::nullopt;
      width = getBE(body, 0);
      height = getBE(body, 4);
      if (width > 1 << 14 || height > 1 << 14) return std::nullopt;
      haveHeader = true;
    } else if (type == "IDAT") {
      idat.insert(idat.end(), body.begin(), body.end());
    } else if (type == "IEND") {
      break;
    }
    at += 12 + len;
  }
  if (!haveHeader) return std::nullopt;
  const auto raw = unzlibStored(idat);
  const size_t stride = 1 + 3 * static_cast<size_t>(width);
  if (!raw || raw->size() != stride * height) return std::nullopt;
  Surface s(static_cast<int>(width), static_cast<int>(height));
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* row = raw->data() + y * stride;
    if (row[0] != 0) return std::nullopt;
    for (uint32_t x = 0; x < width; ++x)
      s.setPixel(int(x), int(y), Color::rgb(row[1 + 3 * x], row[2 + 3 * x], row[3 + 3 * x]));
  }
  return s;
}

}  // namespace gui
