#pragma once
// The display scale a window is drawn at, in percent of 96 DPI (100, 150,
// 200, …). Every length the program lays out is written for 100 % and passed
// through a Scale on its way to the screen, and the skin atlases painted at
// the larger scales use the same arithmetic, so a face copied out of the 2×
// atlas fills exactly the rectangle the 2× layout gives it.
//
// Edges are scaled, not sizes: a rectangle's right edge is the scaled right
// edge, so two rectangles that meet at 100 % still meet at every scale and
// no seam or overlap of a pixel appears at 150 %.
#include <array>

#include "base/geometry.h"

namespace base {

struct Scale {
  int percent = 100;

  static constexpr int kBaseDpi = 96;
  static constexpr Scale ofDpi(int dpi) { return Scale{dpi > 0 ? (dpi * 100 + kBaseDpi / 2) / kBaseDpi : 100}; }

  constexpr bool identity() const { return percent == 100; }

  // A coordinate at this scale, rounded half up (floor division, so negative
  // coordinates round the same way as positive ones).
  constexpr int operator()(int v) const { return floorDiv(v * percent + 50, 100); }
  constexpr Point operator()(Point p) const { return Point{(*this)(p.x), (*this)(p.y)}; }
  constexpr Rect operator()(Rect r) const {
    const int l = (*this)(r.x), t = (*this)(r.y);
    return Rect{l, t, (*this)(r.x + r.w) - l, (*this)(r.y + r.h) - t};
  }

  // The 100 % coordinate whose scaled pixel span holds device coordinate v:
  // the inverse of operator() for hit tests (a click anywhere inside a scaled
  // rectangle maps into the 100 % rectangle).
  constexpr int unscale(int v) const {
    int u = floorDiv(v * 100, percent);
    while ((*this)(u + 1) <= v) ++u;
    while ((*this)(u) > v) --u;
    return u;
  }
  constexpr Point unscale(Point p) const { return Point{unscale(p.x), unscale(p.y)}; }

  friend constexpr bool operator==(const Scale&, const Scale&) = default;

 private:
  static constexpr int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
};

// The scales the skin is painted at, smallest first.
inline constexpr std::array kPaintedScales{100, 125, 150, 175, 200, 250, 300};

// The scale a window on a display of `percent` is drawn at: the nearest
// painted scale at or above it, capped at the largest. Windows' own steps
// (125, 150, 175, 200, 250, 300 %) are all painted; a display between them
// gets the next painted window rather than that art resampled down: every
// face and every cut corner stays the art as painted, and the text is drawn
// for that scale, so nothing on the window is ever blurred; the price is a
// window a little larger than the system would make it.
constexpr int paintedScaleFor(int percent) {
  for (int p : kPaintedScales)
    if (p >= percent) return p;
  return kPaintedScales.back();
}

}  // namespace base
