#pragma once
// Windows of the platform's own that a form owns: the rich-text editor (a
// child the host element places, cuts and focuses) and the tooltip (whose
// tool the form sets to the element under the pointer). The form decides;
// the back end only carries that out.
#include <functional>
#include <memory>
#include <string_view>

#include "gui/editor.h"
#include "gui/region.h"

namespace gui {

// How the child shows whether it can be written in: its page colour and
// whether a caret blinks in it while it has the keys.
struct EditLook {
  Color background = Color::rgb(255, 255, 255);
  bool caret = true;
  bool operator==(const EditLook&) const = default;
};

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
  // A writable page, or a read-only one in another colour without a caret.
  virtual void setLook(const EditLook& look) = 0;
  // Shown or hidden with its host element.
  virtual void setShown(bool) {}
  // A key stroke, and the mouse on the child in its own pixels, that the
  // form's handlers let through: a back end whose child receives its input
  // itself ignores them.
  virtual void keyDown(int /*keyCode*/, int /*shift*/) {}
  enum class Mouse { Down, Move, DoubleClick };
  virtual void mouse(Mouse, int /*buttons*/, int /*shift*/, Point /*local*/) {}

  // The child took the keys by itself (the user clicked into it): the form
  // learns where its keyboard is.
  std::function<void()> onFocused;
  // Keys the child receives itself, offered to its host element's handlers
  // before the control acts on them: true when taken (the control then never
  // sees the key). A character set to 0 is swallowed.
  std::function<bool(int keyCode, int shift)> onKeyDown;
  std::function<void(char16_t& ch)> onChar;
};

// The platform's tooltip of one form. The form tells it the one tool under
// the pointer; showing the tip once the pointer rests there, and hiding it,
// are the platform's own.
class NativeToolTip {
 public:
  virtual ~NativeToolTip() = default;
  // The element under the pointer: its rectangle in the form's client
  // pixels and its text. Empty text: no tip.
  virtual void setTool(Rect form, std::u16string_view text) = 0;
};

// The editor and the window it lives in, as the platform makes them.
struct HostedEditor {
  std::unique_ptr<Editor> editor;
  std::unique_ptr<NativeChild> window;
};

}  // namespace gui
