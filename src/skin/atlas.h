#pragma once
// The skin atlas and the other artwork, built into the program.
//
//   gui::Surface skin::loadAtlas(p);     the 683 × 391 atlas as a 32-bit surface,
//                                        or the same painted at scale p
//   gui::Surface skin::loadClockFace(p); the mini clock's 100 × 100 dial
//   gui::Surface skin::loadClockCap(p);  the 7 × 7 centre cap drawn over the hands
//   skin::kScales, atlasScaleFor         the scales the artwork is painted at
//   skin::FaceMarks, drawFaceMarks       the size digits and the colour drawn over a face
//   skin::drawSizeDigits(atlas, size)    the same digits in all five faces of an atlas copy
//   skin::drawColourAreas(atlas, colour) the same colour in all five faces of an atlas copy
//   skin/rects.h                         every face and frame piece, by name
//   skin/bmp.h, skin/png.h               the decoders behind the loaders
//
// The loaders decode the embedded bytes on every call and return a fresh
// copy. The program's atlas is never written to once loaded: the size and
// colour the toolbar shows are marks drawn over the face each time it is
// copied, so no drawing depends on what was drawn before it. Magenta,
// base::kKeyColor, marks the see-through pixels in all three pictures.
#include <array>
#include <optional>

#include "base/geometry.h"
#include "base/scale.h"
#include "gui/surface.h"
#include "skin/palette.h"
#include "skin/rects.h"

namespace skin {

// The display scales, in percent, the artwork is painted at. The 100 %
// pictures are BMPs; the others are palette PNGs of the same colours.
inline constexpr std::array kScales = base::kPaintedScales;

// The painted scale a display scale uses: the nearest painted one at or
// above it (so the picture is only ever made smaller), capped at the largest.
int atlasScaleFor(int percent);

// The pictures at the painted scale atlasScaleFor(scalePercent): surfaces of
// their 100 % size whose pixels are base::Scale{p} times as many (the atlas
// holds Scale(683) × Scale(391) of them), so that every rectangle of rects.h
// is found in them at its 100 % coordinates.
gui::Surface loadAtlas(int scalePercent = 100);
gui::Surface loadClockFace(int scalePercent = 100);
gui::Surface loadClockCap(int scalePercent = 100);

// What the size and colour buttons show over their faces: the last size and
// colour the selection had throughout. Unset, the artwork's own pixels show.
struct FaceMarks {
  std::optional<int> pointSize;
  std::optional<base::Color> colour;
};

// Draws the marks face `f` in `row` carries onto `target`, where the face's
// top-left atlas pixel lies at `at`. The size button's digits: the tens digit
// is the first digit of sizes of 10 and more and 0 below, the units digit the
// last one (so 9 shows as 09 and 100 as 10); the colour button's swatch area
// is filled with the colour. Other faces carry none.
void drawFaceMarks(gui::Surface& target, Point at, const gui::Surface& atlas, ToolbarFace f, Row row,
                   const FaceMarks& marks);

// The size digits over the five faces of the size button in an atlas copy.
void drawSizeDigits(gui::Surface& atlas, int pointSize);

// Fills the five swatch areas of the colour button's faces in an atlas copy.
void drawColourAreas(gui::Surface& atlas, base::Color colour);

}  // namespace skin
