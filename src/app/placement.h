#pragma once
// Where the main window opens, in screen pixels: at the saved position when
// the window stands there wholly inside the work area of the monitor nearest
// to it; moved the least distance into that work area when it would not (a
// monitor unplugged, a hand-edited or damaged settings file), so the window
// is always within reach. A coordinate that was not saved, or is too large
// to be a screen position, centres the window on the main work area.
#include "gui/platform.h"
#include "store/settings.h"

namespace app {

gui::Rect openingBounds(const store::Settings& settings, gui::Size size, const gui::Platform& platform);

}  // namespace app
