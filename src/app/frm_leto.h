#pragma once
// "Leto na pogled": a small window in the diary's colours with one year as a
// grid of twelve months by their days, each day a square shaded by how much
// was written on it, today outlined, a tip with the date and the words on
// each square; below it the year's and the whole diary's days, words and
// runs of consecutive days. The arrows (or Left and Right) change the year,
// Escape or × closes it, a click on a written day shows it in the main window.
#include <array>
#include <functional>
#include <string>

#include "base/date.h"
#include "gui/form.h"
#include "lookback/diary_days.h"

namespace app {

class frmLeto {
 public:
  explicit frmLeto(gui::Platform& platform);

  gui::Form& form() { return m_form; }
  // The day counts the window shows; the main window keeps them up to date.
  lookback::DiaryDays& days() { return m_days; }

  // Shows the year (within the diary's years) centred over `over`, a
  // rectangle of screen pixels, kept on top with the main window when it is,
  // and takes the keys.
  void showYear(int year, const base::Date& today, gui::Rect over, bool onTop);
  int year() const { return m_year; }
  // Draws the shown year again from the counts.
  void fill();

  // A day with an entry was clicked: its date key.
  std::function<void(const std::string& key)> onDayChosen;

  static constexpr int kWidth = 424, kHeight = 300;

 private:
  void layOut();
  void changeYear(int step);
  void Form_KeyDown(int keyCode);
  void fillSummary();
  void paintFrame();
  void makeTitleStrip();
  void makeGrid();
  void makeSummary();
  void dragTitle(int button);
  void describe(gui::AccNode& window) const;

  gui::Platform& m_platform;
  gui::Form m_form;
  lookback::DiaryDays m_days;
  int m_year = 0;
  base::Date m_today;
  gui::Point m_dragFrom;  // the pointer's screen point at the title's press

  gui::Label* lblNaslov = nullptr;
  gui::Label* lblLeto = nullptr;
  gui::Label* BtnNazaj = nullptr;
  gui::Label* BtnNaprej = nullptr;
  gui::Label* BtnZapri = nullptr;
  std::array<std::array<gui::Label*, 31>, 12> m_squares{};
  gui::Shape* m_todayRing = nullptr;
  // The summary: four lines, a column for the year and one for the diary.
  std::array<gui::Label*, 3> m_columnHeads{};
  std::array<std::array<gui::Label*, 2>, 4> m_figures{};
};

}  // namespace app
