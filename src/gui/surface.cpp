#include "gui/surface.h"

#include <algorithm>
#include <cstring>

namespace gui {

Surface::Surface(int width, int height, Color fill, base::Scale scale)
    : m_width(std::max(0, width)), m_height(std::max(0, height)), m_scale(scale),
      m_deviceWidth(scale(m_width)), m_deviceHeight(scale(m_height)),
      m_pixels(static_cast<size_t>(m_deviceWidth) * m_deviceHeight, fill.value) {}

void Surface::resize(int width, int height, Color fill) {
  Surface next(width, height, fill, m_scale);
  next.blitDevice(*this, deviceBounds(), {0, 0});
  *this = std::move(next);
}

Surface Surface::devicePixels() const {
  Surface out;
  out.m_width = out.m_deviceWidth = m_deviceWidth;
  out.m_height = out.m_deviceHeight = m_deviceHeight;
  out.m_pixels = m_pixels;
  return out;
}

void Surface::rescale(base::Scale scale, Color fill) { *this = Surface(m_width, m_height, fill, scale); }

Color Surface::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return Color{};
  return Color{row(m_scale(y))[m_scale(x)]};
}

void Surface::setPixel(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
  if (m_scale.identity()) {
    row(y)[x] = c.value;
    return;
  }
  fillDevice(m_scale(Rect{x, y, 1, 1}), c);
}

void Surface::fill(Rect r, Color c) { fillDevice(m_scale(r.intersect(bounds())), c); }

void Surface::fillDevice(Rect r, Color c) {
  r = r.intersect(deviceBounds());
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
  s.w = dr.w;
  s.h = dr.h;
  if (src.m_scale == m_scale) {
    // The destination's span decides the size, so that faces laid edge to
    // edge at 100 % still meet at every scale.
    // Both spans may differ by a pixel at 150 %: the source is never read
    // beyond its own span (the atlas's neighbour piece would show), and its
    // last column or row is repeated when the destination's is wider.
    const Rect target = m_scale(dr);
    const Rect source = m_scale(s);
    const int w = std::min(target.w, source.w), h = std::min(target.h, source.h);
    if (w <= 0 || h <= 0) return;
    blitDevice(src, {source.x, source.y, w, h}, {target.x, target.y});
    if (target.w > w) blitDevice(*this, {target.x + w - 1, target.y, 1, h}, {target.x + w, target.y});
    if (target.h > h) blitDevice(*this, {target.x, target.y + h - 1, target.w, 1}, {target.x, target.y + h});
    return;
  }
  // Another scale: each device pixel of the destination takes the first
  // source pixel of the 100 % pixel it lies in, so the picture keeps its
  // 100 % pixels where the layout puts them (a hit test that unscales the
  // pointer finds the pixel it sees).
  const Surface* source = &src;
  Surface copy;
  if (&src == this) {
    copy = src;
    source = &copy;
  }
  const Rect target = m_scale(dr);
  std::vector<int> columns(static_cast<size_t>(std::max(0, target.w)));
  for (int x = 0; x < target.w; ++x)
    columns[x] = std::min(source->m_scale(m_scale.unscale(target.x + x) - dr.x + s.x), source->m_deviceWidth - 1);
  for (int y = 0; y < target.h; ++y) {
    const int sy = std::min(source->m_scale(m_scale.unscale(target.y + y) - dr.y + s.y), source->m_deviceHeight - 1);
    const uint32_t* in = source->row(sy);
    uint32_t* out = row(target.y + y);
    for (int x = 0; x < target.w; ++x) out[target.x + x] = in[columns[x]];
  }
}

void Surface::blitDevice(const Surface& src, Rect from, Point to) {
  Rect s = from.intersect(src.deviceBounds());
  Point d{to.x + (s.x - from.x), to.y + (s.y - from.y)};
  Rect dr = Rect{d.x, d.y, s.w, s.h}.intersect(deviceBounds());
  if (dr.empty()) return;
  s.x += dr.x - d.x;
  s.y += dr.y - d.y;
  if (&src == this) {
    // Overlapping copy within one surface: go through a temporary.
    std::vector<uint32_t> tmp(static_cast<size_t>(dr.w) * dr.h);
    for (int y = 0; y < dr.h; ++y)
      std::memcpy(tmp.data() + static_cast<size_t>(y) * dr.w, src.row(s.y + y) + s.x, static_cast<size_t>(dr.w) * 4);
    for (int y = 0; y < dr.h; ++y)
      std::memcpy(row(dr.y + y) + dr.x, tmp.data() + static_cast<size_t>(y) * dr.w, static_cast<size_t>(dr.w) * 4);
    return;
  }
  for (int y = 0; y < dr.h; ++y)
    std::memcpy(row(dr.y + y) + dr.x, src.row(s.y + y) + s.x, static_cast<size_t>(dr.w) * 4);
}

}  // namespace gui
