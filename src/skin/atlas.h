#pragma once
// The skin atlas and the other artwork, built into the program.
//
//   gui::Surface skin::loadAtlas();      the 683 × 391 atlas as a 32-bit surface
//   gui::Surface skin::loadClockFace();  the mini clock's 100 × 100 dial
//   gui::Surface skin::loadClockCap();   the 7 × 7 centre cap drawn over the hands
//   skin::drawSizeDigits(atlas, size)    writes a font size into the size button's faces
//   skin::drawColourAreas(atlas, colour) paints the colour button's swatch areas
//   skin/rects.h                         every face and frame piece, by name
//   skin/bmp.h                           the BMP decoder behind the loaders
//
// The loaders decode the embedded bytes on every call and return a fresh
// copy: the program keeps one mutable atlas for the whole run, because the
// size and colour pickers repaint two areas of it and every later copy of
// those faces must show what they painted. Magenta, base::kKeyColor, marks
// the see-through pixels in all three pictures.
#include "base/geometry.h"
#include "gui/surface.h"

namespace skin {

// The theme's colours, for anything the program paints itself around the
// skin (window backgrounds, the caret, list texts).
inline constexpr base::Color kDeepBlue = base::Color::rgb(70, 109, 167);
inline constexpr base::Color kTextBlue = base::Color::rgb(18, 66, 105);
inline constexpr base::Color kLightBlue = base::Color::rgb(183, 226, 250);
inline constexpr base::Color kPaleBlue = base::Color::rgb(233, 245, 254);
// The main window's own background between the skinned pieces.
inline constexpr base::Color kBodyColor = kPaleBlue;

gui::Surface loadAtlas();
gui::Surface loadClockFace();
gui::Surface loadClockCap();

// Copies the digit glyphs of `pointSize` into the five faces of the size
// button: the tens digit is the first digit of sizes of 10 and more and 0
// below, the units digit the last one (so 9 shows as 09 and 100 as 10).
void drawSizeDigits(gui::Surface& atlas, int pointSize);

// Fills the five swatch areas of the colour button's faces with `colour`.
void drawColourAreas(gui::Surface& atlas, base::Color colour);

}  // namespace skin
