#pragma once
// A window of the platform's own inside a form (the rich-text editor). The
// element that hosts it decides where it lies, how much of it shows and when
// it takes the keys; the back end only carries that out.
#include <memory>

#include "gui/editor.h"
#include "gui/region.h"

namespace gui {

class NativeChild {
 public:
  virtual ~NativeChild() = default;
  // Its rectangle in the form's client pixels.
  virtual void setBounds(Rect form) = 0;
  // The part of it that shows, in its own pixels: elements of the form
  // stacked above it cut it, so that a menu opened over it is seen whole.
  virtual void setVisibleRegion(const Region& visible) = 0;
  // Takes the keyboard focus (when its form's window is shown).
  virtual void focus() = 0;
  // A typed character the form's handlers let through. A back end whose
  // child receives its keys itself ignores it.
  virtual void keyPress(char16_t ch) = 0;
};

// The editor and the window it lives in, as the platform makes them.
struct HostedEditor {
  std::unique_ptr<Editor> editor;
  std::unique_ptr<NativeChild> window;
};

}  // namespace gui
