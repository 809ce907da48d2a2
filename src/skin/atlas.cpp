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

}  // namespace

gui::Surface loadAtlas() { return decodeEmbedded(embedded::skinBmp(), kAtlasWidth, kAtlasHeight); }
gui::Surface loadClockFace() { return decodeEmbedded(embedded::clockBmp(), 100, 100); }
gui::Surface loadClockCap() { return decodeEmbedded(embedded::clockCapBmp(), 7, 7); }

void drawSizeDigits(gui::Surface& atlas, int pointSize) {
  const std::string s = std::to_string(pointSize < 0 ? 0 : pointSize);
  const int tens = s.size() >= 2 ? s.front() - '0' : 0;
  const int units = s.back() - '0';
  for (Row row : kRows) {
    const DigitStrip strip = digitStrip(row);
    const SizeDigitPlaces places = sizeDigitPlaces(row);
    atlas.blit(atlas, strip.glyph(tens), places.tens);
    atlas.blit(atlas, strip.glyph(units), places.units);
  }
}

void drawColourAreas(gui::Surface& atlas, base::Color colour) {
  for (Row row : kRows) atlas.fill(colourArea(row), colour);
}

}  // namespace skin
