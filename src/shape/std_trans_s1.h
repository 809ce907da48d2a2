#pragma once
// stdTRANSs1, the region control: builds window regions and gives them to
// windows. A region comes from a picture in which one key colour (BitColor)
// marks the holes, from a region file saved earlier, or as the main window's
// rounded rectangle (DoObject2). The main window carries one, Regija.
//
// Ownership: the control owns its current region until it gives it to a
// window (DoObject, DoToObject, DoObject2); from then on the window owns it.
// DeleteRGN forgets the region either way, and every operation that makes a
// new region calls it first. A region given away is not given again.
//
// Failures raise shape::Error with the runtime's number and text: a missing
// file 53, a file that cannot be read or written 75, a damaged region file
// 321, a picture that cannot be loaded 481, pixel bytes fewer than the size
// says 9, scale factors out of range 6, no region to apply 1533.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>

#include "gui/region.h"
#include "gui/surface.h"
#include "shape/window_ref.h"

namespace shape {

class stdTRANSs1 {
 public:
  // The current region; nullptr stands for none (0). It stays readable after
  // it is given to a window, until DeleteRGN.
  const gui::Region* CurrentRGN() const { return m_region ? &*m_region : nullptr; }
  void DeleteRGN();

  // Writes the current region as a region file (shape/region_file.h),
  // replacing the old file only once the new one is whole. With no region
  // the old file is removed and none written.
  void SaveRGNFile(const std::filesystem::path& sFileName) const;
  // Makes the current region from a region file. An empty file changes
  // nothing; a missing one raises 53 and leaves the region as it was; a
  // damaged one releases the old region and raises 321. Vrsta selects
  // nothing: every region file is read the same way.
  void LoadRGNFile(const std::filesystem::path& sFileName, int16_t Vrsta = 0);

  // The main window's rounded rectangle, given at once to MyObject's window;
  // the control keeps nothing of it.
  void DoObject2();
  // Gives the current region to MyObject's window; does nothing without a
  // region, for a region already given, or for an object without a window.
  void DoObject();
  // Gives the current region to that window; 1533 when there is no region.
  void DoToObject(WindowRef sHandel);

  // Regions from a picture: every pixel not of BitColor, each coordinate
  // times ScaleX or ScaleY. A picture without a key pixel leaves no region.
  // Each raises BitMapLoaded and answers 0. LoadBitmap releases the old
  // region before it reads the file, so a failure leaves none.
  int LoadBitmap(const std::filesystem::path& sFileName);
  int BitMap(const gui::Surface& sBitMap);
  // Raw pixels: blue, green, red for each pixel, the pixels of a row left to
  // right, rows top to bottom (the byte of channel c of pixel (x, y) is at
  // c + 3 × (x + xWid × y)).
  int LoadDIMap(std::span<const uint8_t> sBits, int xWid, int xHei);
  std::function<void()> BitMapLoaded;

  // Factors for regions made from pictures; a new value is rounded to a
  // whole number, halves to even.
  int ScaleX() const { return m_scaleX; }
  int ScaleY() const { return m_scaleY; }
  void setScaleX(double v);
  void setScaleY(double v);
  const WindowRef& MyObject() const { return m_myObject; }
  void setMyObject(WindowRef o) { m_myObject = o; }
  base::Color BitColor() const { return m_bitColor; }
  void setBitColor(base::Color c) { m_bitColor = c; }

 private:
  template <class IsKey>
  void fromPixels(int w, int h, IsKey isKey);
  void give(const WindowRef& window);

  std::optional<gui::Region> m_region;
  bool m_givenAway = false;  // the region now belongs to a window
  int m_scaleX = 1, m_scaleY = 1;
  WindowRef m_myObject;
  base::Color m_bitColor{};
};

}  // namespace shape
