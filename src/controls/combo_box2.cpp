#include "controls/combo_box2.h"

#include <charconv>

#include "base/cp1250.h"
#include "base/date.h"
#include "base/number.h"
#include "gui/form.h"

namespace controls {
namespace {

// A whole number, spaces around it allowed.
std::optional<int> wholeNumber(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  return base::wholeNumber(s);
}

}  // namespace

ComboBox2::ComboBox2(std::string name) : RowList(std::move(name), 181, 116) {}

void ComboBox2::attached() {
  RowList::attached();
  onKeyDown = [this](int key, int) {
    if (key == gui::kKeyReturn) return report(Izbrana);
    if (key == gui::kKeyUp && Izbrana >= 2) highlight(Izbrana - 1);
    else if (key == gui::kKeyDown && Izbrana < rowCount()) highlight(Izbrana + 1);
    else return;
    showRow(Izbrana);
  };
}

void ComboBox2::wireRow(gui::Label& label, int index) {
  label.onMouseDown = [this, index](int, int, double, double) {
    pressed();
    highlight(index);
  };
  // The choice is the row the press began on, released over it.
  label.onMouseUp = [this, index, &label](int, int, double x, double y) {
    if (x >= 0 && y >= 0 && x < label.width() && y < label.height()) {
      report(index);
      raiseChosenWithMouse();
    }
  };
  label.onClick = [this] { raiseKlik(); };
}

void ComboBox2::Dodaj(std::string tekst) {
  const int n = addRow(tekst);
  std::string text = tekst;
  if (Mesci) {
    // A month number shows its name (none outside 1–12); a text that is no
    // number at all shows as it stands.
    if (const std::optional<int> month = wholeNumber(tekst)) text = base::monthName(*month);
  }
  lblDan[n]->setText(base::utf8ToUtf16(text));
  const int H = rowHeight();
  Območje->setHeight((H + 1) * n + 1);
  setHeight(n + 1 <= kVisibleRows ? Območje->height() : (H + 1) * kVisibleRows + 1);
  if (auto handler = Resize) handler();
  NastaviDrsnik();
}

void ComboBox2::Počisti() {
  removeRows();
  Izbor->setVisible(false);
  Izbrana = 0;
}

void ComboBox2::Izberi(std::string tekst) {
  placeHighlight(rowWithTag(tekst));
  Izbor->sendToBack();
}

void ComboBox2::takeHighlight() {
  const int row = highlightedRow();
  if (Izbor->visible() && row >= 1 && row <= rowCount()) highlight(row);
}

void ComboBox2::highlight(int i) {
  if (i != Izbrana) {
    recolour(i, Izbrana);
    Izbrana = static_cast<int16_t>(i);
  }
  placeHighlight(i);
  Izbor->sendToBack();
}

void ComboBox2::report(int i) {
  std::string tekst = rowTag(i);
  if (auto handler = Izbran) handler(tekst);
}

}  // namespace controls
