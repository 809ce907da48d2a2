#include "skin/caption_buttons.h"

#include "base/geometry.h"
#include "skin/toolbar_buttons.h"

namespace skin {

RoundButton::RoundButton(gui::PictureBox& box, const gui::Surface& atlas, gui::Form& timerForm,
                         const std::string& timerName, CaptionButton faces)
    : Btn(box), Tmr(timerForm.addTimer(timerName, kTimerInterval, false)), m_atlas(atlas), m_faces(faces) {
  Btn.onMouseDown = [this](int b, int s, double x, double y) { Btn_MouseDown(b, s, x, y); };
  Btn.onMouseMove = [this](int b, int s, double x, double y) { Btn_MouseMove(b, s, x, y); };
  Btn.onMouseUp = [this](int b, int s, double x, double y) { Btn_MouseUp(b, s, x, y); };
  Tmr.onTimer = [this] { Tmr_Timer(); };
}

void RoundButton::place(int left, int top) {
  Btn.move(left, top, kCaptionSize, kCaptionSize);
  drawFace(ButtonState::Rest);
  Btn.setRegion(gui::Region::fromKeyColor(Btn.surface(), base::kKeyColor, Btn.surface().bounds()));
}

void RoundButton::drawFace(CaptionButton set, ButtonState state) {
  Btn.blit(m_atlas, captionFace(set, state), {0, 0});
}

bool RoundButton::inside(double x, double y) const {
  return 0 <= x && x <= Btn.width() && 0 <= y && y <= Btn.height();
}

void RoundButton::Btn_MouseDown(int button, int, double, double) {
  if (CloseMenus) CloseMenus();
  if (button != gui::kLeftButton) return;
  drawFace(ButtonState::Pressed);
  Btn.setTag("D");
  Tmr.setEnabled(false);
}

void RoundButton::Btn_MouseMove(int button, int, double x, double y) {
  if (button & gui::kLeftButton) {
    drawFace(inside(x, y) ? ButtonState::Pressed : ButtonState::Hover);
    return;
  }
  drawFace(ButtonState::Hover);
  Btn.setTag("H");
  Tmr.setEnabled(true);
}

void RoundButton::Btn_MouseUp(int button, int, double x, double y) {
  drawFace(ButtonState::Hover);
  if (button == gui::kLeftButton && inside(x, y) && onCommand) onCommand();
  drawFace(ButtonState::Rest);
  Btn.setTag("");
  Tmr.setEnabled(false);
}

void RoundButton::Tmr_Timer() {
  if (Btn.tag() != "H") return;
  if (pointerOver(Btn)) return;
  drawFace(ButtonState::Rest);
  Btn.setTag("");
  Tmr.setEnabled(false);
}

OnTopButton::OnTopButton(gui::PictureBox& box, const gui::Surface& atlas, const std::string& timerName,
                         bool& onTopSetting)
    : RoundButton(box, atlas, box.form(), timerName, vednoNaVrhuFace(onTopSetting)), m_onTop(onTopSetting) {}

void OnTopButton::Btn_MouseDown(int button, int, double, double) {
  // Unlike its neighbours it leaves the menus open.
  if (button != gui::kLeftButton) return;
  drawFace(ButtonState::Pressed);
  Btn.setTag("D");
  Tmr.setEnabled(false);
}

void OnTopButton::Btn_MouseUp(int button, int, double x, double y) {
  const CaptionButton before = faces();
  drawFace(before, ButtonState::Hover);
  if (button == gui::kLeftButton && inside(x, y)) {
    m_onTop = !m_onTop;
    if (applyOnTop) applyOnTop();
    if (onCommand) onCommand();
  }
  drawFace(before, ButtonState::Rest);
  Btn.setTag("");
  Tmr.setEnabled(false);
}

}  // namespace skin
