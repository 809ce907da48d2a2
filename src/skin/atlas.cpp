#include "skin/atlas.h"

#include <cstdlib>
#include <string>

#include "base/scale.h"
#include "skin/bmp.h"
#include "skin/embedded.h"
#include "skin/png.h"
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

// The 100 % picture drawn at a larger scale, each device pixel taken from
// the 100 % pixel it lies in: every named rectangle keeps its own pixels.
// Only a stand-in for a painted picture that will not decode.
gui::Surface enlarge(const gui::Surface& picture, base::Scale scale) {
  gui::Surface out(picture.width(), picture.height(), {}, scale);
  out.blit(picture, picture.bounds(), {0, 0});
  return out;
}

// A picture painted at a larger scale, its pixels held by a surface of the
// 100 % size at that scale; should it not decode to the size the scale
// gives, the 100 % one enlarged, so the program still shows its skin.
gui::Surface decodeScaled(std::span<const uint8_t> png, std::span<const uint8_t> bmp, int w, int h, int scale) {
  const base::Scale s{scale};
  const std::optional<gui::Surface> painted = decodePng(png);
  if (!painted || painted->width() != s(w) || painted->height() != s(h)) return enlarge(decodeEmbedded(bmp, w, h), s);
  gui::Surface out(w, h, {}, s);
  out.blitDevice(*painted, painted->bounds(), {0, 0});
  return out;
}

}  // namespace

int atlasScaleFor(int percent) { return base::paintedScaleFor(percent); }

gui::Surface loadAtlas(int scalePercent) {
  const int p = atlasScaleFor(scalePercent);
  if (p == 100) return decodeEmbedded(embedded::skinBmp(), kAtlasWidth, kAtlasHeight);
  return decodeScaled(embedded::skinPng(p), embedded::skinBmp(), kAtlasWidth, kAtlasHeight, p);
}

gui::Surface loadClockFace(int scalePercent) {
  const int p = atlasScaleFor(scalePercent);
  if (p == 100) return decodeEmbedded(embedded::clockBmp(), 100, 100);
  return decodeScaled(embedded::clockPng(p), embedded::clockBmp(), 100, 100, p);
}

gui::Surface loadClockCap(int scalePercent) {
  const int p = atlasScaleFor(scalePercent);
  if (p == 100) return decodeEmbedded(embedded::clockCapBmp(), 7, 7);
  return decodeScaled(embedded::clockCapPng(p), embedded::clockCapBmp(), 7, 7, p);
}

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
