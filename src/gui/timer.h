#pragma once
// A window timer owned by a form. It runs while it is enabled with a positive
// interval; each change of either is passed to the platform, which (re)arms
// it: a new interval counts from the moment it is set. Setting a value the
// timer already has changes nothing (an enabled timer is not restarted).
#include <functional>
#include <string>

namespace gui {

class Form;

// Whether a timer made by a form ticks from the start.
enum class TimerStart { Running, Stopped };

class Timer {
 public:
  Timer(Form& owner, std::string name, int intervalMs = 0, bool enabled = true);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer();

  Form& form() const { return m_form; }
  const std::string& name() const { return m_name; }
  int interval() const { return m_interval; }
  void setInterval(int ms);
  bool enabled() const { return m_enabled; }
  void setEnabled(bool on);
  // Enabled with a positive interval.
  bool running() const { return m_enabled && m_interval > 0; }

  const std::string& tag() const { return m_tag; }
  void setTag(std::string tag) { m_tag = std::move(tag); }

  std::function<void()> onTimer;

  // Called by the platform when the timer is due; does nothing unless running.
  void fire();

 private:
  Form& m_form;
  std::string m_name;
  int m_interval = 0;
  bool m_enabled = true;
  std::string m_tag;
};

}  // namespace gui
