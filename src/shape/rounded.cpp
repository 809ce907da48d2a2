#include "shape/rounded.h"

namespace shape {

gui::Region roundedCorners(int w, int h) {
  gui::Region r(gui::Rect{0, 0, w, h});
  // (left, top, right, bottom) cut away with exclusive-or, in this order.
  const int cuts[][4] = {
      {0, 0, 5, 1}, {0, 1, 3, 2}, {0, 2, 2, 3}, {0, 3, 1, 5},                  // top left
      {w - 5, 0, w, 1}, {w - 3, 1, w, 2}, {w - 2, 2, w, 3}, {w - 1, 3, w, 5},  // top right
      {0, h - 2, 1, h - 1}, {0, h - 1, 2, h},                                  // bottom left
      {w - 1, h - 2, w, h - 1}, {w - 2, h - 1, w, h},                          // bottom right
  };
  for (const auto& c : cuts) r = r.xored(gui::Region(gui::Rect{c[0], c[1], c[2] - c[0], c[3] - c[1]}));
  return r;
}

}  // namespace shape
