#include "skin/format_menus.h"

#include "skin/rects.h"

namespace skin {
namespace {

constexpr int kPoravnajWidth = 78, kPoravnajHeight = 29;
constexpr int kBarvoWidth = 166, kBarvoHeight = 129;
constexpr int kVelikostEntryHeight = 16, kVelikostEntries = 12;
constexpr int kVelikostWidth = 24, kVelikostHeight = kVelikostEntries * kVelikostEntryHeight + 6;

gui::PictureBox& addMenu(gui::Form& form, const char* name, int left, int width, int height) {
  gui::PictureBox& m = form.add<gui::PictureBox>(name);
  m.setVisible(false);
  m.move(left, kMenuTop, width, height);
  return m;
}

}  // namespace

FormatMenus::FormatMenus(gui::Form& form, const gui::Surface& atlas, int poravnajLeft, int barvoLeft,
                         int velikostLeft)
    : mnuPoravnaj(addMenu(form, "mnuPoravnaj", poravnajLeft + 2, kPoravnajWidth, kPoravnajHeight)),
      mnuSpremniBarvo(addMenu(form, "mnuSpremniBarvo", barvoLeft + 2, kBarvoWidth, kBarvoHeight)),
      mnuSpremeniVelikost(addMenu(form, "mnuSpremeniVelikost", velikostLeft + 2, kVelikostWidth, kVelikostHeight)) {
  paint(atlas);
}

void FormatMenus::paint(const gui::Surface& atlas) {
  paintPoravnaj(atlas);
  paintBarvo(atlas);
  paintVelikost(atlas);
}

void FormatMenus::paintPoravnaj(const gui::Surface& atlas) {
  mnuPoravnaj.surface().blit(atlas, r::mnuPoravnaj, {0, 0});
}

void FormatMenus::paintBarvo(const gui::Surface& atlas) {
  gui::Surface& s = mnuSpremniBarvo.surface();
  const int h = mnuSpremniBarvo.height();
  for (int j = 0; j <= h / 20; ++j) s.blit(atlas, r::menuTile, {0, 20 * j});
  s.blit(atlas, r::menuEdge, {0, 0});
  s.blit(atlas, r::menuEdge, {0, h - 1});
  s.blit(atlas, r::menuSeparator, {0, 123});
}

void FormatMenus::paintVelikost(const gui::Surface& atlas) {
  gui::Surface& s = mnuSpremeniVelikost.surface();
  const int h = mnuSpremeniVelikost.height();
  for (int j = 0; j <= h / 20; ++j) {
    s.blit(atlas, r::sizeTile, {0, 20 * j});
    s.blit(atlas, r::sizeRightEdge, {23, 20 * j});
  }
  s.blit(atlas, r::sizeEdge, {0, 0});
  s.blit(atlas, r::sizeEdge, {0, h - 1});
}

void FormatMenus::CloseMenus() {
  for (gui::PictureBox* m : {&mnuPoravnaj, &mnuSpremniBarvo, &mnuSpremeniVelikost})
    if (m->visible()) m->setVisible(false);
}

void FormatMenus::closeOthers(const gui::Element& keep) {
  for (gui::PictureBox* m : {&mnuPoravnaj, &mnuSpremniBarvo, &mnuSpremeniVelikost})
    if (m != &keep && m->visible()) m->setVisible(false);
}

}  // namespace skin
