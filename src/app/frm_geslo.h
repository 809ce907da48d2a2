#pragma once
// The login window: the program's start-up window and the diary's lock
// screen. A hidden box takes the keys; the window shows one dot per typed
// character, centred, with a blinking caret after the last dot.
#include <string>

#include "gui/form.h"

namespace app {

class Pisarion;

class frmGeslo {
  // First, so that the elements below can be made on the form.
  Pisarion& m_app;
  gui::Form m_form;

 public:
  explicit frmGeslo(Pisarion& app);
  ~frmGeslo();

  gui::Form& form() { return m_form; }

  // The program's start: read the settings, open the main window at once
  // when no password is set, lay out this window.
  void Form_Load();
  void LayoutLoginWindow();

  // Shown again as the lock screen, with an empty box.
  void showLockScreen();

  void Form_Click();
  void Text1_Change();
  // The dot strip as long as the typed password, the caret after it.
  void fitDots();
  void Text1_KeyDown(int keyCode, int shift);
  void Timer2_Timer();

  // "0" until the main window has been opened once, then "1".
  std::string mark = "0";

  gui::TextBox& Text1;
  gui::PictureBox& Geslo;
  gui::PictureBox& Picture1;
  gui::Timer& Timer2;

 private:
  void describe(gui::AccNode& window) const;
  void checkPassword();
  void backOut();
  void paintDots();
  void centreOnWorkArea();
};

}  // namespace app
