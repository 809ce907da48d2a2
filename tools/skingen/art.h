#pragma once
// The artwork, painted from code: the skin atlas, the mini clock's dial and
// centre cap, and the two programs' icons.
#include "canvas.h"
#include "font.h"

namespace skingen {

// Each painted at `scale`: every shape and letter drawn afresh at that size.
Canvas paintAtlas(const Fonts& fonts, base::Scale scale = {});
Canvas paintClockFace(base::Scale scale = {});
Canvas paintClockCap(base::Scale scale = {});
// The program icon at 16 or 32 pixels; magenta marks the transparent pixels.
Canvas paintIcon(int size, const Fonts& fonts);
// Namestko's icon, the diary's with a badge that tells it installs.
Canvas paintSetupIcon(int size, const Fonts& fonts);

}  // namespace skingen
