#pragma once
// What the size and the colour menu share: their items laid out in a grid
// inside the menu panel (index 0 a hidden template, 1 … n the items row by
// row), and one highlight element that follows the pointed item, driven by
// the shared button behaviour. Its tracking timer keeps the highlight while
// the pointer is anywhere on the menu, edges included, and takes it away once
// the pointer has left; a press holds it. A move with the left button held
// changes nothing; a release on an item chooses it, closes the menu and puts
// the highlight to rest.
//
// What differs between the two menus is data: the grid, which mouse buttons
// press, and how the highlight is drawn for the pointed item.
#include <functional>
#include <string>
#include <vector>

#include "gui/element.h"
#include "skin/button_behaviour.h"

namespace skin {

struct MenuGrid {
  int columns = 1, rows = 1;
  base::Point first;  // the top-left item's place in the menu
  base::Point pitch;  // from one item to the next, rightwards and down
  int width = 0, height = 0;

  int count() const { return columns * rows; }
  // Item k (1 … count), row by row; the template (0) lies where item 1 does.
  gui::Rect cell(int k) const;
};

class MenuItems {
 public:
  // Draws the highlight in `row` (rest, highlight or pressed) for the
  // pointed item.
  using Draw = std::function<void(Row row, int pointed)>;

  MenuItems(gui::PictureBox& menu, gui::Element& highlight, const std::string& timer, MenuGrid grid,
            int pressButtons, Draw draw);
  MenuItems(const MenuItems&) = delete;
  MenuItems& operator=(const MenuItems&) = delete;

  // Makes the template "name(0)" and the items "name(1)" … in their cells,
  // each given to `setup` first, and wires the items' mouse here.
  template <class T>
  std::vector<T*> make(const std::string& name, const std::function<void(T&, int)>& setup) {
    std::vector<T*> items;
    for (int k = 0; k <= m_grid.count(); ++k) {
      T& item = m_menu.add<T>(name + "(" + std::to_string(k) + ")");
      const gui::Rect c = m_grid.cell(k);
      item.move(c.x, c.y, c.w, c.h);
      setup(item, k);
      if (k == 0)
        item.setVisible(false);
      else
        wire(item, k);
      items.push_back(&item);
    }
    return items;
  }

  // The item chosen by a release, before the menu closes.
  std::function<void(int item)> onChoose;

  gui::Timer& timer() { return m_behaviour.tracking; }
  int pointed() const { return m_pointed; }
  int count() const { return m_grid.count(); }
  int columns() const { return m_grid.columns; }
  // The keyboard's pointing: the highlight on item k (1 … count), or none for 0.
  void point(int k);
  // Item k chosen by the keyboard, as a release on it chooses it.
  void choose(int k) { mouseUp(k); }

 private:
  void wire(gui::Element& item, int k);
  void mouseDown(int k, int button);
  void mouseMove(int k, int button, double x, double y);
  void mouseUp(int k);

  gui::PictureBox& m_menu;
  MenuGrid m_grid;
  int m_pressButtons;
  int m_pointed = 0;
  ButtonBehaviour m_behaviour;
};

}  // namespace skin
