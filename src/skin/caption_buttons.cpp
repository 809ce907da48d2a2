#include "skin/caption_buttons.h"

#include "base/geometry.h"

namespace skin {

RoundButton::RoundButton(gui::PictureBox& box, const gui::Surface& atlas, gui::Form& timerForm,
                         const std::string& timerName, CaptionButton faces)
    : behaviour(box, timerForm, timerName, "", {.dragShowsPress = true, .pressStopsTracking = true},
                [this](Row row) { drawFace(buttonState(row)); }),
      Btn(box),
      Tmr(behaviour.tracking),
      m_atlas(atlas),
      m_faces(faces) {
  Btn.onMouseDown = [this](int b, int s, double x, double y) { Btn_MouseDown(b, s, x, y); };
  Btn.onMouseMove = [this](int b, int s, double x, double y) { Btn_MouseMove(b, s, x, y); };
  Btn.onMouseUp = [this](int b, int s, double x, double y) { Btn_MouseUp(b, s, x, y); };
}

void RoundButton::place(int left, int top) {
  Btn.move(left, top, kCaptionSize, kCaptionSize);
  drawFace(ButtonState::Rest);
}

void RoundButton::drawFace(CaptionButton set, ButtonState state) {
  Btn.blit(m_atlas, captionFace(set, state), {0, 0});
}

void RoundButton::Btn_MouseDown(int button, int, double, double) {
  if (CloseMenus) CloseMenus();
  if (button == gui::kLeftButton) behaviour.press();
}

void RoundButton::Btn_MouseMove(int button, int, double x, double y) { behaviour.move(button, x, y); }

void RoundButton::Btn_MouseUp(int button, int, double x, double y) {
  drawFace(ButtonState::Hover);
  if (button == gui::kLeftButton && behaviour.inside(x, y) && onCommand) onCommand();
  behaviour.rest();
}

OnTopButton::OnTopButton(gui::PictureBox& box, const gui::Surface& atlas, const std::string& timerName,
                         std::function<bool()> onTop)
    : RoundButton(box, atlas, box.form(), timerName, vednoNaVrhuFace(onTop())), m_onTop(std::move(onTop)) {}

void OnTopButton::Btn_MouseDown(int button, int, double, double) {
  // Unlike its neighbours it leaves the menus open.
  if (button == gui::kLeftButton) behaviour.press();
}

void OnTopButton::Btn_MouseUp(int button, int, double x, double y) {
  const CaptionButton before = faces();
  drawFace(before, ButtonState::Hover);
  if (button == gui::kLeftButton && behaviour.inside(x, y)) {
    if (toggle) toggle();
    if (onCommand) onCommand();
  }
  drawFace(before, ButtonState::Rest);
  behaviour.stopTracking();
}

}  // namespace skin
