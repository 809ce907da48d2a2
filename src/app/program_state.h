#pragma once
// The values the whole program shares. Each is read anywhere and written
// only through its setter, by the one owner named beside it.
#include <string>

#include "shape/cls_docking_handler.h"

namespace app {

class ProgramState {
 public:
  // The main window kept above all others: from the settings at start-up,
  // then switched by the keep-on-top button.
  bool OnTopSetting() const { return m_onTop; }
  void setOnTopSetting(bool onTop) { m_onTop = onTop; }

  // The four-digit year whose months and days the pickers show; set by the
  // year picker and by showing a search result's month.
  const std::string& ChosenYear() const { return m_chosenYear; }
  void setChosenYear(std::string year) { m_chosenYear = std::move(year); }

  // The current password; empty: none. From the settings at start-up, then
  // changed by the change-password dialog and written to the settings at once
  // (a sealed diary keeps it only in its key file).
  const std::u16string& password() const { return m_password; }
  void setPassword(std::u16string password) { m_password = std::move(password); }

  // The desktop's work area in twips, read at the start of each drag and
  // before a fold; the fold slides to its top-left corner.
  const shape::WorkArea& workArea() const { return m_workArea; }
  void setWorkArea(const shape::WorkArea& area) { m_workArea = area; }
  // The unfold slides back from where the clock stands now.
  void setSlideCorner(int left, int top) {
    m_workArea.WorkAreaLeft = left;
    m_workArea.WorkAreaTop = top;
  }

  // Steps of the mini clock's slide, 0 to 7, counted by the slide's timer.
  int FoldStep() const { return m_foldStep; }
  void restartFold() { m_foldStep = 0; }
  void countFoldStep() { ++m_foldStep; }

 private:
  bool m_onTop = false;
  std::string m_chosenYear;
  std::u16string m_password;
  shape::WorkArea m_workArea;
  int m_foldStep = 0;
};

}  // namespace app
