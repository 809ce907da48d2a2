#pragma once
// The font size picker inside mnuSpremeniVelikost: twelve sizes as labels in
// one column, a highlight rectangle (Izbor) behind the pointed one, kept by
// the menus' shared item behaviour (skin/menu_items.h) until the pointer
// leaves the menu. Any mouse button presses. A choice sets the size of the
// editor's selection and closes the menu; the highlight keeps the colours
// last set, so after a first choice it shows the released colours.
//
// The size button shows the size of the selection as two digits, kept in the
// program's face marks, so every face drawn later (rest, fade steps,
// highlight, pressed) shows the size.
#include <array>
#include <optional>
#include <functional>
#include <string>
#include <vector>

#include "gui/element.h"
#include "gui/timer.h"
#include "skin/menu_items.h"
#include "skin/skinned_button.h"

namespace skin {

class SizeMenu {
 public:
  static constexpr int kEntries = 12;
  static constexpr int kEntryHeight = 16;  // H, the height of one entry
  static constexpr std::array<int, kEntries> kSizes{8, 9, 10, 11, 12, 14, 16, 18, 24, 32, 48, 72};

  // Grey, yet 6.3 : 1 on the menu's pale blue so the sizes read easily.
  static constexpr base::Color kEntryColor = base::Color::rgb(88, 88, 104);
  static constexpr base::Color kPointedColor = base::Color::rgb(0, 55, 159);
  static constexpr base::Color kHoverFill = base::Color::rgb(183, 226, 250);
  static constexpr base::Color kHoverBorder = base::Color::rgb(70, 109, 167);
  static constexpr base::Color kPressedFill = base::Color::rgb(62, 155, 226);
  static constexpr base::Color kPressedBorder = base::Color::rgb(23, 103, 184);
  static constexpr base::Color kReleasedFill = base::Color::rgb(166, 204, 226);
  static constexpr base::Color kReleasedBorder = base::Color::rgb(62, 155, 226);

  // `menu` is the panel (already placed and painted); `marks` the size the
  // toolbar shows; `sizeButton` the box that shows the size faces.
  SizeMenu(gui::PictureBox& menu, FaceMarks& marks, gui::PictureBox& sizeButton,
           EditorSource editor);
  SizeMenu(const SizeMenu&) = delete;
  SizeMenu& operator=(const SizeMenu&) = delete;

  gui::PictureBox& mnuSpremeniVelikost;
  gui::Shape& Izbor;

 private:
  MenuItems m_items;

 public:
  // Its items, for the keyboard to point at and choose.
  MenuItems& items() { return m_items; }
  // Index 0 is the hidden template; 1 … 12 the entries from the top.
  std::vector<gui::Label*> lblVelikost;
  gui::Timer& tmrMnuVelikost;

  // Takes the selection's size for the size button's faces; a selection of
  // mixed sizes leaves them as they are.
  void drawSizeDisplay();
  // The entry of the selection's size stays in the pointed colour, so the
  // open menu shows the size in use; mixed sizes (nullopt) mark none.
  void markSize(std::optional<double> points);

  // Releasing on entry `index`: the released colours, and its size for the
  // selection (the menu then closes).
  void lblVelikost_MouseUp(int index);

 private:
  void setUpEntry(gui::Label& e, int index);
  void drawHighlight(Row row, int pointed);
  void resetEntryColours(int except);
  base::Color restColour(int index) const { return index == m_current ? kPointedColor : kEntryColor; }

  FaceMarks& m_marks;
  gui::PictureBox& m_sizeButton;
  EditorSource m_editor;
  int m_current = 0;  // the marked entry, 0 for none
};

}  // namespace skin
