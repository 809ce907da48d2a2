#include "app/frm_leto.h"

#include <algorithm>

#include "base/counts.h"
#include "base/cp1250.h"
#include "lookback/words.h"
#include "skin/atlas.h"
#include "skin/window_table.h"

namespace app {
namespace {

// The grid: a 10-pixel square every 12 pixels, months in rows.
constexpr int kSquare = 10, kPitch = 12;
constexpr int kGridLeft = 42, kGridTop = 48, kTitleHeight = 24;
constexpr int kSummaryTop = kGridTop + 12 * kPitch + 24;
constexpr int kLineHeight = 15;
constexpr int kKeyLeft = 37, kKeyRight = 39;

const gui::FontSpec kBold{u"Arial", 238, 8.25, true};
const gui::FontSpec kPlain{u"Arial", 238, 8.25, false};
const gui::FontSpec kSmall{u"Arial", 238, 6.75, false};

// Nothing written, then four steps of length: white, then the skin's blues
// from the lightest to the text's own.
constexpr base::Color kShades[5] = {base::Color::rgb(255, 255, 255), skin::kLightBlue,
                                    base::Color::rgb(126, 168, 209), skin::kDeepBlue, skin::kTextBlue};

const char* const kMonthShort[12] = {"jan", "feb", "mar", "apr", "maj", "jun", "jul", "avg", "sep", "okt", "nov", "dec"};
const char* const kSummaryLines[4] = {"Dni z zapisi", "Besed", "Najdaljši niz dni", "Trenutni niz dni"};

std::u16string u16(const std::string& utf8) { return base::utf8ToUtf16(utf8); }

std::string wordCount(size_t n) { return base::counted(n, {"beseda", "besedi", "besede", "besed"}); }

gui::Label& addLabel(gui::Form& form, const std::string& name, gui::Rect r, const gui::FontSpec& font,
                     base::Color colour, base::Alignment alignment = base::Alignment::Left) {
  gui::Label& l = form.add<gui::Label>(name);
  l.move(r.x, r.y, r.w, r.h);
  l.setTransparent(true);
  l.setFont(font);
  l.setForeColor(colour);
  l.setAlignment(alignment);
  return l;
}

}  // namespace

frmLeto::frmLeto(gui::Platform& platform) : m_platform(platform), m_form(platform, "frmLeto") {
  m_form.setBackColor(skin::kBodyColor);
  m_form.setPixelBounds(m_form.scaledBounds({}, kWidth, kHeight));
  m_form.setCaption(u"Leto na pogled");
  layOut();
  // At another scale the frame is painted again; the labels draw themselves.
  m_form.onScaleChange = [this] {
    paintFrame();
    m_form.refresh();
  };
  m_form.onKeyDown = [this](int key, int) { Form_KeyDown(key); };
  m_form.onDescribe = [this](gui::AccNode& window) { describe(window); };
  m_form.onShortcut = [this](int key, int) {
    if (key != gui::kKeyEscape) return false;
    m_form.hide();
    return true;
  };
}

void frmLeto::paintFrame() {
  gui::Surface& s = m_form.surface();
  s.fill(skin::kBodyColor);
  s.fill({0, 0, kWidth, kTitleHeight}, skin::kDeepBlue);
  for (const gui::Rect edge : {gui::Rect{0, 0, kWidth, 1}, gui::Rect{0, kHeight - 1, kWidth, 1},
                               gui::Rect{0, 0, 1, kHeight}, gui::Rect{kWidth - 1, 0, 1, kHeight}})
    s.fill(edge, skin::kTextBlue);
  // A line between the grid and the summary.
  s.fill({8, kSummaryTop - 8, kWidth - 16, 1}, skin::kLightBlue);
}

void frmLeto::layOut() {
  paintFrame();
  makeTitleStrip();
  makeGrid();
  makeSummary();
}

// The title, the year with its arrows, and the close mark.
void frmLeto::makeTitleStrip() {
  const base::Color white = base::Color::rgb(255, 255, 255);
  lblNaslov = &addLabel(m_form, "lblNaslov", {8, 5, 200, 16}, kBold, white);
  lblNaslov->setText(u"Leto na pogled");
  // The title strip drags the window, as the main window's does.
  lblNaslov->onMouseDown = [this](int button, int, double, double) {
    if (button == gui::kLeftButton) m_dragFrom = m_platform.cursorPos();
  };
  lblNaslov->onMouseMove = [this](int button, int, double, double) { dragTitle(button); };
  BtnNazaj = &addLabel(m_form, "BtnNazaj", {kWidth - 140, 4, 20, 16}, kBold, white, base::Alignment::Center);
  BtnNazaj->setText(u"«");
  BtnNazaj->setToolTip(u"Prejšnje leto");
  lblLeto = &addLabel(m_form, "lblLetoNaPogled", {kWidth - 120, 5, 50, 16}, kBold, white, base::Alignment::Center);
  BtnNaprej = &addLabel(m_form, "BtnNaprej", {kWidth - 70, 4, 20, 16}, kBold, white, base::Alignment::Center);
  BtnNaprej->setText(u"»");
  BtnNaprej->setToolTip(u"Naslednje leto");
  BtnZapri = &addLabel(m_form, "BtnZapriLeto", {kWidth - 26, 4, 20, 16}, kBold, white, base::Alignment::Center);
  BtnZapri->setText(u"×");
  BtnZapri->setToolTip(u"Zapri");
  BtnNazaj->onClick = [this] { changeYear(-1); };
  BtnNaprej->onClick = [this] { changeYear(1); };
  BtnZapri->onClick = [this] { m_form.hide(); };
}

// A square a day, a row a month with the days' numbers above, today's ring
// and the key to the shades.
void frmLeto::makeGrid() {
  for (int d : {1, 5, 10, 15, 20, 25, 31})
    addLabel(m_form, "lblDanVStolpcu" + std::to_string(d), {kGridLeft + (d - 1) * kPitch - 6, kGridTop - 14, kSquare + 12, 12},
             kSmall, skin::kTextBlue, base::Alignment::Center)
        .setText(u16(std::to_string(d)));
  for (int m = 0; m < 12; ++m) {
    addLabel(m_form, "lblMesecVVrstici" + std::to_string(m + 1), {8, kGridTop + m * kPitch - 2, 32, 13}, kSmall,
             skin::kTextBlue)
        .setText(u16(kMonthShort[m]));
    for (int d = 0; d < 31; ++d) {
      gui::Label& square = m_form.add<gui::Label>("picDan" + std::to_string(m + 1) + "_" + std::to_string(d + 1));
      square.move(kGridLeft + d * kPitch, kGridTop + m * kPitch, kSquare, kSquare);
      square.onClick = [this, m, d] {
        const base::Date date{m_year, m + 1, d + 1};
        if (m_days.hasEntry(date) && onDayChosen) onDayChosen(base::dateKey(date));
      };
      m_squares[m][d] = &square;
    }
  }
  m_todayRing = &m_form.add<gui::Shape>("shpDanes");
  m_todayRing->setFillStyle(gui::FillStyle::Transparent);
  m_todayRing->setBorderColor(skin::kTextBlue);
  m_todayRing->setVisible(false);

  // The key to the shades: "manj" … "več".
  const int keyTop = kGridTop + 12 * kPitch + 4;
  addLabel(m_form, "lblManj", {kWidth - 130, keyTop - 2, 30, 12}, kSmall, skin::kTextBlue, base::Alignment::Right)
      .setText(u"manj");
  for (int i = 0; i < 5; ++i) {
    gui::Label& key = m_form.add<gui::Label>("picOdtenek" + std::to_string(i));
    key.move(kWidth - 96 + i * kPitch, keyTop, kSquare, kSquare);
    key.setBackColor(kShades[i]);
  }
  addLabel(m_form, "lblVeč", {kWidth - 34, keyTop - 2, 30, 12}, kSmall, skin::kTextBlue).setText(u"več");
}

// The figures under the grid: the year's and the whole diary's.
void frmLeto::makeSummary() {
  const int columns[3] = {8, 210, 310};
  for (int c = 0; c < 3; ++c)
    m_columnHeads[c] = &addLabel(m_form, "lblStolpec" + std::to_string(c), {columns[c], kSummaryTop, 100, 14}, kBold,
                                 skin::kTextBlue, c ? base::Alignment::Right : base::Alignment::Left);
  m_columnHeads[2]->setText(u"ves dnevnik");
  for (int line = 0; line < 4; ++line) {
    const int y = kSummaryTop + (line + 1) * kLineHeight;
    addLabel(m_form, "lblPovzetek" + std::to_string(line), {columns[0], y, 190, 14}, kPlain, skin::kTextBlue)
        .setText(u16(kSummaryLines[line]));
    for (int c = 0; c < 2; ++c)
      m_figures[line][c] = &addLabel(m_form, "lblŠtevilo" + std::to_string(line) + std::to_string(c),
                                     {columns[c + 1], y, 100, 14}, kPlain, skin::kTextBlue, base::Alignment::Right);
  }
}

void frmLeto::showYear(int year, const base::Date& today, gui::Rect over, bool onTop) {
  m_today = today;
  const auto [first, last] = m_days.years(today);
  m_year = std::clamp(year, first, last);
  fill();
  const gui::Rect size = m_form.scaledBounds({}, kWidth, kHeight);
  const gui::Rect place{over.x + (over.w - size.w) / 2, over.y + (over.h - size.h) / 2, size.w, size.h};
  m_form.setPixelBounds(place);
  m_form.show();
  m_form.setWindowPos(onTop ? gui::InsertAfter::Topmost : gui::InsertAfter::NoTopmost, place);
  m_form.setFocus(nullptr);  // the keys to the window itself: Left, Right, Escape
}

void frmLeto::changeYear(int step) {
  const auto [first, last] = m_days.years(m_today);
  const int year = std::clamp(m_year + step, first, last);
  if (year == m_year) return;
  m_year = year;
  fill();
}

void frmLeto::Form_KeyDown(int keyCode) {
  if (keyCode == kKeyLeft) changeYear(-1);
  else if (keyCode == kKeyRight) changeYear(1);
}

void frmLeto::fill() {
  lblLeto->setText(u16(std::to_string(m_year)));
  const auto [first, last] = m_days.years(m_today);
  BtnNazaj->setVisible(m_year > first);
  BtnNaprej->setVisible(m_year < last);
  m_todayRing->setVisible(false);
  for (int m = 0; m < 12; ++m) {
    const int length = base::daysInMonth(m_year, m + 1);
    for (int d = 0; d < 31; ++d) {
      gui::Label& square = *m_squares[m][d];
      square.setVisible(d < length);
      if (d >= length) continue;
      const base::Date date{m_year, m + 1, d + 1};
      const std::optional<size_t> words = m_days.words(date);
      square.setBackColor(kShades[lookback::shadeOf(words.value_or(0))]);
      const std::string heading = std::to_string(d + 1) + ". " + base::monthName(m + 1) + " " + std::to_string(m_year);
      square.setToolTip(u16(heading + ": " + (words ? wordCount(*words) : "ni zapisa")));
      if (date == m_today) {
        m_todayRing->move(square.left() - 1, square.top() - 1, kSquare + 2, kSquare + 2);
        m_todayRing->setVisible(true);
      }
    }
  }
  fillSummary();
}

void frmLeto::fillSummary() {
  m_columnHeads[1]->setText(u16(std::to_string(m_year)));
  const lookback::Summary sums[2] = {m_days.summary(m_year, m_today), m_days.summary(std::nullopt, m_today)};
  for (int c = 0; c < 2; ++c) {
    const lookback::Summary& s = sums[c];
    m_figures[0][c]->setText(u16(base::grouped(s.days)));
    m_figures[1][c]->setText(u16(base::grouped(s.words)));
    m_figures[2][c]->setText(u16(base::grouped(static_cast<size_t>(s.longestRun))));
    m_figures[3][c]->setText(s.currentRun ? u16(base::grouped(static_cast<size_t>(*s.currentRun))) : u"–");
  }
}

// What a screen reader hears of the year: the title, the year and its
// arrows, the close mark, the year's days as a list whose items say what
// each square's tip says (a written day chosen shows it in the main
// window), and the figures under it, line by line.
void frmLeto::describe(gui::AccNode& window) const {
  window.add(skin::describeControl(*lblNaslov, gui::AccRole::StaticText, lblNaslov->text()));
  window.add(skin::describeControl(*lblLeto, gui::AccRole::StaticText, u"Leto")).value = lblLeto->text();
  const std::pair<gui::Label*, std::function<void()>> buttons[] = {{BtnNazaj, [this] { BtnNazaj->onClick(); }},
                                                                   {BtnNaprej, [this] { BtnNaprej->onClick(); }},
                                                                   {BtnZapri, [this] { BtnZapri->onClick(); }}};
  for (const auto& [button, press] : buttons)
    if (button->visible())
      window.add(skin::describeControl(*button, gui::AccRole::PushButton, button->toolTip())).doDefault = press;
  gui::AccNode& days = window.add(gui::accNode(gui::AccRole::List, u"Dnevi leta " + lblLeto->text(),
                                               {kGridLeft, kGridTop, 31 * kPitch, 12 * kPitch}));
  for (const auto& month : m_squares)
    for (const gui::Label* square : month) {
      if (!square->visible()) continue;
      gui::AccNode& item = days.add(skin::describeControl(*square, gui::AccRole::ListItem, square->toolTip()));
      if (square->onClick) item.doDefault = [square] { square->onClick(); };
    }
  for (int line = 0; line < 4; ++line)
    window.add(gui::accNode(gui::AccRole::StaticText, u16(kSummaryLines[line]), m_figures[line][0]->formRect())).value =
        m_columnHeads[1]->text() + u": " + m_figures[line][0]->text() + u", " + m_columnHeads[2]->text() + u": " +
        m_figures[line][1]->text();
}

void frmLeto::dragTitle(int button) {
  if (!(button & gui::kLeftButton)) return;
  const gui::Point p = m_platform.cursorPos();
  const gui::Rect b = m_form.pixelBounds();
  m_form.setPixelBounds({b.x + p.x - m_dragFrom.x, b.y + p.y - m_dragFrom.y, b.w, b.h});
  m_dragFrom = p;
}

}  // namespace app
