// Searching the whole diary from the main window: Ctrl+F opens the search
// field over the year and month boxes; the day list shows the days found,
// newest first, and choosing one shows it with the first match selected.
// Escape brings the boxes back with the month of the day on screen.
#include <algorithm>

#include "app/frm_main.h"
#include "app/pisarion.h"
#include "app/search_field.h"
#include "base/counts.h"
#include "base/cp1250.h"
#include "base/date.h"

namespace app {
namespace {

// More rows than this would only slow the list down; the status line
// says how many days there are in all.
constexpr size_t kMaxRows = 500;

std::string dayCount(size_t n) { return base::counted(n, {"dan", "dneva", "dnevi", "dni"}); }

}  // namespace

void frmMain::makeSearch() {
  searchField = std::make_unique<SearchField>(m_form, m_app.atlasFor(m_form));
  searchField->onSearch = [this] { runSearch(); };
  searchField->onEnter = [this] { searchEnter(); };
  searchField->onClose = [this] { CloseSearch(); };
  searchField->onArrow = [this](int key) { searchArrow(key); };
  searchField->tmrSearchProgress.onTimer = [this] { showReadingProgress(); };
}

bool frmMain::searching() const { return searchField && searchField->shown(); }

void frmMain::OpenSearch() {
  if (searching()) {
    searchField->focus();
    return;
  }
  CloseMenus();
  CloseDateDropDowns();
  searchField->show(PicLeto.bounds(), PicMesec.bounds());
  PicLeto.setVisible(false);
  PicMesec.setVisible(false);
  m_query = search::Query();
  m_queryText.clear();
  Datumi1.Počisti();  // today's text is saved as the month's rows go
  searchField->focus();
}

void frmMain::CloseSearch() {
  if (!searching()) return;
  searchField->hide();
  PicLeto.setVisible(true);
  PicMesec.setVisible(true);
  showMonthOf(shownKey().empty() ? m_app.todayKey() : shownKey());
  Text.setFocus();
}

void frmMain::showMonthOf(const std::string& key) {
  store::DiaryStore& store = m_app.store();
  store.Rescan();
  const std::string year = base::keyYear(key), month = base::keyMonth(key);
  lblLeto.setText(base::utf8ToUtf16(year));
  cmbMesci.Počisti();
  for (const std::string& m : store.Months(year)) cmbMesci.Dodaj(m);
  setMonthLabel(month);
  fillDays(month, year);
  m_app.state().setChosenYear(year);
  Datumi1.IzberiDan(key);
}

// The day being written changes while the index exists; it is taken as it
// stands (from the editor while it is on screen, else from its file) before
// every search.
void frmMain::refreshWrittenDay() {
  const std::string& key = m_day.openedKey();
  if (key.empty()) return;
  // A long today still arriving is searched whole: as its file holds it
  // while nothing was typed (the reading does not wait for the editor),
  // otherwise once the rest is in the editor.
  const bool wholeOnDisk = m_day.writing() && m_day.arriving() && !editor().modified();
  if (m_day.writing() && !wholeOnDisk) {
    m_day.takeInTheRest();
    diarySearch->setText(key, editor().text());
  } else if (auto text = search::readDay(m_app.store(), key)) diarySearch->setText(key, *text);
}

void frmMain::runSearch() {
  m_queryText = searchField->text();
  m_query = search::Query(m_queryText);
  if (m_query.empty()) {
    Datumi1.Počisti();
    searchField->setStatus(u"");
    return;
  }
  if (!diarySearch) {
    gui::Platform& platform = m_app.platform();
    diarySearch = std::make_unique<search::DiarySearch>(m_app.store().folder(),
                                                         [&platform](std::function<void()> task) { platform.post(std::move(task)); });
    diarySearch->onReady = [this] {
      searchField->tmrSearchProgress.setEnabled(false);
      if (searching() && !m_query.empty()) showResults();  // not over the earlier years' list
    };
  }
  refreshWrittenDay();
  if (!diarySearch->started()) {
    store::DiaryStore& store = m_app.store();
    store.Rescan();
    diarySearch->startReading(store.listing(), m_day.writingKey());
  }
  if (!diarySearch->ready()) {  // the results come when the reading ends
    showReadingProgress();
    searchField->tmrSearchProgress.setEnabled(true);
    return;
  }
  showResults();
}

void frmMain::showReadingProgress() {
  if (!diarySearch || diarySearch->ready()) return;
  const size_t total = std::max<size_t>(diarySearch->total(), 1);
  searchField->setStatus(base::utf8ToUtf16("Berem zapise … " + std::to_string(diarySearch->done() * 100 / total) + " %"));
}

void frmMain::showResults() {
  const std::vector<std::string> keys = diarySearch->find(m_query);
  Datumi1.Počisti();
  for (size_t i = 0; i < keys.size() && i < kMaxRows; ++i) Datumi1.addDateRow(keys[i]);
  std::string status = keys.empty() ? "Ni zadetkov" : dayCount(keys.size());
  if (keys.size() > kMaxRows) status += ", prikazanih " + std::to_string(kMaxRows);
  const size_t unreadable = diarySearch->unreadable();
  const std::string tip = unreadable ? "Zapisov, ki jih ni bilo mogoče prebrati: " + base::grouped(unreadable) : "";
  searchField->setStatus(base::utf8ToUtf16(status), base::utf8ToUtf16(tip));
}

// A result was chosen and its day is on screen: the first match is
// selected (the editor brings it into view), and the keys go back to the field.
void frmMain::searchDayShown(const std::string& key) {
  if (!searching() || key.empty() || key != shownKey()) return;
  if (const std::optional<search::Match> m = m_query.firstMatch(editor().text()))
    editor().setSelection(static_cast<int>(m->start), static_cast<int>(m->length));
  searchField->focus();
}

// Enter with the words already searched for chooses the highlighted day,
// or the newest one.
void frmMain::searchEnter() {
  if (searchField->text() != m_queryText) {
    runSearch();
    return;
  }
  const int row = Datumi1.Izbrana > 0 ? Datumi1.Izbrana : 1;
  if (row <= Datumi1.rowCount()) Datumi1.IzberiDan(Datumi1.rowTag(row));
}

// Up and Down in the field move through the days found, as in the list.
void frmMain::searchArrow(int keyCode) {
  if (auto handler = Datumi1.onKeyDown) handler(keyCode, 0);
}

}  // namespace app
