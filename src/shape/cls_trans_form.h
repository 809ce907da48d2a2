#pragma once
// clsTransForm, the key-colour shaper: cuts every pixel of one colour out of
// a window. It scans what the target shows, collects the runs of key-colour
// pixels row by row and gives the target's window its rectangle without
// them. The layout shapes the caption buttons, the drop buttons and the mini
// clock's window and parts with it, always with magenta.
//
// Targets and what is read of each:
//   form ........ its kept picture, the whole window
//   picture box . its kept picture, the whole box
//   command button, check box, option button: the caption is cleared and the
//                 face painted in the key colour first, so the plain face is
//                 cut away and only what is drawn on it in other colours
//                 remains; the shape keeps at most the button's rectangle
//                 inset by two pixels (the system's frame is cut off)
// Anything else raises shape::Error -2147218992 (source "TransForm") and is
// left as it was.
#include "base/geometry.h"
#include "gui/element.h"
#include "gui/form.h"

namespace shape {

class clsTransForm {
 public:
  void ShapeMe(gui::Form& Name, base::Color Color);
  void ShapeMe(gui::Element& Name, base::Color Color);
};

}  // namespace shape
