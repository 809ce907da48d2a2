#pragma once
// The mini clock: the diary folded into a small window kept above all others,
// an analog clock with a close and an unfold button. It slides from the main
// window's corner to the work area's top-left as the diary folds, and back as
// it unfolds; it is dragged by the strip left of its buttons, inside the work
// area recorded at the fold.
#include <optional>

#include "clock/clock_hands.h"
#include "gui/form.h"
#include "shape/cls_docking_handler.h"
#include "skin/skinned_button.h"

namespace app {

class Pisarion;

class frmMini {
  Pisarion& m_app;
  gui::Form m_form;

 public:
  // The two buttons' tracking timers live on `timerForm`, the main window.
  frmMini(Pisarion& app, gui::Form& timerForm);
  ~frmMini();

  gui::Form& form() { return m_form; }

  void Form_Load();
  void Form_MouseDown(int button, int shift, double x, double y);
  void Form_MouseMove(int button, int shift, double x, double y);
  // The display or the work area changed while folded: the clock stays inside it.
  void Form_DisplayChange();
  // The unfold button or a double-click on the clock: back to the main
  // window, through the lock screen when a password is set.
  void UnfoldRequest();
  // Starts the slide: "Z" towards the work area's corner, "R" back to the
  // main window. FoldStep counts its steps.
  void startSlide(const char* direction);

  // The clock's tick: the hands that moved are turned and the dial drawn
  // again; nothing while the window is hidden, nothing when no hand moved.
  void Timer1_Tick();

  // Timer1's items: 0 the clock's tick, 3 the slide.
  gui::Timer& Timer1(int index) { return index == 3 ? m_slide : m_tick; }

  gui::PictureBox& picClock;
  gui::PictureBox& imgCenter;  // the cap over the hands' hub
  gui::PictureBox& BtnZapri;
  gui::PictureBox& BtnZloži;

 private:
  // The window's size, its skin, its buttons and clock, each cut out of the
  // magenta around it; the window runs it once, as it is made.
  void Layout();
  void describe(gui::AccNode& window) const;
  void Timer1_Slide();

  gui::Timer& m_tick;
  gui::Timer& m_slide;
  skin::SkinnedButton m_zapri, m_zloži;
  // The window's keep-on-top, and the work area read again after a display change.
  shape::clsDockingHandler m_docking;
  // Pointer position inside the window at the last press in the drag strip;
  // -1: the press was elsewhere and moves drag nothing.
  int m_dragAnchorX = -1, m_dragAnchorY = 0;
  gui::Point m_slideFrom;  // twips: where the running slide began
  gui::Surface m_face;     // the bare dial the hands are drawn over
  std::optional<miniclock::ClockHands> m_hands;  // made as the window loads
};

}  // namespace app
