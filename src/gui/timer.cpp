#include "gui/timer.h"

#include "gui/form.h"

namespace gui {

Timer::Timer(Form& owner, std::string name, int intervalMs, bool enabled)
    : m_form(owner), m_name(std::move(name)), m_interval(intervalMs), m_enabled(enabled) {
  m_form.platform().addTimer(*this);
  m_form.platform().updateTimer(*this);
}

Timer::~Timer() { m_form.platform().removeTimer(*this); }

void Timer::setInterval(int ms) {
  if (ms == m_interval) return;
  m_interval = ms;
  m_form.platform().updateTimer(*this);
}

void Timer::setEnabled(bool on) {
  if (on == m_enabled) return;
  m_enabled = on;
  m_form.platform().updateTimer(*this);
}

void Timer::fire() {
  if (!running() || !onTimer) return;
  auto handler = onTimer;  // the handler may replace itself
  handler();
}

}  // namespace gui
