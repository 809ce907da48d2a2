#pragma once
// The change-password dialog. It asks for the current password, grows to
// show the new password and its repeat once the current one is confirmed,
// and leaves by sliding off the top of the screen (changed) or off the bottom
// (cancelled). The main window is disabled while it asks. Like the login
// window it never shows the typed text: three hidden boxes take the keys and
// each field shows one dot per character, with a blinking caret.
#include "gui/form.h"

namespace app {

class Pisarion;

class frmSpremeniGeslo {
  // First, so that the elements below can be made on the form.
  Pisarion& m_app;
  gui::Form m_form;

 public:
  explicit frmSpremeniGeslo(Pisarion& app);
  ~frmSpremeniGeslo();

  gui::Form& form() { return m_form; }

  // Opened by the password button: centred on the screen, 75 pixels high,
  // asking for the current password; the main window waits disabled.
  void Open();
  // The diary was opened by its recovery code: straight to the new password.
  void OpenForNewPassword();

  void Text1_Change();
  void Text2_Change();
  void Text3_Change();
  void Text1_KeyDown(int keyCode, int shift);
  void Text2_KeyDown(int keyCode, int shift);
  void Text3_KeyDown(int keyCode, int shift);
  // A press on the new-password rows chooses that field.
  void Form_MouseDown(int button, int shift, double x, double y);
  void Timer1_Timer();  // grows the dialog
  void Timer2_Timer();  // blinks the caret
  void Timer3_Timer();  // slides it away: tag "1" up (changed), "2" down (cancelled)

  // The boxes that take the keys, out of sight below the dialog: the current
  // password, the new one and its repeat.
  gui::TextBox& Text1;
  gui::TextBox& Text2;
  gui::TextBox& Text3;
  gui::PictureBox& Geslo1;
  gui::PictureBox& Geslo2;
  gui::PictureBox& Geslo3;
  gui::PictureBox& Picture1;   // the caret
  gui::PictureBox& picSpodaj;  // the bottom edge, moving down as the dialog grows
  gui::Timer& Timer1;
  gui::Timer& Timer2;
  gui::Timer& Timer3;

 private:
  // The face and the parts; the dialog runs it once, as it is made.
  void Layout();
  void describe(gui::AccNode& window) const;
  void wireEvents();
  void showDots(gui::TextBox& box, gui::PictureBox& strip);
  void confirmCurrent();
  void askForNew();
  void compareNew();
  void cancel();
  // Makes `box` the field that takes the keys, `other` (the other new-password
  // box) disabled, and puts the caret on `strip`.
  void chooseField(gui::TextBox& box, gui::TextBox& other, gui::PictureBox& strip);
  bool leaving() const { return Timer3.enabled(); }
  void paintFace();
  // The field's label in the face while its box is empty, covered once typed in.
  void coverLabel(const gui::TextBox& box, const gui::PictureBox& strip);
  // "Geslo je spremenjeno." (or "… odstranjeno.") over the keys' hint.
  void tellChanged();

  int m_toldTicks = 0;  // ticks the news of a change still stays
};

}  // namespace app
