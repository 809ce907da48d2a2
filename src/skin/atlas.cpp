#include "skin/atlas.h"

#include <cstdlib>
#include <string>

#include "skin/bmp.h"
#include "skin/embedded.h"
#include "skin/rects.h"

namespace skin {
namespace {

// The embedded pictures are ours and checked by the tests; a failure here
// means a broken build, not bad input, so it stops the program loudly.
gui::Surface decodeEmbedded(std::span<const uint8_t> bytes, int w, int h) {
  std::optional<gui::Surface> s = decodeBmp(bytes);
  if (!s || s->width() != w || s->height() != h) std::abort();
  return std::move(*s);
}

// Fallback until the generator paints the larger scales: the 100 % picture
// enlarged to the nearest pixel. Sharp edges, but the steps of the curves
// grow with it.
gui::Surface atScale(gui::Surface picture, int scalePercent) {
  const base::Scale scale{atlasScaleFor(scalePercent)};
  if (scale.identity()) return picture;
  gui::Surface out(picture.width(), picture.height(), {}, scale);
  out.blit(picture, picture.bounds(), {0, 0});
  return out;
}

}  // namespace

int atlasScaleFor(int percent) { return base::paintedScaleFor(percent); }

gui::Surface loadAtlas(int scalePercent) {
  return atScale(decodeEmbedded(embedded::skinBmp(), kAtlasWidth, kAtlasHeight), scalePercent);
}
gui::Surface loadClockFace(int scalePercent) {
  return atScale(decodeEmbedded(embedded::clockBmp(), 100, 100), scalePercent);
}
gui::Surface loadClockCap(int scalePercent) { return atScale(decodeEmbedded(embedded::clockCapBmp(), 7, 7), scalePercent); }

void drawFaceMarks(gui::Surface& target, Point at, const gui::Surface& atlas, ToolbarFace f, Row row,
                   const FaceMarks& marks) {
  // Atlas coordinates of the face, moved to where the face lies in target.
  const Rect face = toolbarFace(f, row);
  const auto place = [&](Point p) { return Point{p.x - face.x + at.x, p.y - face.y + at.y}; };
  if (f == ToolbarFace::SpremeniVelikost && marks.pointSize) {
    const std::string s = std::to_string(*marks.pointSize < 0 ? 0 : *marks.pointSize);
    const int tens = s.size() >= 2 ? s.front() - '0' : 0;
    const int units = s.back() - '0';
    const DigitStrip strip = digitStrip(row);
    const SizeDigitPlaces places = sizeDigitPlaces(row);
    target.blit(atlas, strip.glyph(tens), place(places.tens));
    target.blit(atlas, strip.glyph(units), place(places.units));
  }
  if (f == ToolbarFace::SpremeniBarvo && marks.colour) {
    const Rect area = colourArea(row);
    const Point p = place({area.x, area.y});
    target.fill({p.x, p.y, area.w, area.h}, *marks.colour);
  }
}

void drawSizeDigits(gui::Surface& atlas, int pointSize) {
  const gui::Surface original = atlas;
  for (Row row : kRows) {
    const Rect face = toolbarFace(ToolbarFace::SpremeniVelikost, row);
    drawFaceMarks(atlas, {face.x, face.y}, original, ToolbarFace::SpremeniVelikost, row, {pointSize, std::nullopt});
  }
}

void drawColourAreas(gui::Surface& atlas, base::Color colour) {
  for (Row row : kRows) {
    const Rect face = toolbarFace(ToolbarFace::SpremeniBarvo, row);
    drawFaceMarks(atlas, {face.x, face.y}, atlas, ToolbarFace::SpremeniBarvo, row, {std::nullopt, colour});
  }
}

}  // namespace skin
