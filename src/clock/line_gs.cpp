#include "clock/line_gs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace miniclock {

namespace {

// Samples per quarter of a curve: 0.17π / r radians keeps neighbouring
// samples about half a pixel apart on the curve, 0.34π / r about a pixel.
constexpr float kFineStep = 0.5340707f;
constexpr float kCoarseStep = 1.0681413f;
constexpr float kQuarter = 1.570796f;
constexpr float kDegreesToRadians = 0.017453289f;

float angularStep(int32_t RadiusX, int32_t RadiusY, int32_t Thickness) {
  const float k = Thickness == 1 ? kFineStep : kCoarseStep;
  const int64_t r = std::max(RadiusX, RadiusY);
  if (r == 0) return k;
  return k / static_cast<float>(std::llabs(r));
}

// A sample on a whole coordinate would put the splat's rounding on an exact
// half, where the pixel it lands on is a matter of ties; a thousandth of a
// pixel keeps it off.
float nudge(float v) { return v == std::floor(v) ? v + 0.001f : v; }

int32_t toCoverage(float v) {
  // Round half to even (the default rounding mode), then keep to a byte.
  const float r = std::nearbyint(v);
  if (!(r > 0.0f)) return 0;
  return r >= 255.0f ? 255 : static_cast<int32_t>(r);
}

// Whether an ellipse around (X1, Y1) stays clear of a w × h canvas: the curve
// lies between the circles of the smaller and the larger radius, so a canvas
// wholly outside the larger or wholly inside the smaller one gets no sample.
// The margin covers the splat's reach and single precision's error far out.
bool ringMisses(int32_t w, int32_t h, int32_t X1, int32_t Y1, int32_t RadiusX, int32_t RadiusY) {
  if (w <= 0 || h <= 0) return true;
  const double cx = X1, cy = Y1;
  const double rx = std::fabs(double(RadiusX)), ry = std::fabs(double(RadiusY));
  const double rmin = std::min(rx, ry), rmax = std::max(rx, ry);
  const double margin = 4.0 + 1e-6 * (rmax + std::fabs(cx) + std::fabs(cy));
  const double nearest = std::hypot(std::clamp(cx, 0.0, double(w)) - cx, std::clamp(cy, 0.0, double(h)) - cy);
  const double farthest = std::hypot(std::max(cx, w - cx), std::max(cy, h - cy));
  return nearest > rmax + margin || farthest < rmin - margin;
}

}  // namespace

// ---------------------------------------------------------------------------
// The pixel array

void LineGS::DIB(gui::Surface& hdc, gui::Surface& Handle, int32_t W1, int32_t H1) {
  m_target = &hdc;
  m_bitmap = &Handle;
  // A copy of pixels that do not exist would be garbage, and writing it back
  // would reach past the bitmap: keep to what the bitmap has.
  m_width = std::clamp(W1, 0, Handle.width());
  m_height = std::clamp(H1, 0, Handle.height());
  m_array.assign(static_cast<size_t>(m_width) * m_height, 0);
  for (int32_t y = 0; y < m_height; ++y) std::copy_n(Handle.row(y), m_width, m_array.data() + size_t(y) * m_width);
  m_loaded = true;
}

void LineGS::Array2Pic() {
  if (!m_loaded || m_bitmap == nullptr) return;
  // The bitmap may have been resized since DIB(); write back what still fits.
  const int32_t w = std::min(m_width, m_bitmap->width());
  const int32_t h = std::min(m_height, m_bitmap->height());
  for (int32_t y = 0; y < h; ++y) std::copy_n(m_array.data() + size_t(y) * m_width, w, m_bitmap->row(y));
  m_loaded = false;
}

uint32_t LineGS::arrayPixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  return m_array[size_t(y) * m_width + x];
}

LineGS::Canvas LineGS::surfaceCanvas(gui::Surface& s) { return {s.data(), s.width(), s.height(), 0}; }

LineGS::Canvas LineGS::arrayCanvas() { return {m_array.data(), m_width, m_height, 0xFF000000u}; }

// ---------------------------------------------------------------------------
// Colour

void LineGS::SetRGBComponents(base::Color Color) {
  m_colour = Color.colorref();
  m_red = static_cast<int32_t>(m_colour & 255);
  m_green = static_cast<int32_t>((m_colour / 256) & 255);
  m_blue = static_cast<int32_t>(m_colour / 65536);
}

base::Color LineGS::translateColor(uint32_t oleColor) {
  if ((oleColor >> 24) == 0) return base::Color::fromColorref(oleColor);
  if ((oleColor >> 24) != 0x80) return {};
  // The classic Windows scheme, by system colour index; index 25 has no
  // colour and, like an unknown index, does not translate.
  static constexpr base::Color kSystem[] = {
      base::Color::rgb(212, 208, 200),  //  0 scroll bar
      base::Color::rgb(58, 110, 165),   //  1 desktop
      base::Color::rgb(10, 36, 106),    //  2 active caption
      base::Color::rgb(128, 128, 128),  //  3 inactive caption
      base::Color::rgb(212, 208, 200),  //  4 menu
      base::Color::rgb(255, 255, 255),  //  5 window
      base::Color::rgb(0, 0, 0),        //  6 window frame
      base::Color::rgb(0, 0, 0),        //  7 menu text
      base::Color::rgb(0, 0, 0),        //  8 window text
      base::Color::rgb(255, 255, 255),  //  9 caption text
      base::Color::rgb(212, 208, 200),  // 10 active border
      base::Color::rgb(212, 208, 200),  // 11 inactive border
      base::Color::rgb(128, 128, 128),  // 12 application workspace
      base::Color::rgb(10, 36, 106),    // 13 highlight
      base::Color::rgb(255, 255, 255),  // 14 highlight text
      base::Color::rgb(212, 208, 200),  // 15 button face
      base::Color::rgb(128, 128, 128),  // 16 button shadow
      base::Color::rgb(128, 128, 128),  // 17 grey text
      base::Color::rgb(0, 0, 0),        // 18 button text
      base::Color::rgb(212, 208, 200),  // 19 inactive caption text
      base::Color::rgb(255, 255, 255),  // 20 button highlight
      base::Color::rgb(64, 64, 64),     // 21 3-D dark shadow
      base::Color::rgb(212, 208, 200),  // 22 3-D light
      base::Color::rgb(0, 0, 0),        // 23 tooltip text
      base::Color::rgb(255, 255, 225),  // 24 tooltip background
      base::Color::rgb(0, 0, 0),        // 25 (none)
      base::Color::rgb(0, 0, 128),      // 26 hot-tracked item
      base::Color::rgb(166, 202, 240),  // 27 active caption gradient
      base::Color::rgb(192, 192, 192),  // 28 inactive caption gradient
      base::Color::rgb(10, 36, 106),    // 29 menu highlight
      base::Color::rgb(212, 208, 200),  // 30 menu bar
  };
  const uint32_t index = oleColor & 0xFFFFFF;
  return index < std::size(kSystem) ? kSystem[index] : base::Color{};
}

// ---------------------------------------------------------------------------
// Blend-plot and splat

void LineGS::blendPlot(const Canvas& c, int32_t x, int32_t y, int32_t a) const {
  if (x < 0 || y < 0 || x >= c.width || y >= c.height) return;
  uint32_t& p = c.pixels[size_t(y) * c.width + x];
  const uint32_t kept = p & c.keep;
  if (a > 252) {
    p = kept | (uint32_t(m_red) << 16) | (uint32_t(m_green) << 8) | uint32_t(m_blue);
    return;
  }
  const int32_t r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
  const int32_t nr = (m_red * a + r * (255 - a)) / 256;
  const int32_t ng = (m_green * a + g * (255 - a)) / 256;
  const int32_t nb = (m_blue * a + b * (255 - a)) / 256;
  p = kept | (uint32_t(nr) << 16) | (uint32_t(ng) << 8) | uint32_t(nb);
}

void LineGS::splat(const Canvas& c, float px, float py) const {
  const float fx = px - 0.5f, fy = py - 0.5f, fy1 = fy + 1.0f;
  // Samples that cannot touch the canvas (and NaN or endless ones) are
  // dropped before they are turned into integers.
  if (!(fx > -3.0f && fy > -3.0f && fx < float(c.width) + 2.0f && fy < float(c.height) + 2.0f)) return;
  const int32_t ix = static_cast<int32_t>(std::nearbyint(fx));
  const int32_t iy = static_cast<int32_t>(std::nearbyint(fy));
  const int32_t iy1 = static_cast<int32_t>(std::nearbyint(fy1));
  const float cx = float(ix) + 0.5f;
  const float wl = 255.0f * (cx - fx);
  const float wr = 255.0f - wl;
  const float wt = (float(iy) + 0.5f) - fy;
  const float wb = fy1 - float(iy1) + 0.5f;
  blendPlot(c, ix, iy, toCoverage(wl * wt));
  blendPlot(c, ix + 1, iy, toCoverage(wr * wt));
  blendPlot(c, ix, iy1, toCoverage(wl * wb));
  blendPlot(c, ix + 1, iy1, toCoverage(wr * wb));
}

// ---------------------------------------------------------------------------
// Lines

void LineGS::LineGP(gui::Surface& hdc, int16_t X1, int16_t Y1, int16_t X2, int16_t Y2, base::Color Color) {
  if (X1 == X2 && Y1 == Y2) return;
  m_target = &hdc;
  line(surfaceCanvas(hdc), X1, Y1, X2, Y2, Color);
}

void LineGS::LineDIB(int16_t X1, int16_t Y1, int16_t X2, int16_t Y2, base::Color Color) {
  line(arrayCanvas(), X1, Y1, X2, Y2, Color);
}

void LineGS::line(const Canvas& c, int16_t X1, int16_t Y1, int16_t X2, int16_t Y2, base::Color Color) {
  // 32-bit throughout: the caps reach one pixel beyond the 16-bit ends.
  const int32_t x1 = X1, y1 = Y1, x2 = X2, y2 = Y2;
  const int32_t dx = x2 - x1, dy = y2 - y1;
  const int32_t sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  const int32_t ax = std::abs(dx), ay = std::abs(dy);
  if (ax + ay == 0) return;
  SetRGBComponents(Color);

  // The walk steps along the major axis every pixel and along the minor one
  // whenever the accumulator overflows. The side coverage acc·255 / n is
  // kept as quotient and remainder, so no pixel needs a division.
  const bool flat = ax > ay;
  const int32_t n = flat ? ax : ay, m = flat ? ay : ax;
  const int32_t e = (m * 85) / n;
  blendPlot(c, x1 - sx, y1 - sy, e);
  if (flat) blendPlot(c, x1 - sx, y1, 127);
  else blendPlot(c, x1, y1 - sy, 127);
  blendPlot(c, x2 + sx, y2 + sy, e);
  if (flat) blendPlot(c, x2 + sx, y2, 127);
  else blendPlot(c, x2, y2 + sy, 127);

  int32_t acc = n / 2, x = x1, y = y1;
  int32_t q = (acc * 255) / n, rem = (acc * 255) % n;
  const int32_t qStep = (m * 255) / n, remStep = (m * 255) % n;
  // The side pixels lie one step across the line on either side.
  const int32_t ox = flat ? 0 : sx, oy = flat ? sy : 0;
  for (int32_t i = 0; i <= n; ++i) {
    blendPlot(c, x, y, 255);
    blendPlot(c, x - ox, y - oy, 255 - q);
    blendPlot(c, x + ox, y + oy, q);
    acc += m;
    q += qStep;
    rem += remStep;
    if (rem >= n) {
      rem -= n;
      ++q;
    }
    const bool minorStep = acc >= n;
    if (minorStep) {
      acc -= n;
      q -= 255;
    }
    if (flat) {
      x += sx;
      if (minorStep) y += sy;
    } else {
      y += sy;
      if (minorStep) x += sx;
    }
  }
}

// ---------------------------------------------------------------------------
// Curves
//
// The angle advances by repeated single-precision addition. For a radius of
// some millions of pixels the step falls below half the spacing of the
// representable angles and the sum would stop growing; the walk ends there
// instead of running forever. A curve that cannot reach the canvas is not
// walked at all, and an arc with an endless or undefined end is not drawn.

void LineGS::CircleGP(gui::Surface& hdc, int32_t X1, int32_t Y1, int32_t RadiusX, int32_t RadiusY,
                      base::Color Color, int32_t Thickness) {
  m_target = &hdc;
  circle(surfaceCanvas(hdc), X1, Y1, RadiusX, RadiusY, Color, Thickness);
}

void LineGS::CircleDIB(int32_t X1, int32_t Y1, int32_t RadiusX, int32_t RadiusY, base::Color Color,
                       int32_t Thickness) {
  circle(arrayCanvas(), X1, Y1, RadiusX, RadiusY, Color, Thickness);
}

void LineGS::circle(const Canvas& c, int32_t X1, int32_t Y1, int32_t RadiusX, int32_t RadiusY, base::Color Color,
                    int32_t Thickness) {
  SetRGBComponents(Color);
  if (ringMisses(c.width, c.height, X1, Y1, RadiusX, RadiusY)) return;
  const float step = angularStep(RadiusX, RadiusY, Thickness);
  const float cx = float(X1), cy = float(Y1);
  for (float t = 0.0f; t <= kQuarter;) {
    const float dx = nudge(float(double(RadiusX) * std::cos(double(t))));
    const float dy = nudge(float(double(RadiusY) * std::sin(double(t))));
    splat(c, cx + dx, cy - dy);
    splat(c, cx + dx, cy + dy);
    splat(c, cx - dx, cy + dy);
    splat(c, cx - dx, cy - dy);
    const float next = t + step;
    if (next == t) break;
    t = next;
  }
}

void LineGS::ArcGP(gui::Surface& hdc, int32_t X1, int32_t Y1, int32_t RadiusX, int32_t RadiusY, float StartAngle,
                   float StopAngle, base::Color Color, int32_t Thickness) {
  m_target = &hdc;
  arc(surfaceCanvas(hdc), X1, Y1, RadiusX, RadiusY, StartAngle, StopAngle, Color, Thickness);
}

void LineGS::ArcDIB(int32_t X1, int32_t Y1, int32_t RadiusX, int32_t RadiusY, float StartAngle, float StopAngle,
                    base::Color Color, int32_t Thickness) {
  arc(arrayCanvas(), X1, Y1, RadiusX, RadiusY, StartAngle, StopAngle, Color, Thickness);
}

void LineGS::arc(const Canvas& c, int32_t X1, int32_t Y1, int32_t RadiusX, int32_t RadiusY, float StartAngle,
                 float StopAngle, base::Color Color, int32_t Thickness) {
  SetRGBComponents(Color);
  if (!std::isfinite(StartAngle) || !std::isfinite(StopAngle)) return;
  if (ringMisses(c.width, c.height, X1, Y1, RadiusX, RadiusY)) return;
  const float step = angularStep(RadiusX, RadiusY, Thickness);
  if (StartAngle > StopAngle) StopAngle += 360.0f;
  const float start = StartAngle * kDegreesToRadians, stop = StopAngle * kDegreesToRadians;
  const float cx = float(X1), cy = float(Y1);
  for (float t = start; t <= stop;) {
    // Clock-face angles: 0 is straight up, so the ellipse starts a quarter
    // turn back.
    const double u = double(t - kQuarter);
    const float dx = nudge(float(double(RadiusX) * std::cos(u)));
    const float dy = nudge(float(double(RadiusY) * std::sin(u)));
    splat(c, cx + dx, cy + dy);
    const float next = t + step;
    if (next == t) break;
    t = next;
  }
}

}  // namespace miniclock
