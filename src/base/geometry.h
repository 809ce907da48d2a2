#pragma once
// Small value types shared by every layer: rectangles, points and colours.
#include <algorithm>
#include <cstdint>

namespace base {

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  int right() const { return x + w; }
  int bottom() const { return y + h; }
  bool empty() const { return w <= 0 || h <= 0; }
  bool contains(Point p) const { return p.x >= x && p.x < right() && p.y >= y && p.y < bottom(); }
  Rect intersect(const Rect& o) const {
    const int l = std::max(x, o.x), t = std::max(y, o.y);
    const int r = std::min(right(), o.right()), b = std::min(bottom(), o.bottom());
    return r > l && b > t ? Rect{l, t, r - l, b - t} : Rect{};
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// An RGB colour. Stored as 0x00RRGGBB, the layout of a 32-bit DIB pixel.
struct Color {
  uint32_t value = 0;
  static constexpr Color rgb(uint8_t r, uint8_t g, uint8_t b) {
    return Color{(uint32_t(r) << 16) | (uint32_t(g) << 8) | b};
  }
  constexpr uint8_t r() const { return uint8_t(value >> 16); }
  constexpr uint8_t g() const { return uint8_t(value >> 8); }
  constexpr uint8_t b() const { return uint8_t(value); }
  // Windows' COLORREF order, 0x00BBGGRR.
  constexpr uint32_t colorref() const { return uint32_t(r()) | (uint32_t(g()) << 8) | (uint32_t(b()) << 16); }
  static constexpr Color fromColorref(uint32_t c) { return rgb(uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)); }
  friend bool operator==(const Color&, const Color&) = default;
};

inline constexpr Color kKeyColor = Color::rgb(255, 0, 255);

}  // namespace base
