#pragma once
// ComboBox2: the list that drops down under the year and month labels. Rows
// of plain text (or month names for month numbers when Mesci is set), the
// control fitting its height to at most twelve rows, the highlight following
// presses and the Up/Down keys silently, and a choice reported on release or
// Enter. Scroll track and thumb as in RowList.
#include <string>

#include "controls/row_list.h"

namespace controls {

class ComboBox2 : public RowList {
 public:
  explicit ComboBox2(std::string name);

  // When true, a row added as a month number 1–12 shows the month's name.
  bool Mesci = false;

  // Appends a row, fits the height, raises Resize, lays out the track.
  void Dodaj(std::string tekst);
  // Removes every row; raises nothing.
  void Počisti();
  // Moves only the highlight to the (last) row of the text; the chosen row
  // and the colours stay.
  void Izberi(std::string tekst);
  // The highlighted row becomes the chosen one, so that the keys move on
  // from the row the list was opened at.
  void takeHighlight();

  // Events, in the order of their declaration.
  std::function<void(std::string& tekst)> Izbran;
  std::function<void(std::string& Star, std::string& Nov)> SpremembaIzbora;  // never raised
  std::function<void()> Resize;
  // (Klik comes from RowList.)

  static constexpr int kVisibleRows = 12;

 protected:
  void attached() override;
  void wireRow(gui::Label& label, int index) override;

 private:
  void highlight(int i);
  void report(int i);
};

}  // namespace controls
