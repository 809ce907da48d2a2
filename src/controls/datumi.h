#pragma once
// Datumi: the self-drawn list of the days of one month that have an entry.
// One row per added date key, "DD. weekday" (today: "Danes (DD. weekday)"),
// Saturdays and Sundays on their own background, a highlight on the chosen
// row, Up and Down keys, and the scroll track of RowList. The control never
// reads files: it keeps each row's date key and reports choices.
#include <string>
#include <vector>

#include "controls/row_list.h"

namespace controls {

inline constexpr base::Color kNedelja = base::Color::rgb(255, 234, 234);  // Sunday row
inline constexpr base::Color kSobota = base::Color::rgb(233, 245, 254);   // Saturday row

class Datumi : public RowList {
 public:
  explicit Datumi(std::string name);

  // Appends the row of a date key, grows the area, lays out the track.
  void DodajDan(std::string Dan);
  // Appends a row that names the whole date, "30. 06. 2026 (torek)": the
  // rows of days from different months and years (search results).
  void addDateRow(std::string Dan);
  // Reports whether today's row is chosen, then removes every row.
  void Počisti();
  // Chooses the (last) row of the key as a click would, without Klik.
  void IzberiDan(std::string Datum);

  // Events, in the order of their declaration.
  std::function<void(std::string& Dan)> IzbtranDatum;
  std::function<void(std::string& StarDan, std::string& NovDan)> SpremembaIzbora;
  std::function<void(bool& Danes)> ČiščenjeIzbora;
  // (Klik comes from RowList.)

  std::vector<gui::Shape*> BarvnoOzadje;  // weekend backgrounds, [0] the hidden template
  // Its back colour is the Sunday colour, its text colour the Saturday one.
  gui::Label* Label1 = nullptr;

  // The rows' colours; with any but the skin's the weekends are not tinted.
  void setColours(const Colours& colours) override;

 protected:
  void attached() override;
  void wireRow(gui::Label& label, int index) override;

 private:
  // Steps of a choice shared by the click, IzberiDan and the keys; only a
  // click raises Klik after them.
  enum class ChosenBy { Click, KeysOrCall };
  void choose(int i, ChosenBy by);
  std::string todayKey() const;
};

}  // namespace controls
