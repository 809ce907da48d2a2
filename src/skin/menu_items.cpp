#include "skin/menu_items.h"

#include "gui/form.h"

namespace skin {

gui::Rect MenuGrid::cell(int k) const {
  const int i = k < 1 ? 0 : k - 1;
  return {first.x + pitch.x * (i % columns), first.y + pitch.y * (i / columns), width, height};
}

MenuItems::MenuItems(gui::PictureBox& menu, gui::Element& highlight, const std::string& timer, MenuGrid grid,
                     int pressButtons, Draw draw)
    : m_menu(menu),
      m_grid(grid),
      m_pressButtons(pressButtons),
      m_behaviour(highlight, menu.form(), timer, "", ButtonStyle{},
                  [this, draw = std::move(draw)](Row row) { draw(row, m_pointed); }) {
  m_behaviour.area = &menu;
}

void MenuItems::wire(gui::Element& item, int k) {
  item.onMouseDown = [this, k](int b, int, double, double) { mouseDown(k, b); };
  item.onMouseMove = [this, k](int b, int, double x, double y) { mouseMove(k, b, x, y); };
  item.onMouseUp = [this, k](int, int, double, double) { mouseUp(k); };
}

void MenuItems::mouseMove(int k, int button, double x, double y) {
  // A drag with the left button held leaves the highlight where it is.
  if (!(button & gui::kLeftButton)) m_pointed = k;
  m_behaviour.move(button, x, y);
}

void MenuItems::point(int k) {
  m_pointed = k;
  if (k > 0) m_behaviour.draw(Row::Highlight);
  else m_behaviour.rest();
}

void MenuItems::mouseDown(int, int button) {
  if (button & m_pressButtons) m_behaviour.press();
}

void MenuItems::mouseUp(int k) {
  if (onChoose) onChoose(k);
  m_menu.setVisible(false);
  m_behaviour.rest();
}

}  // namespace skin
