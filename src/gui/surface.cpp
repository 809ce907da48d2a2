#include "gui/surface.h"

#include <algorithm>
#include <cstring>

namespace gui {

Surface::Surface(int width, int height, Color fill)
    : m_width(std::max(0, width)), m_height(std::max(0, height)),
      m_pixels(static_cast<size_t>(m_width) * m_height, fill.value) {}

void Surface::resize(int width, int height, Color fill) {
  Surface next(width, height, fill);
  next.blit(*this, bounds(), {0, 0});
  *this = std::move(next);
}

Color Surface::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return Color{};
  return Color{row(y)[x]};
}

void Surface::setPixel(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
  row(y)[x] = c.value;
}

void Surface::fill(Rect r, Color c) {
  r = r.intersect(bounds());
  for (int y = r.y; y < r.bottom(); ++y) std::fill_n(row(y) + r.x, r.w, c.value);
}

void Surface::blit(const Surface& src, Rect from, Point to) {
  // Clip the source rectangle to the source, shifting the destination with it.
  Rect s = from.intersect(src.bounds());
  Point d{to.x + (s.x - from.x), to.y + (s.y - from.y)};
  // Then clip against the destination.
  Rect dr = Rect{d.x, d.y, s.w, s.h}.intersect(bounds());
  if (dr.empty()) return;
  s.x += dr.x - d.x;
  s.y += dr.y - d.y;
  if (&src == this) {
    // Overlapping copy within one surface: go through a temporary.
    Surface tmp(dr.w, dr.h);
    tmp.blit(src, {s.x, s.y, dr.w, dr.h}, {0, 0});
    blit(tmp, tmp.bounds(), {dr.x, dr.y});
    return;
  }
  for (int y = 0; y < dr.h; ++y)
    std::memcpy(row(dr.y + y) + dr.x, src.row(s.y + y) + s.x, static_cast<size_t>(dr.w) * 4);
}

}  // namespace gui
