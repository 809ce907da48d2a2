// The main window's year, month and day pickers: their layout, the start-up
// fill, the drop-downs' opening and closing, and what a choice in each does.
#include <algorithm>
#include <charconv>

#include "app/frm_main.h"
#include "app/pisarion.h"
#include "base/cp1250.h"
#include "base/date.h"
#include "base/number.h"
#include "skin/atlas.h"
#include "skin/rects.h"

namespace app {
namespace {

// The openers, BtnLeta and BtnMesec, at the boxes' right ends.
constexpr skin::ButtonSetup kOpener{.kind = skin::ButtonKind::ListOpener, .at = {158, 3},
                                   .rest = skin::r::dropButton, .pressed = skin::r::dropButtonPressed};

// The month number of a two-digit row, 0 when it is none.
int monthNumber(const std::string& mm) { return base::wholeNumber(mm).value_or(0); }

}  // namespace

void frmMain::makeDateOpeners() {
  yearOpener = std::make_unique<skin::SkinnedButton>(BtnLeta, m_app.atlasFor(m_form), kOpener);
  monthOpener = std::make_unique<skin::SkinnedButton>(BtnMesec, m_app.atlasFor(m_form), kOpener);
}

void frmMain::layoutDatePickers(shape::clsTransForm& shaper) {
  const gui::Surface& atlas = m_app.atlasFor(m_form);
  const gui::FontSpec captionFont{u"Arial", 238, 8.25, true};
  for (gui::PictureBox* box : {&PicLeto, &PicMesec}) {
    box->surface().blit(atlas, skin::r::dateBox, {0, 0});
    box->refresh();
  }
  for (gui::Label* caption : {&lblLeto, &lblMesec}) {
    caption->setFont(captionFont);
    caption->setForeColor(skin::kTextBlue);
    caption->setTransparent(true);
  }
  for (skin::SkinnedButton* opener : {yearOpener.get(), monthOpener.get()}) opener->place();
  for (gui::PictureBox* opener : {&BtnLeta, &BtnMesec}) shaper.ShapeMe(*opener, base::kKeyColor);
  // The holder's colour shows as a one-pixel frame around its list.
  for (gui::PictureBox* holder : {&PiccmbLeta, &PicCmbMesci}) {
    holder->setBackColor(skin::kDeepBlue);
    holder->cls();
  }

  gui::Surface& s = PicDatumi.surface();
  const int h = PicDatumi.height();
  for (int i = 0; i <= h / 10; ++i) s.blit(atlas, skin::r::dayListMiddle, {0, 10 * i});
  s.blit(atlas, skin::r::dayListTop, {0, 0});
  s.blit(atlas, skin::r::dayListBottom, {0, h - 10});
  PicDatumi.refresh();
}

void frmMain::fillPickersForToday() {
  store::DiaryStore& store = m_app.store();
  const std::string today = m_app.todayKey();
  cmbLeta.Počisti();
  cmbMesci.Mesci = true;
  // The year list itself is filled from the data folder each time it opens.
  const std::string year = base::keyYear(today);
  cmbMesci.Počisti();
  for (const std::string& m : store.Months(year)) cmbMesci.Dodaj(m);
  setMonthLabel(base::keyMonth(today));
  fillDays(base::keyMonth(today), year);
  m_app.state().setChosenYear(year);
  lblLeto.setText(base::utf8ToUtf16(year));
  Datumi1.IzberiDan(today);
}

void frmMain::setMonthLabel(const std::string& month) {
  lblMesec.setText(base::utf8ToUtf16(base::monthName(monthNumber(month))));
  lblMesec.setTag(month);
}

void frmMain::fillDays(const std::string& month, const std::string& year) {
  const std::vector<std::string> days = m_app.store().Days(month, year);
  Datumi1.Počisti();
  for (const std::string& d : days) Datumi1.DodajDan(d);
  Datumi1.ŠteviloDni = static_cast<int16_t>(days.size());
}

// ---- the day list ----------------------------------------------------------------

void frmMain::Datumi1_IzbtranDatum(std::string& Dan) { ShowDay(Dan); }

void frmMain::Datumi1_SpremembaIzbora(std::string&, std::string&) {
  // Whether the old row is today's or the list had no choice (after a month
  // change the editor keeps today's entry), the text being written is saved
  // before the editor shows another day.
  m_day.saveBeforeSwitch();
}

void frmMain::Datumi1_ČiščenjeIzbora(bool&) {
  // Today's row is about to go, or the editor still holds today's entry
  // from an earlier month: either way it is saved now.
  m_day.save();
}

void frmMain::Datumi1_Klik() { CloseMenus(); }

// ---- the year and month drop-downs -------------------------------------------------

void frmMain::cmbLeta_Izbran(std::string& tekst) {
  CloseDateDropDowns();
  if (tekst.empty()) return;  // Enter with no year highlighted chooses nothing
  store::DiaryStore& store = m_app.store();
  lblLeto.setText(base::utf8ToUtf16(tekst));
  cmbMesci.Počisti();
  const std::vector<std::string> months = store.Months(tekst);
  for (const std::string& m : months) cmbMesci.Dodaj(m);
  const std::string first = months.empty() ? std::string() : months.front();
  setMonthLabel(first);
  fillDays(first, tekst);
  m_app.state().setChosenYear(tekst);
}

void frmMain::cmbMesci_Izbran(std::string& tekst) {
  CloseDateDropDowns();
  if (tekst.empty()) return;
  setMonthLabel(tekst);
  fillDays(tekst, m_app.state().ChosenYear());
}

void frmMain::cmbLeta_Resize() { fitListHolder(PiccmbLeta, cmbLeta); }

void frmMain::cmbMesci_Resize() { fitListHolder(PicCmbMesci, cmbMesci); }

void frmMain::fitListHolder(gui::PictureBox& holder, controls::ComboBox2& list) {
  // The frame round the list, one pixel on each side, reaches down to the
  // end of whatever it would cut across: no sliver of the month box or of a
  // day's row shows under the list as if it were a part of it.
  const int framed = list.height() + 2;
  const int bottom = std::max(holder.top() + framed, bottomOfWhatLiesBeneath(holder.top() + framed));
  const int h = bottom - holder.top();
  holder.move(holder.left(), holder.top(), list.width() + 2, h);
  holder.cls();
  if (h > framed) holder.surface().fill({1, framed - 1, list.width(), h - framed}, skin::kPaleBlue);
  holder.refresh();
}

int frmMain::bottomOfWhatLiesBeneath(int y) const {
  const gui::Rect month = PicMesec.formRect();
  if (y > month.y && y < month.y + month.h) return month.y + month.h;
  const gui::Rect days = Datumi1.formRect();
  if (y <= days.y || y >= days.y + days.h) return y;
  // The day rows, as far as they are scrolled: each ends with its line.
  const int step = Datumi1.rowHeight() + 1, origin = days.y + Datumi1.Območje->top();
  const int rows = (y - origin - 1 + step - 1) / step;
  if (rows > Datumi1.rowCount()) return y;  // below the last row: the list's own background
  return std::min(origin + step * rows + 1, days.y + days.h);
}

void frmMain::lblLeto_MouseDown(int button, int, double, double) {
  CloseMenus();
  if (button == gui::kLeftButton) openYearList();
}

void frmMain::BtnLeta_MouseDown(int button, int, double, double) {
  if (button == gui::kLeftButton) openYearList();
}

void frmMain::lblMesec_MouseDown(int button, int, double, double) {
  CloseMenus();
  if (button == gui::kLeftButton) openMonthList();
}

void frmMain::BtnMesec_MouseDown(int button, int, double, double) {
  if (button == gui::kLeftButton) openMonthList();
}

void frmMain::openYearList() {
  if (PiccmbLeta.visible()) {
    CloseDateDropDowns();
    return;
  }
  store::DiaryStore& store = m_app.store();
  store.Rescan();
  cmbLeta.Počisti();
  // The files are named month first: their order is not the calendar's.
  std::vector<std::string> years = store.Years();
  std::sort(years.begin(), years.end());
  for (const std::string& y : years) cmbLeta.Dodaj(y);
  PiccmbLeta.setVisible(true);
  PiccmbLeta.bringToFront();
  cmbLeta.Izberi(base::utf16ToUtf8(lblLeto.text()));
  cmbLeta.setFocus();
  yearOpener->showOpen(true);
}

void frmMain::openMonthList() {
  cmbMesci.Mesci = true;
  if (PicCmbMesci.visible()) {
    CloseDateDropDowns();
    return;
  }
  fitListHolder(PicCmbMesci, cmbMesci);  // the day list may have scrolled
  PicCmbMesci.setVisible(true);
  PicCmbMesci.bringToFront();
  cmbMesci.Izberi(lblMesec.tag());
  cmbMesci.setFocus();
  monthOpener->showOpen(true);
}

void frmMain::closeList(gui::PictureBox& holder, skin::SkinnedButton& opener) {
  if (!holder.visible()) return;
  holder.setVisible(false);
  opener.showOpen(false);
}

void frmMain::CloseDateDropDowns() {
  closeList(PiccmbLeta, *yearOpener);
  closeList(PicCmbMesci, *monthOpener);
}

void frmMain::listLostFocus(controls::ComboBox2& list) {
  // Opening the other list takes the focus from this one: only this one closes.
  const gui::Element* now = m_form.focused();
  if (now == &cmbLeta || now == &cmbMesci) {
    if (&list == &cmbLeta) closeList(PiccmbLeta, *yearOpener);
    else closeList(PicCmbMesci, *monthOpener);
    return;
  }
  CloseDateDropDowns();
}

}  // namespace app
