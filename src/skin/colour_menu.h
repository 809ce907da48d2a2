#pragma once
// The colour palette inside mnuSpremniBarvo: 48 swatches in six rows of
// eight, each in its skin frame, and a 20 × 20 hover frame (picIzbranaBarva)
// behind the pointed swatch, kept by the menus' shared item behaviour
// (skin/menu_items.h) until the pointer leaves the menu; only the left
// button presses. A choice colours the editor's
// selection (not on a read-only day), closes the menu and gives the colour
// to the program's face marks, so every colour button face drawn later
// shows it.
//
// The frame's Tag is "D" while a swatch is pressed; the frame then stays,
// even with the pointer dragged off the menu.
#include <array>
#include <optional>
#include <vector>

#include "gui/element.h"
#include "gui/timer.h"
#include "skin/menu_items.h"
#include "skin/skinned_button.h"

namespace skin {

class ColourMenu {
 public:
  static constexpr int kColumns = 8, kRows = 6, kSwatches = kColumns * kRows;
  static constexpr int kSwatchSize = 16, kPitch = 20, kMargin = 4;
  // The palette row by row: light tints, tints, full colours, then darker shades.
  static constexpr std::array<base::Color, kSwatches> kPalette{
      base::Color::rgb(255, 255, 255), base::Color::rgb(255, 192, 192), base::Color::rgb(255, 224, 192),
      base::Color::rgb(255, 255, 192), base::Color::rgb(192, 255, 192), base::Color::rgb(192, 255, 255),
      base::Color::rgb(192, 192, 255), base::Color::rgb(255, 192, 255),  //
      base::Color::rgb(224, 224, 224), base::Color::rgb(255, 128, 128), base::Color::rgb(255, 192, 128),
      base::Color::rgb(255, 255, 128), base::Color::rgb(128, 255, 128), base::Color::rgb(128, 255, 255),
      base::Color::rgb(128, 128, 255), base::Color::rgb(255, 128, 255),  //
      base::Color::rgb(192, 192, 192), base::Color::rgb(255, 0, 0),     base::Color::rgb(255, 128, 0),
      base::Color::rgb(255, 255, 0),   base::Color::rgb(0, 255, 0),     base::Color::rgb(0, 255, 255),
      base::Color::rgb(0, 0, 255),     base::Color::rgb(255, 0, 255),  //
      base::Color::rgb(128, 128, 128), base::Color::rgb(192, 0, 0),     base::Color::rgb(192, 64, 0),
      base::Color::rgb(192, 192, 0),   base::Color::rgb(0, 192, 0),     base::Color::rgb(0, 192, 192),
      base::Color::rgb(0, 0, 192),     base::Color::rgb(192, 0, 192),  //
      base::Color::rgb(64, 64, 64),    base::Color::rgb(128, 0, 0),     base::Color::rgb(128, 64, 0),
      base::Color::rgb(128, 128, 0),   base::Color::rgb(0, 128, 0),     base::Color::rgb(0, 128, 128),
      base::Color::rgb(0, 0, 128),     base::Color::rgb(128, 0, 128),  //
      base::Color::rgb(0, 0, 0),       base::Color::rgb(64, 0, 0),      base::Color::rgb(128, 64, 64),
      base::Color::rgb(64, 64, 0),     base::Color::rgb(0, 64, 0),      base::Color::rgb(0, 64, 64),
      base::Color::rgb(0, 0, 64),      base::Color::rgb(64, 0, 64)};

  // `menu` is the panel (already placed and painted); `marks` the colour the
  // toolbar shows; `colourButton` the box showing the colour faces;
  // `shownColour` the hidden box whose back colour the button shows.
  ColourMenu(gui::PictureBox& menu, const gui::Surface& atlas, FaceMarks& marks, gui::PictureBox& colourButton,
             gui::PictureBox& shownColour, EditorSource editor);
  ColourMenu(const ColourMenu&) = delete;
  ColourMenu& operator=(const ColourMenu&) = delete;

  gui::PictureBox& mnuSpremniBarvo;
  gui::PictureBox& picIzbranaBarva;
  gui::PictureBox& picBarvaZaGumb;

  // Copies the swatches' frames from `atlas` from now on: the swatches and
  // their frames are painted again (the panel itself first, by its owner).
  void setAtlas(const gui::Surface& atlas);

 private:
  const gui::Surface* m_atlas;
  MenuItems m_items;

 public:
  // Its items, for the keyboard to point at and choose.
  MenuItems& items() { return m_items; }
  // Each swatch's tip: its colour's name, in the palette's order.
  static const std::array<const char16_t*, kSwatches> kNames;
  // Index 0 is the hidden template; 1 … 48 the swatches, row by row.
  std::vector<gui::PictureBox*> picBarva;
  gui::Timer& tmrMnuBarve;

  // The back colour of picBarvaZaGumb becomes the colour button's mark.
  void drawColourDisplay();
  // A ring around the swatch of the selection's colour, so the open menu
  // shows the colour in use; none for a colour not in the palette or mixed.
  void markColour(std::optional<base::Color> colour);
  gui::Shape& currentMark;

  // Releasing on swatch `index`: its colour for the selection and the
  // colour button (the menu then closes).
  void picBarva_MouseUp(int index);

 private:
  void setUpSwatch(gui::PictureBox& s, int index);
  void drawFrame(Row row, int pointed);

  FaceMarks& m_marks;
  gui::PictureBox& m_colourButton;
  EditorSource m_editor;
};

}  // namespace skin
