#pragma once
// The dot strips of the password windows: a typed password is never shown as
// text, only as one dot cell per character, the strip centred in its window.
#include "gui/element.h"
#include "gui/surface.h"

namespace app {

// A password box holds at most this many characters; a strip this many cells.
inline constexpr int kDotCells = 15;
inline constexpr int kDotWidth = 10;

// Fills the strip's picture with the dot cells of the skin. The picture is
// kept whole, so the strip shows as many cells as it is wide.
void paintDotCells(gui::PictureBox& strip, const gui::Surface& atlas);

// One cell per character, centred in a window `windowWidth` pixels wide; an
// empty box hides the strip.
void fitDotStrip(gui::PictureBox& strip, int characters, int windowWidth, const gui::Surface& atlas);

// Whether the settings file, kept in code page 1250, can hold the character,
// so that a password made of it reads back the same after a restart.
bool passwordCharacterKept(char16_t ch);

}  // namespace app
