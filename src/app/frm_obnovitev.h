#pragma once
// The recovery code's window, shown once when the diary is sealed: the code
// in five groups, "Kopiraj" (to the clipboard) and "Shrani …" (a text file),
// and a sentence on keeping it safe. Enter or Escape closes it.
#include <functional>
#include <string>

#include "gui/form.h"

namespace app {

class Pisarion;

class frmObnovitev {
  Pisarion& m_app;
  gui::Form m_form;

 public:
  explicit frmObnovitev(Pisarion& app);

  gui::Form& form() { return m_form; }
  // Shows the code above every other window of the diary.
  void ShowCode(std::u16string code);

  gui::Label& lblNaslov;
  gui::Label& lblKoda;
  gui::Label& lblNasvet;  // three lines on keeping it safe
  gui::Label& lblNasvet2;
  gui::Label& lblNasvet3;
  gui::Label& BtnKopiraj;
  gui::Label& BtnShrani;
  gui::TextBox& Text1;  // takes the keys, out of sight

  void BtnKopiraj_Click();
  void BtnShrani_Click();
  void Text1_KeyDown(int keyCode, int shift);
  // Runs once the window is closed.
  std::function<void()> onClosed;

 private:
  void paintAndStyle();
  void describe(gui::AccNode& window);
  std::u16string m_code;
  void close();
};

}  // namespace app
