#pragma once
// The round 13 × 13 caption buttons: close (BtnZapri), minimise (BtnMini),
// fold into the mini clock (BtnZloži) and keep on top (BtnVednoNaVrhu), and
// the mini clock's own two. Each has three faces (rest, hover, pressed) and
// the shared button behaviour without fades: its tracking timer puts it back
// to rest when the pointer leaves; a drag with the left button held shows it
// pressed only while over it; a command runs only on a left release over it.
//
//   RoundButton ..... BtnZapri, BtnMini, BtnZloži (and the mini clock's)
//   OnTopButton ..... BtnVednoNaVrhu: two face sets, toggles keep-on-top
#include <functional>
#include <string>

#include "gui/element.h"
#include "gui/form.h"
#include "gui/timer.h"
#include "skin/button_behaviour.h"
#include "skin/rects.h"

namespace skin {

inline constexpr int kCaptionTop = 5;

class RoundButton {
 public:
  // The tracking timer (50 ms, disabled) is made on `timerForm`, which for
  // the mini clock's buttons is the main window rather than the button's
  // own window; the pointer is always tested against the button's window.
  RoundButton(gui::PictureBox& box, const gui::Surface& atlas, gui::Form& timerForm, const std::string& timerName,
              CaptionButton faces);
  virtual ~RoundButton() = default;
  RoundButton(const RoundButton&) = delete;
  RoundButton& operator=(const RoundButton&) = delete;

  ButtonBehaviour behaviour;
  gui::PictureBox& Btn;
  gui::Timer& Tmr;

  // Places the button at (left, top), 13 × 13, and draws its rest face; the
  // layout then makes it round by cutting away the atlas's magenta corners.
  void place(int left, int top = kCaptionTop);
  // The face set drawn now.
  virtual CaptionButton faces() const { return m_faces; }
  void drawFace(ButtonState state) { drawFace(faces(), state); }
  void drawFace(CaptionButton set, ButtonState state);

  virtual void Btn_MouseDown(int button, int shift, double x, double y);
  void Btn_MouseMove(int button, int shift, double x, double y);
  virtual void Btn_MouseUp(int button, int shift, double x, double y);

  // Runs on a left release over the button.
  std::function<void()> onCommand;
  // Closes the toolbar's menus on a press of any button.
  std::function<void()> CloseMenus;

 protected:
  const gui::Surface& m_atlas;

 private:
  CaptionButton m_faces;
};

// BtnVednoNaVrhu: a ring while the diary may be covered, a square while it
// stays on top. The face set follows the setting at every draw, except that
// the release that toggles it leaves the old rest face up until the pointer
// moves over the button again.
class OnTopButton : public RoundButton {
 public:
  // `onTop` answers the setting the faces show.
  OnTopButton(gui::PictureBox& box, const gui::Surface& atlas, const std::string& timerName,
              std::function<bool()> onTop);

  CaptionButton faces() const override { return vednoNaVrhuFace(m_onTop()); }

  void Btn_MouseDown(int button, int shift, double x, double y) override;
  void Btn_MouseUp(int button, int shift, double x, double y) override;

  // Switches the setting and applies it to the window (SetWindowPos), on a
  // left release over the button.
  std::function<void()> toggle;

 private:
  std::function<bool()> m_onTop;
};

}  // namespace skin
