#pragma once
// Everything the generator writes into assets/, produced in memory so that a
// test can compare it with the committed files byte for byte.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "font.h"
#include "gui/surface.h"
#include "writers.h"

namespace skingen {

struct ArtworkFile {
  std::string name;  // file name inside assets/
  Bytes bytes;
};

// skin.bmp, clock.bmp and clockcap.bmp at 100 %, then each of them at every
// larger scale the program carries (skin-200.png, …), then the icons, the
// manifest and the resource script.
std::optional<std::vector<ArtworkFile>> generateArtwork(const Fonts& fonts, std::string* error);

// The name of a picture painted at a larger scale: "skin" at 200 is skin-200.png.
std::string scaledName(const char* stem, int scale);

// The contact sheet: the atlas at 3× with every named rectangle outlined and
// labelled, and the clock, its cap and the icons below it; given the 200 %
// atlas, that too at 1:1 with the rectangles outlined at their scaled places.
Canvas renderSheet(const gui::Surface& atlas, const gui::Surface& clock, const gui::Surface& cap, const Fonts& fonts,
                   const gui::Surface* atlas2x = nullptr);

}  // namespace skingen
