#pragma once
// The taskbar window: a tiny ordinary window above the top edge of the screen
// whose only role is to own the diary's taskbar button. Minimising it hides
// the diary, restoring it brings the diary back (through the lock screen
// when a password is set), and closing it closes the diary.
#include <string>

#include "gui/form.h"

namespace app {

class Pisarion;

class frmTaskbar {
  Pisarion& m_app;
  gui::Form m_form;

 public:
  explicit frmTaskbar(Pisarion& app);

  gui::Form& form() { return m_form; }

  void Form_Resize();
  void Form_Activate();
  void Form_Unload(bool& cancel);

  // "frmmain" while the main window is hidden because the diary was minimised.
  std::string Tag;
};

}  // namespace app
