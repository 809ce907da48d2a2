#pragma once
// A 32-bit pixel buffer that a window or picture element keeps as its
// persistent image. Pixels are 0x00RRGGBB (byte 0 blue, 1 green, 2 red), the
// layout of a top-down 32-bit DIB section, so the Win32 layer presents it as is.
//
// A surface holds its pixels at a display scale: its size, fill, blit,
// pixel and setPixel are in 100 % pixels (the layout's), and the buffer
// (data, row, deviceWidth, deviceHeight) holds them at the scale, edges
// scaled as base::Scale does. At 100 % the two are the same. A blit between
// surfaces of one scale copies the pixels as they are, so a face copied out
// of the 2× atlas onto a 2× window stays sharp; between scales it resamples
// to the nearest pixel, which only what was not drawn for the scale needs.
#include <cstdint>
#include <vector>

#include "base/geometry.h"
#include "base/scale.h"

namespace gui {

using base::Color;
using base::Point;
using base::Rect;

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, Color fill = Color{}, base::Scale scale = {});

  int width() const { return m_width; }
  int height() const { return m_height; }
  Rect bounds() const { return {0, 0, m_width, m_height}; }
  base::Scale scale() const { return m_scale; }

  // Changes the size, keeping the pixels that still fit and filling the rest.
  void resize(int width, int height, Color fill = Color{});
  // A blank surface of the same size at another scale.
  void rescale(base::Scale scale, Color fill = Color{});

  // The buffer, in the surface's own (device) pixels.
  int deviceWidth() const { return m_deviceWidth; }
  int deviceHeight() const { return m_deviceHeight; }
  Rect deviceBounds() const { return {0, 0, m_deviceWidth, m_deviceHeight}; }
  uint32_t* data() { return m_pixels.data(); }
  const uint32_t* data() const { return m_pixels.data(); }
  uint32_t* row(int y) { return m_pixels.data() + static_cast<size_t>(y) * m_deviceWidth; }
  const uint32_t* row(int y) const { return m_pixels.data() + static_cast<size_t>(y) * m_deviceWidth; }

  // Outside the surface, pixel() answers black and setPixel() does nothing.
  // A 100 % pixel reads as the first device pixel of its span and is set
  // over all of it.
  Color pixel(int x, int y) const;
  void setPixel(int x, int y, Color c);

  void fill(Rect r, Color c);
  void fill(Color c) { fill(bounds(), c); }

  // A plain source copy of src's rectangle to dst, clipped to both surfaces.
  void blit(const Surface& src, Rect from, Point to);

  // The same in device pixels, for the compositor working through a clip of
  // the window's own pixels; src must have this surface's scale.
  void fillDevice(Rect r, Color c);
  void blitDevice(const Surface& src, Rect from, Point to);

  // The buffer as a 100 % surface of its device size, for drawing that
  // works pixel by pixel at the device's resolution (the clock's hands).
  Surface devicePixels() const;

  friend bool operator==(const Surface&, const Surface&) = default;

 private:
  int m_width = 0;
  int m_height = 0;
  base::Scale m_scale;
  int m_deviceWidth = 0;
  int m_deviceHeight = 0;
  std::vector<uint32_t> m_pixels;
};

}  // namespace gui
