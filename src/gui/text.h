#pragma once
// Text measuring and drawing, provided by the platform: GDI on Windows, a
// deterministic block font in the headless platform so that pixel tests are
// stable.
#include <string_view>

#include "base/alignment.h"
#include "gui/editor.h"
#include "gui/surface.h"

namespace gui {

struct Size {
  int width = 0, height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

class TextService {
 public:
  virtual ~TextService() = default;
  // The extent of one line of text in pixels.
  virtual Size measure(const FontSpec& font, std::u16string_view text) = 0;
  // Draws text in `color` starting at the top of `box`, aligned horizontally
  // within it. Never touches a pixel outside `box` (nor outside the surface);
  // the background is left as it is.
  virtual void draw(Surface& target, Rect box, std::u16string_view text, const FontSpec& font,
                    Color color, base::Alignment alignment) = 0;
};

}  // namespace gui
