#pragma once
// The hover, press and pointer-tracking behaviour that every skinned button
// shares: the toolbar buttons, the round caption buttons (the mini clock's
// too), the alignment menu's items, the highlight of the size and colour
// menus (skin/menu_items.h) and the rows of the lists (whose element is the
// mark laid over the row under the pointer). What differs between them is data
// given to it: the faces it draws, whether the hover fades, what a drag with
// the left button held shows, and what keeps a face up while the pointer is
// away. What a release does stays with each button.
//
// The state lives where the window's own controls keep it: the button's Tag
// ("" at rest, "H" hovered, "D" pressed), a 50 ms tracking timer that polls
// the pointer while the button is hovered, and for a fading button an
// animation timer whose Tag counts the frames ("1" "2" "3" fading in, "100"
// hovered, "5" "6" "7" fading out, "0" at rest).
#include <functional>
#include <limits>
#include <string>

#include "gui/element.h"
#include "gui/form.h"
#include "gui/timer.h"
#include "skin/rects.h"

namespace skin {

inline constexpr int kTimerInterval = 50;

// Whether the pointer lies on the element, edges included on all four sides,
// worked out from the window's position in twips and the element's place.
bool pointerOver(const gui::Element& e);

// The kinds' differences. A button that does not fade shows only the rest,
// highlight and pressed rows of its faces.
struct ButtonStyle {
  // The hover fades in and out over three 50 ms frames each way.
  bool fades = false;
  // A move starts the hover only below this row of the button (a pointer
  // coming off the window's title strip does not).
  double hoverBelow = -std::numeric_limits<double>::infinity();
  // A move with the left button held shows the pressed face over the button
  // and the highlight off it; otherwise such a move changes nothing.
  bool dragShowsPress = false;
  // A press stops the tracking timer (the release sets the face anyway).
  bool pressStopsTracking = false;
};

class ButtonBehaviour {
 public:
  using DrawFace = std::function<void(Row)>;
  // Makes the tracking timer and, for a fading style, the animation timer
  // (both 50 ms, disabled) on `timerForm` and wires the ticks.
  ButtonBehaviour(gui::Element& box, gui::Form& timerForm, const std::string& trackingTimer,
                  const std::string& animationTimer, ButtonStyle style, DrawFace draw);
  ButtonBehaviour(const ButtonBehaviour&) = delete;
  ButtonBehaviour& operator=(const ButtonBehaviour&) = delete;

  gui::Element& box;
  gui::Timer& tracking;
  gui::Timer* animation;  // nullptr unless the style fades

  // Keeps a hovered button's face while the pointer is away (a menu
  // button's open menu). Unset: nothing does.
  std::function<bool()> holdsHover;
  // Where the pointer keeps a hover up. Unset: the button itself; a menu's
  // highlight stays while the pointer is anywhere on its menu.
  const gui::Element* area = nullptr;
  // Keeps a pressed button pressed while the pointer is away. Unset: always,
  // until the release.
  std::function<bool()> holdsPress;

  void draw(Row row) const { m_draw(row); }
  // A move over the button, `buttons` held, at y in the button's pixels. A
  // move with another button than the left one held keeps a press (the size
  // menu's entries are pressed with any button).
  void move(int buttons, double x, double y);
  // A left press: the pressed face and Tag "D".
  void press();
  // Back to rest at once: the rest face, then stopTracking().
  void rest();
  // Tag "" and the tracking timer stopped; the face stays.
  void stopTracking();
  // The highlight now, fading out from the next tick; the Tag is left as it
  // is until the fade ends (a fading style only).
  void fadeOut();
  // 0 ≤ x ≤ width and 0 ≤ y ≤ height, edges included.
  bool inside(double x, double y) const;

  void trackingTick();
  void animationTick();

 private:
  void leave();

  ButtonStyle m_style;
  DrawFace m_draw;
};

}  // namespace skin
