#include "app/dot_strip.h"

#include <string>

#include "base/cp1250.h"
#include "skin/rects.h"

namespace app {

void paintDotCells(gui::PictureBox& strip, const gui::Surface& atlas) {
  for (int i = 0; i < kDotCells; ++i) strip.surface().blit(atlas, skin::r::passwordDot, {kDotWidth * i, 0});
  strip.refresh();
}

void fitDotStrip(gui::PictureBox& strip, int characters, int windowWidth, const gui::Surface& atlas) {
  if (characters <= 0) {
    strip.setVisible(false);
    return;
  }
  strip.setWidth(kDotWidth * characters);
  // Resizing the strip resizes its picture, so the cells are painted again.
  paintDotCells(strip, atlas);
  strip.setLeft((windowWidth - strip.width()) / 2);
  if (!strip.visible()) strip.setVisible(true);
}

bool passwordCharacterKept(char16_t ch) {
  const std::u16string one(1, ch);
  return base::cp1250ToUtf16(base::utf16ToCp1250(one)) == one;
}

}  // namespace app
