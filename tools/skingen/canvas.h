#pragma once
// An RGB painting canvas with the few primitives the artwork needs. Every
// primitive is pixel-exact: shapes are decided per pixel centre, so edges
// land on whole pixels and the same code always paints the same pixels.
//
// A canvas is painted at a display scale. The artwork is written once, in
// the coordinates of the 100 % picture; the canvas takes them to its own
// pixels with base::Scale, the same arithmetic the program lays its windows
// out with. Flat primitives (set, fill, lines, copies) cover the scaled
// rectangle of what they name; shapes, smooth fills and text are decided at
// the canvas's own pixels, so their outlines are the scaled curves and not
// the 100 % steps made bigger.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "base/geometry.h"
#include "base/scale.h"

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
  // A picture w × h at 100 %, painted at `scale`: its pixels are
  // scale(w) × scale(h).
  Canvas(int w, int h, Color fill = kKey, base::Scale scale = {})
      : m_scale(scale), m_w(scale(w)), m_h(scale(h)), m_px(static_cast<size_t>(m_w) * m_h, fill.value) {}
  base::Scale scale() const { return m_scale; }
  double factor() const { return m_scale.percent / 100.0; }
  // A line one pixel wide at 100 % is this many pixels wide here.
  int lineWidth() const { return std::max(1, (m_scale.percent + 50) / 100); }

  // ---- The canvas's own pixels.
  int width() const { return m_w; }
  int height() const { return m_h; }
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_w && y < m_h; }
  Color get(int x, int y) const { return inside(x, y) ? Color{m_px[static_cast<size_t>(y) * m_w + x]} : kKey; }
  void put(int x, int y, Color c) {
    if (inside(x, y)) m_px[static_cast<size_t>(y) * m_w + x] = c.value;
  }
  // Covers the pixel by `coverage` (0..1) of colour c over what is there.
  void blend(int x, int y, Color c, double coverage) {
    if (coverage <= 0) return;
    put(x, y, coverage >= 1 ? c : mix(get(x, y), c, coverage));
  }
  void fillPixels(Rect r, Color c) {
    for (int y = r.y; y < r.bottom(); ++y)
      for (int x = r.x; x < r.right(); ++x) put(x, y, c);
  }
  // Copies pixels of another canvas (or this one) to (x, y).
  void copyPixels(const Canvas& src, Rect from, int x, int y) {
    std::vector<uint32_t> tmp;
    for (int j = 0; j < from.h; ++j)
      for (int i = 0; i < from.w; ++i) tmp.push_back(src.get(from.x + i, from.y + j).value);
    for (int j = 0; j < from.h; ++j)
      for (int i = 0; i < from.w; ++i) put(x + i, y + j, Color{tmp[static_cast<size_t>(j) * from.w + i]});
  }
  const std::vector<uint32_t>& pixels() const { return m_px; }
  std::vector<uint32_t>& pixels() { return m_px; }

  // ---- 100 % coordinates, covering their scaled rectangles.
  void set(int x, int y, Color c) { fill({x, y, 1, 1}, c); }
  void fill(Rect r, Color c) { fillPixels(m_scale(r), c); }
  void hline(int x0, int x1, int y, Color c) { fill({x0, y, x1 - x0 + 1, 1}, c); }
  void vline(int x, int y0, int y1, Color c) { fill({x, y0, 1, y1 - y0 + 1}, c); }
  // Copies a rectangle of a canvas painted at the same scale to (x, y).
  void copy(const Canvas& src, Rect from, int x, int y) {
    copyPixels(src, m_scale(from), m_scale(x), m_scale(y));
  }
  // The 100 % coordinate a pixel of this canvas belongs to.
  int unscale(int v) const { return m_scale.unscale(v); }
  // A pixel's centre in 100 % coordinates, less half a pixel: at 100 % the
  // pixel's own integer coordinate, at larger scales a fraction between.
  double centre(int v) const { return m_scale.identity() ? v : (v + 0.5) / factor() - 0.5; }

 private:
  base::Scale m_scale;
  int m_w, m_h;
  std::vector<uint32_t> m_px;
};

// A shape decided per pixel of the canvas: true where the pixel belongs to it.
using Shape = std::function<bool(int x, int y)>;

// A rounded rectangle whose corners are cut as circles of `radius` pixels
// (both at 100 %), at the canvas's scale.
inline Shape roundedRect(Rect r100, double radius100, base::Scale s = {}) {
  const Rect r = s(r100);
  const double radius = radius100 * s.percent / 100.0;
  return [r, radius](int x, int y) {
    if (!r.contains({x, y})) return false;
    const double cx = x + 0.5, cy = y + 0.5;
    const double l = r.x + radius, t = r.y + radius, rr = r.right() - radius, b = r.bottom() - radius;
    const double dx = cx < l ? l - cx : cx > rr ? cx - rr : 0;
    const double dy = cy < t ? t - cy : cy > b ? cy - b : 0;
    return dx * dx + dy * dy <= radius * radius + 0.01;
  };
}

inline Shape disc(double cx100, double cy100, double radius100, base::Scale s = {}) {
  const double f = s.percent / 100.0, cx = cx100 * f, cy = cy100 * f, radius = radius100 * f;
  return [=](int x, int y) {
    const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
    return dx * dx + dy * dy <= radius * radius;
  };
}

// The device rectangle a round face's disc is painted in. Where w × scale
// is fractional, a face of w pixels covers one of two spans on a window, by
// where it lies (13 pixels at 150 %: 19 or 20), and the program repeats or
// drops the last column (row) of the atlas's span to fit. The disc is kept a
// pixel inside the narrower span, so what is repeated or dropped is always
// the key colour around it, never its outline. At whole scales it is the
// face's own span.
inline Rect discSpan(Rect face100, base::Scale s) {
  const auto fit = [&](int n) {
    const int narrower = n * s.percent / 100;
    return narrower * 100 == n * s.percent ? narrower : narrower - 1;
  };
  const Rect f = s(face100);
  return {f.x, f.y, fit(face100.w), fit(face100.h)};
}

// The round shape of a square face: inscribed in its disc's span (above),
// which at some scales is a pixel wider than high or the other way.
inline Shape discIn(Rect face100, base::Scale s = {}) {
  const Rect f = discSpan(face100, s);
  const double cx = f.x + f.w / 2.0, cy = f.y + f.h / 2.0, rx = f.w / 2.0, ry = f.h / 2.0;
  return [=](int x, int y) {
    const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
  };
}

// Paints a shape inside `area` (100 % coordinates): pixels on its border (a
// pixel within a line's width of the outside, across or along) in `outline`,
// the rest by `inner(x, y)`, which is asked in 100 % coordinates.
inline void paintShape(Canvas& c, Rect area, const Shape& s, Color outline,
                       const std::function<Color(int, int)>& inner) {
  const Rect a = c.scale()(area);
  const int w = c.lineWidth();
  for (int y = a.y; y < a.bottom(); ++y)
    for (int x = a.x; x < a.right(); ++x) {
      if (!s(x, y)) continue;
      bool edge = false;
      for (int d = 1; d <= w && !edge; ++d) edge = !s(x - d, y) || !s(x + d, y) || !s(x, y - d) || !s(x, y + d);
      c.put(x, y, edge ? outline : inner(c.unscale(x), c.unscale(y)));
    }
}

// Paints in `colour` every pixel of `area` (100 % coordinates) for which
// inside(x, y) holds, asked at the pixel's centre as Canvas::centre gives it:
// at 100 % exactly the integer pixel, so small pixel drawings written as
// conditions on integers stay as drawn and at larger scales come out as the
// shapes those conditions describe.
inline void paintPixels(Canvas& c, Rect area, const std::function<bool(double, double)>& inside, Color colour) {
  const Rect a = c.scale()(area);
  for (int y = a.y; y < a.bottom(); ++y)
    for (int x = a.x; x < a.right(); ++x)
      if (inside(c.centre(x), c.centre(y))) c.put(x, y, colour);
}

// Anti-aliased coverage of a canvas pixel by a shape given as a continuous
// predicate in 100 % coordinates, sampled 4 × 4 per pixel and rounded to
// `steps` levels so that few colours result.
inline double coverage(const Canvas& c, const std::function<bool(double, double)>& inside, int x, int y,
                       int steps = 4) {
  const bool identity = c.scale().identity();
  const double f = c.factor();
  int n = 0;
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) {
      const double sx = x + (i + 0.5) / 4, sy = y + (j + 0.5) / 4;
      n += identity ? inside(sx, sy) : inside(sx / f, sy / f);
    }
  return std::round(n / 16.0 * steps) / steps;
}

}  // namespace skingen
