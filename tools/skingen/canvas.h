#pragma once
// An RGB painting canvas with the few primitives the artwork needs. Every
// primitive is pixel-exact: shapes are decided per pixel centre, so edges
// land on whole pixels and the same code always paints the same pixels.
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "base/geometry.h"

namespace skingen {

using base::Color;
using base::Rect;

inline constexpr Color kKey = base::kKeyColor;

// Mixes a towards b by t (0 gives a, 1 gives b), rounding to the nearest value.
inline Color mix(Color a, Color b, double t) {
  auto ch = [t](int x, int y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
  return Color::rgb(ch(a.r(), b.r()), ch(a.g(), b.g()), ch(a.b(), b.b()));
}

class Canvas {
 public:
  Canvas(int w, int h, Color fill = kKey) : m_w(w), m_h(h), m_px(static_cast<size_t>(w) * h, fill.value) {}
  int width() const { return m_w; }
  int height() const { return m_h; }
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_w && y < m_h; }
  Color get(int x, int y) const { return inside(x, y) ? Color{m_px[static_cast<size_t>(y) * m_w + x]} : kKey; }
  void set(int x, int y, Color c) {
    if (inside(x, y)) m_px[static_cast<size_t>(y) * m_w + x] = c.value;
  }
  // Covers the pixel by `coverage` (0..1) of colour c over what is there.
  void blend(int x, int y, Color c, double coverage) {
    if (coverage <= 0) return;
    set(x, y, coverage >= 1 ? c : mix(get(x, y), c, coverage));
  }
  void fill(Rect r, Color c) {
    for (int y = r.y; y < r.bottom(); ++y)
      for (int x = r.x; x < r.right(); ++x) set(x, y, c);
  }
  void hline(int x0, int x1, int y, Color c) { fill({x0, y, x1 - x0 + 1, 1}, c); }
  void vline(int x, int y0, int y1, Color c) { fill({x, y0, 1, y1 - y0 + 1}, c); }
  // Copies a rectangle of another canvas (or this one) to (x, y).
  void copy(const Canvas& src, Rect from, int x, int y) {
    std::vector<uint32_t> tmp;
    for (int j = 0; j < from.h; ++j)
      for (int i = 0; i < from.w; ++i) tmp.push_back(src.get(from.x + i, from.y + j).value);
    for (int j = 0; j < from.h; ++j)
      for (int i = 0; i < from.w; ++i) set(x + i, y + j, Color{tmp[static_cast<size_t>(j) * from.w + i]});
  }
  const std::vector<uint32_t>& pixels() const { return m_px; }

 private:
  int m_w, m_h;
  std::vector<uint32_t> m_px;
};

// A shape decided per pixel: true where the pixel belongs to it.
using Shape = std::function<bool(int x, int y)>;

// A rounded rectangle whose corners are cut as circles of `radius` pixels.
inline Shape roundedRect(Rect r, double radius) {
  return [r, radius](int x, int y) {
    if (!r.contains({x, y})) return false;
    const double cx = x + 0.5, cy = y + 0.5;
    const double l = r.x + radius, t = r.y + radius, rr = r.right() - radius, b = r.bottom() - radius;
    const double dx = cx < l ? l - cx : cx > rr ? cx - rr : 0;
    const double dy = cy < t ? t - cy : cy > b ? cy - b : 0;
    return dx * dx + dy * dy <= radius * radius + 0.01;
  };
}

inline Shape disc(double cx, double cy, double radius) {
  return [=](int x, int y) {
    const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
    return dx * dx + dy * dy <= radius * radius;
  };
}

// Paints a shape inside `area`: pixels on its border (a 4-neighbour outside
// the shape) in `outline`, the rest by `inner(x, y)`.
inline void paintShape(Canvas& c, Rect area, const Shape& s, Color outline,
                       const std::function<Color(int, int)>& inner) {
  for (int y = area.y; y < area.bottom(); ++y)
    for (int x = area.x; x < area.right(); ++x) {
      if (!s(x, y)) continue;
      const bool edge = !s(x - 1, y) || !s(x + 1, y) || !s(x, y - 1) || !s(x, y + 1);
      c.set(x, y, edge ? outline : inner(x, y));
    }
}

// Anti-aliased coverage of a shape given as a continuous predicate, sampled
// 4 × 4 per pixel and rounded to `steps` levels so that few colours result.
inline double coverage(const std::function<bool(double, double)>& inside, int x, int y, int steps = 4) {
  int n = 0;
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) n += inside(x + (i + 0.5) / 4, y + (j + 0.5) / 4);
  return std::round(n / 16.0 * steps) / steps;
}

}  // namespace skingen
