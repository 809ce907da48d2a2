#pragma once
// What the day list (Datumi) and the drop-down list (ComboBox2) share: rows of
// labels with a separator line under each inside a white area, a highlight
// behind the chosen row, and a scroll track with a thumb along the right edge
// that appears when the rows do not fit.
//
// Row k (k = 1, 2, …) has its label at left 6, top (H + 1)·(k − 1) + 1 and its
// line at y = (H + 1)·k, H being the height of the hidden template label
// lblDan[0]. Every row label carries its value (a date key, a year, a month
// number) as its tag.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/element.h"
#include "skin/button_behaviour.h"
#include "skin/palette.h"

namespace controls {

class RowList : public gui::Panel {
 public:
  // Left to the container: the day list's owner may keep the number of days here.
  int16_t ŠteviloDni = 0;
  // Index of the chosen row; 0 = none (index 0 is the hidden template).
  int16_t Izbrana = 0;
  // Whether the chosen row is today's (set by the day list on every choice).
  bool IzbranDanes = false;

  // Shows or hides the scroll track and sizes and places the thumb for the
  // current rows.
  void NastaviDrsnik();

  // Any click in the control: on a row, the area, the track, its buttons and
  // thumb, or the control's own background.
  std::function<void()> Klik;
  // A row was chosen with the mouse (after the control's own events): the
  // window gives the keys back to where the user writes.
  std::function<void()> onChosenWithMouse;

  // Scrolls by whole rows (down for positive counts) as far as the rows go.
  void scrollRows(int rows);
  // Scrolls just far enough for row i to show whole.
  void showRow(int i);

  int rowCount() const { return static_cast<int>(lblDan.size()) - 1; }
  // The value of row i (the template's, empty, for 0 and out of range).
  const std::string& rowTag(int i) const;
  // The last row whose value is `tag`; 0 when none is.
  int rowWithTag(const std::string& tag) const;
  int rowHeight() const { return lblDan[0]->height(); }
  // The row the highlight was put on last (-1: none yet).
  int highlightedRow() const { return m_highlightRow; }

  gui::Panel* Območje = nullptr;
  gui::Panel* PoložajnaVrstica = nullptr;
  gui::Panel* Gor = nullptr;
  gui::Panel* Dol = nullptr;
  gui::Panel* Drsnik = nullptr;
  std::vector<gui::Label*> lblDan;  // [0] is the hidden template
  std::vector<gui::Line*> Line1;    // [0] is the hidden template
  gui::Shape* Izbor = nullptr;
  gui::Label* lblIzbranDan = nullptr;

  static constexpr int kTrackWidth = 15;

  // The colours of the rows' area: the skin's, or the system's while high
  // contrast is on (the frame and the scroll track keep the skin's).
  struct Colours {
    base::Color area, text, chosenFill, chosenBorder, chosenText, pointed, lines;
    bool operator==(const Colours&) const = default;
  };
  static Colours skinColours();
  virtual void setColours(const Colours& colours);

 protected:
  RowList(std::string name, int designWidth, int designHeight);

  void attached() override;
  void resized() override;

  // Label and line of the next row at their places, visible; answers its index.
  int addRow(const std::string& tag);
  // Removes the label and line of every row.
  void removeRows();
  // Puts the highlight over row i (above the first row, out of sight, for 0).
  void placeHighlight(int i);
  // Row i's text in the chosen colour, the previously chosen row's back to the
  // normal one; the template keeps its colour.
  void recolour(int chosen, int previous);
  void raiseKlik();
  void raiseChosenWithMouse();
  // Called for a press on any part of the control: it takes the keys.
  void pressed();
  // The pointer moved over row i with these buttons held: the row lights up
  // unless it is the highlighted one or a button is held.
  void pointerOnRow(int i, int buttons);
  // The row under the pointer goes back to its own look.
  void clearHover();

  // Row labels are wired by the concrete control.
  virtual void wireRow(gui::Label& label, int index) = 0;

 private:
  void makeRowParts();
  void wireMouse();
  void thumbMove(double y);
  // The area's top, kept between the end of the rows and 0, and the thumb
  // at the matching place of its track.
  void scrollTo(int areaTop);
  void wheel(int delta);
  void drawHover(skin::Row row);

  int m_designWidth, m_designHeight;
  int m_dragStartY = 0;
  int m_wheelRest = 0;         // a wheel turn short of a whole row
  int m_highlightRow = -1;     // where the highlight was put last
  gui::Shape* m_hover = nullptr;
  std::unique_ptr<skin::ButtonBehaviour> m_hoverBehaviour;
};

}  // namespace controls
