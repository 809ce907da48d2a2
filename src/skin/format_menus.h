#pragma once
// The three drop-down panels under the toolbar's menu buttons: alignment
// (mnuPoravnaj), colour (mnuSpremniBarvo) and size (mnuSpremeniVelikost).
// Here they get their place, size and skinned background, hidden; what goes
// inside them belongs to each picker.
#include "gui/element.h"
#include "gui/form.h"

namespace skin {

// All three menus hang from the toolbar's bottom edge.
inline constexpr int kMenuTop = 58;

class FormatMenus {
 public:
  // Creates the panels on the form (on top of everything there so far),
  // each 2 pixels right of its button's left edge.
  FormatMenus(gui::Form& form, const gui::Surface& atlas, int poravnajLeft, int barvoLeft, int velikostLeft);

  gui::PictureBox& mnuPoravnaj;
  gui::PictureBox& mnuSpremniBarvo;
  gui::PictureBox& mnuSpremeniVelikost;

  // Paints the three panels from `atlas` (again, after a change of scale).
  void paint(const gui::Surface& atlas);
  // Hides each menu that is showing; nothing else changes.
  void CloseMenus();
  // Hides the menus other than `keep`.
  void closeOthers(const gui::Element& keep);

 private:
  void paintPoravnaj(const gui::Surface& atlas);
  void paintBarvo(const gui::Surface& atlas);
  void paintVelikost(const gui::Surface& atlas);
};

}  // namespace skin
