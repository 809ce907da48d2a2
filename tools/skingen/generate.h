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

std::optional<std::vector<ArtworkFile>> generateArtwork(const Fonts& fonts, std::string* error);

// The contact sheet: the atlas at 3× with every named rectangle outlined and
// labelled, and the clock, its cap and the icons below it.
Canvas renderSheet(const gui::Surface& atlas, const gui::Surface& clock, const gui::Surface& cap, const Fonts& fonts);

}  // namespace skingen
