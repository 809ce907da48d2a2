#include "skin/button_behaviour.h"

#include <charconv>

#include "base/number.h"

namespace skin {
namespace {

// The frame counter as a number: text that isn't one counts as 0.
int frameNumber(const std::string& tag) { return base::wholeNumber(tag).value_or(0); }

}  // namespace

bool pointerOver(const gui::Element& e) {
  // Single precision, each time: a window moved or dragged since the last
  // tick is seen where it is now.
  const gui::Form& f = e.form();
  const gui::Rect r = f.scale()(e.formRect());
  const float left = static_cast<float>(f.left()) / static_cast<float>(f.tppX()) + static_cast<float>(r.x);
  const float top = static_cast<float>(f.top()) / static_cast<float>(f.tppY()) + static_cast<float>(r.y);
  const float right = left + static_cast<float>(r.w);
  const float bottom = top + static_cast<float>(r.h);
  const gui::Point p = f.platform().cursorPos();
  const float x = static_cast<float>(p.x), y = static_cast<float>(p.y);
  return left <= x && x <= right && top <= y && y <= bottom;
}

ButtonBehaviour::ButtonBehaviour(gui::Element& b, gui::Form& timerForm, const std::string& trackingTimer,
                                 const std::string& animationTimer, ButtonStyle style, DrawFace draw)
    : box(b),
      tracking(timerForm.addTimer(trackingTimer, kTimerInterval, gui::TimerStart::Stopped)),
      animation(style.fades ? &timerForm.addTimer(animationTimer, kTimerInterval, gui::TimerStart::Stopped) : nullptr),
      m_style(style),
      m_draw(std::move(draw)) {
  tracking.onTimer = [this] { trackingTick(); };
  if (animation) animation->onTimer = [this] { animationTick(); };
}

bool ButtonBehaviour::inside(double x, double y) const {
  return 0 <= x && x <= box.width() && 0 <= y && y <= box.height();
}

void ButtonBehaviour::move(int buttons, double x, double y) {
  if (buttons & gui::kLeftButton) {
    if (m_style.dragShowsPress) draw(inside(x, y) ? Row::Pressed : Row::Highlight);
    return;
  }
  if (!(y > m_style.hoverBelow)) return;
  if (!animation) {
    draw(Row::Highlight);
    // A drag with another button held keeps a press made with it.
    if (buttons == 0 || box.tag() != "D") box.setTag("H");
    tracking.setEnabled(true);
    return;
  }
  // A fade under way, or a hover already complete, goes on as it is.
  if (animation->enabled() || frameNumber(animation->tag()) == 100) return;
  animation->setTag("1");
  animation->setEnabled(true);
  tracking.setEnabled(true);
}

void ButtonBehaviour::press() {
  box.setTag("D");
  draw(Row::Pressed);
  if (m_style.pressStopsTracking) tracking.setEnabled(false);
}

void ButtonBehaviour::rest() {
  draw(Row::Rest);
  stopTracking();
}

void ButtonBehaviour::stopTracking() {
  box.setTag("");
  tracking.setEnabled(false);
}

void ButtonBehaviour::fadeOut() {
  draw(Row::Highlight);
  if (!animation) return;
  animation->setTag("5");
  animation->setEnabled(true);
}

void ButtonBehaviour::leave() {
  if (!animation) return rest();
  stopTracking();
  animation->setTag("5");
  animation->setEnabled(true);
}

void ButtonBehaviour::trackingTick() {
  const std::string& tag = box.tag();
  const bool held = tag == "D" ? !holdsPress || holdsPress() : tag != "H";
  if (held || pointerOver(area ? *area : box)) return;
  if (tag == "H" && holdsHover && holdsHover()) return;
  leave();
}

void ButtonBehaviour::animationTick() {
  switch (frameNumber(animation->tag())) {
    case 1:
      draw(Row::Fade1);
      animation->setTag("2");
      break;
    case 2:
      draw(Row::Fade2);
      animation->setTag("3");
      break;
    case 3:
      draw(Row::Highlight);
      animation->setTag("100");
      box.setTag("H");
      animation->setEnabled(false);
      break;
    case 5:
      draw(Row::Fade2);
      animation->setTag("6");
      break;
    case 6:
      draw(Row::Fade1);
      animation->setTag("7");
      break;
    case 7:
      draw(Row::Rest);
      animation->setTag("0");
      animation->setEnabled(false);
      box.setTag("");
      break;
    default: break;
  }
}

}  // namespace skin
