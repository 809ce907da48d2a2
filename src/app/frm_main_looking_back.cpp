// Looking back from the main window: Ctrl+D lists the shown date in earlier
// years in the day list, as search results are listed; Ctrl+Shift+D opens
// the year window; Ctrl+P prints the day on screen under its heading.
#include "app/frm_leto.h"
#include "app/frm_main.h"
#include "app/pisarion.h"
#include "app/search_field.h"
#include "base/cp1250.h"
#include "export/format.h"
#include "export/printable.h"
#include "lookback/diary_days.h"

namespace app {
namespace {

// "1 zapis", "2 zapisa", "3 zapisi", "5 zapisov".
std::string entryCount(size_t n) {
  const size_t r = n % 100;
  const char* word = r == 1 ? "zapis" : r == 2 ? "zapisa" : (r == 3 || r == 4) ? "zapisi" : "zapisov";
  return std::to_string(n) + " " + word;
}

}  // namespace

std::string frmMain::keyOnScreen() const { return shownKey().empty() ? m_app.todayKey() : shownKey(); }

void frmMain::OnThisDay() {
  const std::optional<base::Date> shown = base::parseDateKey(keyOnScreen());
  if (!shown) return;
  // A fresh list: the field empty, the rows of the month gone (today's text
  // is saved as they go).
  if (searching()) CloseSearch();
  OpenSearch();
  store::DiaryStore& store = m_app.store();
  store.Rescan();
  const std::vector<std::string> keys = lookback::earlierYears(store.listing(), *shown);
  for (const std::string& key : keys) Datumi1.addDateRow(key);
  searchField->setStatus(base::utf8ToUtf16(keys.empty() ? "Na ta dan ni zapisov iz prejšnjih let"
                                                        : "Na ta dan: " + entryCount(keys.size())));
}

void frmMain::OpenYearAtAGlance() {
  CloseMenus();
  CloseDateDropDowns();
  store::DiaryStore& store = m_app.store();
  if (!m_leto) {
    m_leto = std::make_unique<frmLeto>(m_app.platform());
    m_leto->onDayChosen = [this](const std::string& key) { showDayOfYearWindow(key); };
    store.Rescan();
  }
  // The counts of days read before are kept; only entries new to the
  // listing are read (the listing follows the diary's own writes, and every
  // month chosen lists the folder again), and the day being written is
  // taken from the editor.
  lookback::DiaryDays& days = m_leto->days();
  days.read(store, store.listing(), m_day.writingKey());
  if (m_day.writing()) {
    m_day.takeInTheRest();  // counted whole
    days.setText(m_day.writingKey(), editor().text());
  }
  const int year = base::parseDateKey(keyOnScreen()).value_or(m_app.today()).year;
  m_leto->showYear(year, m_app.today(), m_form.pixelBounds(), m_form.topmost());
}

void frmMain::showDayOfYearWindow(const std::string& key) {
  if (searching()) CloseSearch();
  showMonthOf(key);  // choosing its row saves today's text first
  // Showing the day gives the editor the keys, which brings its window up
  // over the year window: once that is done the year window comes to the
  // front again, for the next click and its keys.
  m_app.platform().post([this] {
    if (m_leto && m_leto->form().visible()) m_leto->form().activate();
  });
}

void frmMain::HideYearWindow() {
  if (m_leto) m_leto->form().hide();
}

void frmMain::PrintDay() {
  CloseMenus();
  CloseDateDropDowns();
  const std::string key = keyOnScreen();
  const std::optional<base::Date> date = base::parseDateKey(key);
  const std::optional<std::string> richText = editor().richText();
  gui::Platform& platform = m_app.platform();
  if (!date || !richText) {
    platform.messageBox(u"Dneva ni bilo mogoče pripraviti za tisk.", u"Pisarion", gui::MessageIcon::Exclamation);
    return;
  }
  const gui::PrintRequest request{base::utf8ToUtf16("Pisarion, " + exporting::dayHeading(*date)),
                                  exporting::printableDay(*date, *richText)};
  if (platform.print(m_form, request) == gui::PrintOutcome::Failed)
    platform.messageBox(u"Dneva ni bilo mogoče natisniti: tiskalnik ga ni sprejel.", u"Pisarion",
                        gui::MessageIcon::Exclamation);
}

}  // namespace app
