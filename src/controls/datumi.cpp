#include "controls/datumi.h"

#include "base/cp1250.h"
#include "base/date.h"
#include "gui/form.h"

namespace controls {

Datumi::Datumi(std::string name) : RowList(std::move(name), 181, 431) {}

void Datumi::attached() {
  RowList::attached();
  gui::Shape& template0 = Območje->add<gui::Shape>("BarvnoOzadje(0)");
  template0.setFillStyle(gui::FillStyle::Solid);
  template0.setBorderStyle(gui::BorderStyle::None);
  template0.setVisible(false);
  BarvnoOzadje = {&template0};
  Label1 = &add<gui::Label>("Label1");
  Label1->setBackColor(kNedelja);
  Label1->setForeColor(kSobota);
  Label1->setVisible(false);
  // The keys keep the chosen row in sight.
  onKeyDown = [this](int key, int) {
    if (key == gui::kKeyUp && Izbrana >= 2) choose(Izbrana - 1, ChosenBy::KeysOrCall);
    else if (key == gui::kKeyDown && Izbrana < rowCount()) choose(Izbrana + 1, ChosenBy::KeysOrCall);
    else return;
    showRow(Izbrana);
  };
}

std::string Datumi::todayKey() const { return base::dateKey(form().platform().now().date); }

void Datumi::wireRow(gui::Label& label, int index) {
  label.onMouseDown = [this](int, int, double, double) { pressed(); };
  label.onClick = [this, index] {
    choose(index, ChosenBy::Click);
    raiseChosenWithMouse();
  };
}

void Datumi::DodajDan(std::string Dan) {
  const int n = addRow(Dan);
  const int H = rowHeight();
  gui::Shape& weekend = Območje->add<gui::Shape>("BarvnoOzadje(" + std::to_string(n) + ")");
  weekend.setFillStyle(gui::FillStyle::Solid);
  weekend.setBorderStyle(gui::BorderStyle::None);
  weekend.move(0, (H + 1) * (n - 1), width() + 1, H + 2);
  weekend.setVisible(false);
  BarvnoOzadje.push_back(&weekend);

  gui::Label& label = *lblDan[n];
  if (const std::optional<base::Date> date = base::parseDateKey(Dan)) {
    const std::string name = base::weekdayName(base::weekday(*date));
    if (name == "nedelja") {
      weekend.setFillColor(Label1->backColor());
      weekend.setVisible(true);
    } else if (name == "sobota") {
      weekend.setFillColor(Label1->foreColor());
      weekend.setVisible(true);
    }
    const std::string text = base::keyDay(Dan) + ". " + name;
    label.setText(base::utf8ToUtf16(Dan == todayKey() ? "Danes (" + text + ")" : text));
  } else {
    // A stray file in the data folder: its row shows the name as it stands.
    label.setText(base::utf8ToUtf16(Dan));
  }
  Območje->setHeight((H + 1) * n + 1);
  NastaviDrsnik();
  label.bringToFront();
  weekend.sendToBack();
}

void Datumi::setColours(const Colours& colours) {
  RowList::setColours(colours);
  const bool skin = colours == skinColours();
  Label1->setBackColor(skin ? kNedelja : colours.area);
  Label1->setForeColor(skin ? kSobota : colours.area);
  for (int n = 1; n <= rowCount() && n < static_cast<int>(BarvnoOzadje.size()); ++n) {
    const std::optional<base::Date> date = base::parseDateKey(rowTag(n));
    const std::string day = date ? base::weekdayName(base::weekday(*date)) : "";
    if (day == "nedelja") BarvnoOzadje[n]->setFillColor(Label1->backColor());
    else if (day == "sobota") BarvnoOzadje[n]->setFillColor(Label1->foreColor());
  }
}

void Datumi::addDateRow(std::string Dan) {
  DodajDan(Dan);
  if (const std::optional<base::Date> date = base::parseDateKey(Dan))
    lblDan.back()->setText(base::utf8ToUtf16(base::keyDay(Dan) + ". " + base::keyMonth(Dan) + ". " + base::keyYear(Dan) +
                                             " (" + base::weekdayName(base::weekday(*date)) + ")"));
}

void Datumi::Počisti() {
  bool danes = rowTag(Izbrana) == todayKey();
  if (auto handler = ČiščenjeIzbora) handler(danes);
  for (size_t i = BarvnoOzadje.size(); i-- > 1;) Območje->remove(*BarvnoOzadje[i]);
  BarvnoOzadje.resize(1);
  removeRows();
  Izbor->setVisible(false);
  Izbrana = 0;
}

void Datumi::IzberiDan(std::string Datum) {
  choose(rowWithTag(Datum), ChosenBy::KeysOrCall);
}

void Datumi::choose(int i, ChosenBy by) {
  if (i != Izbrana) {
    std::string star = rowTag(Izbrana), nov = rowTag(i);
    if (auto handler = SpremembaIzbora) handler(star, nov);
    recolour(i, Izbrana);
    Izbrana = static_cast<int16_t>(i);
  }
  placeHighlight(i);
  std::string dan = rowTag(i);
  const bool danes = dan == todayKey();
  if (auto handler = IzbtranDatum) handler(dan);
  IzbranDanes = danes;
  if (by == ChosenBy::Click) raiseKlik();
}

}  // namespace controls
