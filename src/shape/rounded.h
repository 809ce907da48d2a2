#pragma once
// The main window's shape: its rectangle with the top corners rounded over
// five rows and the bottom corners over two.
#include "gui/region.h"

namespace shape {

gui::Region roundedCorners(int width, int height);

}  // namespace shape
