#pragma once
// LineGS: anti-aliased lines, ellipses and arcs in 24-bit colour, the pen the
// mini clock draws its hands with. It knows nothing about clocks.
//
// Every primitive comes in two forms that give the same picture:
//   *GP   draws straight onto a target surface, pixel by pixel (read the
//         background, write the blend), and needs nothing beforehand;
//   *DIB  draws into a private copy of a bitmap's pixels taken by DIB() and
//         put back by Array2Pic(), for many primitives in one frame.
// Both the "device context" and the "bitmap" are gui::Surface here; the
// surface's 0x00RRGGBB words are the bitmap's 32-bit top-down pixels. Reading
// and writing one pixel of a device context (GetPixel, SetPixelV) become a
// read and a write of one surface word; copying a bitmap's bits out and back
// (GetDIBits, SetDIBits) become row copies. Off the surface nothing is read or
// written: a device context would answer an invalid colour there and drop the
// write, which leaves the picture the same.
//
// The one drawing step all shapes share is the blend-plot: a pixel with a
// coverage a of 0..255 becomes the drawing colour when a > 252, else
// (C·a + bg·(255 − a)) / 256 per channel, truncated. Dividing by 256 keeps the
// arithmetic to a shift, at the price of one step of darkening: white over
// white at coverage 0 gives 254.
#include <cstdint>
#include <vector>

#include "base/geometry.h"
#include "gui/surface.h"

namespace miniclock {

class LineGS {
 public:
  // --- the pixel array ---------------------------------------------------

  // Takes a copy of bitmap's pixels (W1 × H1 from the top-left) to draw into.
  // The copy never reaches beyond the bitmap: a size larger than the bitmap
  // is cut to it, a negative one counts as 0. hdc is only remembered.
  void DIB(gui::Surface& hdc, gui::Surface& Handle, int32_t W1, int32_t H1);
  // Puts the drawn pixels back into the bitmap given to DIB() once; a second
  // call, or one without DIB(), does nothing.
  void Array2Pic();

  // --- colour ------------------------------------------------------------

  void SetRGBComponents(base::Color Color);

  // The OLE colour translation: 0x00BBGGRR is a plain colour, 0x800000nn is
  // system colour nn (answered with the classic Windows defaults, since the
  // diary paints its own skin and follows no desktop theme). Anything else
  // cannot be translated and gives black.
  static base::Color translateColor(uint32_t oleColor);

  // --- primitives ----------------------------------------------------------

  // A one-pixel solid line with a soft pixel on each side (the two coverages
  // sum to 255) and each end extended by a half-covered pixel along the main
  // direction plus a faint one on the diagonal. Equal ends draw nothing.
  void LineGP(gui::Surface& hdc, int16_t X1, int16_t Y1, int16_t X2, int16_t Y2, base::Color Color);
  void LineDIB(int16_t X1, int16_t Y1, int16_t X2, int16_t Y2, base::Color Color);

  // An axis-aligned ellipse outline around (X1, Y1). Thickness 1 samples the
  // curve about every half pixel, any other value about every pixel.
  void CircleGP(gui::Surface& hdc, int32_t X1, int32_t Y1, int32_t RadiusX, int32_t RadiusY, base::Color Color,
                int32_t Thickness);
  void CircleDIB(int32_t X1, int32_t Y1, int32_t RadiusX, int32_t RadiusY, base::Color Color, int32_t Thickness);

  // An elliptic arc in clock-face degrees (0 straight up, clockwise). A start
  // beyond the stop passes through 0: 350 → 10 draws 350 … 370.
  void ArcGP(gui::Surface& hdc, int32_t X1, int32_t Y1, int32_t RadiusX, int32_t RadiusY, float StartAngle,
             float StopAngle, base::Color Color, int32_t Thickness);
  void ArcDIB(int32_t X1, int32_t Y1, int32_t RadiusX, int32_t RadiusY, float StartAngle, float StopAngle,
              base::Color Color, int32_t Thickness);

  // --- state -----------------------------------------------------------------

  int32_t red() const { return m_red; }
  int32_t green() const { return m_green; }
  int32_t blue() const { return m_blue; }
  // The current colour in Windows order, 0x00BBGGRR.
  uint32_t colour() const { return m_colour; }
  bool pixelsLoaded() const { return m_loaded; }
  int32_t width() const { return m_width; }
  int32_t height() const { return m_height; }
  // Element (x, y) of the pixel array, 0x00RRGGBB; 0 outside it.
  uint32_t arrayPixel(int32_t x, int32_t y) const;

 private:
  // Where the blend-plots go: the target surface for GP, the array for DIB.
  struct Canvas {
    uint32_t* pixels = nullptr;
    int32_t width = 0, height = 0;
    // Bits of an element a write leaves alone (the array's unused byte 3).
    uint32_t keep = 0;
  };
  static Canvas surfaceCanvas(gui::Surface& s);
  Canvas arrayCanvas();

  void blendPlot(const Canvas& c, int32_t x, int32_t y, int32_t a) const;
  void line(const Canvas& c, int16_t X1, int16_t Y1, int16_t X2, int16_t Y2, base::Color Color);
  void circle(const Canvas& c, int32_t X1, int32_t Y1, int32_t RadiusX, int32_t RadiusY, base::Color Color,
              int32_t Thickness);
  void arc(const Canvas& c, int32_t X1, int32_t Y1, int32_t RadiusX, int32_t RadiusY, float StartAngle,
           float StopAngle, base::Color Color, int32_t Thickness);
  void splat(const Canvas& c, float px, float py) const;

  int32_t m_red = 0, m_green = 0, m_blue = 0;
  uint32_t m_colour = 0;
  gui::Surface* m_target = nullptr;  // the device context of the last GP call or of DIB()
  gui::Surface* m_bitmap = nullptr;
  int32_t m_width = 0, m_height = 0;
  std::vector<uint32_t> m_array;  // row y at m_array[y * m_width]
  bool m_loaded = false;
};

}  // namespace miniclock
