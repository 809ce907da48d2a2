#pragma once
// A 32-bit pixel buffer that a window or picture element keeps as its
// persistent image. Pixels are 0x00RRGGBB (byte 0 blue, 1 green, 2 red), the
// layout of a top-down 32-bit DIB section, so the Win32 layer presents it as is.
#include <cstdint>
#include <vector>

#include "base/geometry.h"

namespace gui {

using base::Color;
using base::Point;
using base::Rect;

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, Color fill = Color{});

  int width() const { return m_width; }
  int height() const { return m_height; }
  Rect bounds() const { return {0, 0, m_width, m_height}; }

  // Changes the size, keeping the pixels that still fit and filling the rest.
  void resize(int width, int height, Color fill = Color{});

  uint32_t* data() { return m_pixels.data(); }
  const uint32_t* data() const { return m_pixels.data(); }
  uint32_t* row(int y) { return m_pixels.data() + static_cast<size_t>(y) * m_width; }
  const uint32_t* row(int y) const { return m_pixels.data() + static_cast<size_t>(y) * m_width; }

  // Outside the surface, pixel() answers black and setPixel() does nothing.
  Color pixel(int x, int y) const;
  void setPixel(int x, int y, Color c);

  void fill(Rect r, Color c);
  void fill(Color c) { fill(bounds(), c); }

  // A plain source copy of src's rectangle to dst, clipped to both surfaces.
  void blit(const Surface& src, Rect from, Point to);

  friend bool operator==(const Surface&, const Surface&) = default;

 private:
  int m_width = 0;
  int m_height = 0;
  std::vector<uint32_t> m_pixels;
};

}  // namespace gui
