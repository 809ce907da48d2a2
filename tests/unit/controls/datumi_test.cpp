#include "controls/datumi.h"

#include <cmath>

#include "list_fixture.h"

using controls::Datumi;

namespace {

class DatumiTest : public ListTest<Datumi> {
 protected:
  DatumiTest() {
    list.IzbtranDatum = [this](std::string& d) { log.push_back("IzbtranDatum(" + d + ")"); };
    list.SpremembaIzbora = [this](std::string& a, std::string& b) {
      log.push_back("SpremembaIzbora(" + a + "," + b + ")");
    };
    list.ČiščenjeIzbora = [this](bool& danes) { log.push_back(danes ? "ČiščenjeIzbora(true)" : "ČiščenjeIzbora(false)"); };
  }
  // Days 1..n of December 2026 (the 7th is today).
  void addDecember(int n) {
    for (int d = 1; d <= n; ++d) list.DodajDan(base::dateKey({2026, 12, d}));
  }
  using Log = std::vector<std::string>;
};

TEST_F(DatumiTest, RowsStackSeventeenPixelsApartAndTheAreaGrowsWithThem) {
  EXPECT_EQ(list.width(), 181);
  EXPECT_EQ(list.height(), 431);
  list.DodajDan("12-01-2026");
  EXPECT_EQ(list.lblDan[1]->top(), 1);
  EXPECT_EQ(list.lblDan[1]->left(), 6);  // the text a few pixels from the border
  EXPECT_EQ(list.Območje->height(), 18);
  EXPECT_EQ(list.Line1[1]->y1(), 17);
  EXPECT_FALSE(list.PoložajnaVrstica->visible());
  EXPECT_EQ(list.Območje->width(), 181);
  list.DodajDan("12-02-2026");
  EXPECT_EQ(list.lblDan[2]->top(), 18);
  EXPECT_EQ(list.Območje->height(), 35);
}

TEST_F(DatumiTest, RowsNameTheWeekdayAndTodayAndColourTheWeekend) {
  addDecember(8);
  EXPECT_EQ(list.lblDan[1]->text(), u"01. torek");
  EXPECT_EQ(list.lblDan[3]->text(), u"03. četrtek");
  EXPECT_EQ(list.lblDan[7]->text(), u"Danes (07. ponedeljek)");
  // Saturday the 5th and Sunday the 6th have their backgrounds, the rest the white area.
  const auto px = [&](int row) {
    const base::Rect r = list.lblDan[row]->screenRect();
    return pixelAt({r.x + 150, r.y + 2});  // right of the text
  };
  EXPECT_EQ(px(5), controls::kSobota);
  EXPECT_EQ(px(6), controls::kNedelja);
  EXPECT_EQ(px(4), base::Color::rgb(255, 255, 255));
  EXPECT_EQ(px(8), base::Color::rgb(255, 255, 255));
  EXPECT_TRUE(list.BarvnoOzadje[6]->visible());
  EXPECT_FALSE(list.BarvnoOzadje[4]->visible());
  // The separator line under row 1, and the control's own colour below the last row.
  const base::Rect area = list.Območje->screenRect();
  EXPECT_EQ(pixelAt({area.x + 50, area.y + 17}), skin::kDeepBlue);
  EXPECT_EQ(pixelAt({area.x + 50, area.y + 200}), skin::kPaleBlue);
}

TEST_F(DatumiTest, AStrayFileShowsItsNameAndLaterRowsStillGrowTheListAndTrack) {
  list.DodajDan("12-01-2026");
  list.DodajDan("12-32-2026");
  list.DodajDan("zapiski.txt");
  EXPECT_EQ(list.lblDan[2]->text(), u"12-32-2026");
  EXPECT_EQ(list.lblDan[3]->text(), u"zapiski.txt");
  EXPECT_FALSE(list.BarvnoOzadje[2]->visible());
  EXPECT_EQ(list.Območje->height(), 3 * 17 + 1);
  for (int d = 2; d <= 28; ++d) list.DodajDan(base::dateKey({2026, 12, d}));
  EXPECT_EQ(list.Območje->height(), 30 * 17 + 1);
  EXPECT_TRUE(list.PoložajnaVrstica->visible());
}

TEST_F(DatumiTest, ThirtyRowsInTheDesignHeightShowTheTrackAndAThumbInProportion) {
  for (int m = 1; m <= 2; ++m)
    for (int d = 1; d <= 15; ++d) list.DodajDan(base::dateKey({2026, m, d}));
  ASSERT_EQ(list.Območje->height(), 511);
  EXPECT_TRUE(list.PoložajnaVrstica->visible());
  EXPECT_EQ(list.PoložajnaVrstica->left(), 166);
  EXPECT_EQ(list.Območje->width(), 181 - 15);
  EXPECT_EQ(list.Dol->top(), 431 - 15);
  EXPECT_EQ(list.Drsnik->top(), 15);
  EXPECT_EQ(list.Drsnik->height(), 338);  // (431 − 15 − 15) · 431 / 511 = 338.2
  // On screen: the thumb in the deep blue, the track around it in light blue.
  const base::Rect track = list.PoložajnaVrstica->screenRect();
  EXPECT_EQ(pixelAt({track.x + 7, track.y + 100}), skin::kDeepBlue);
  EXPECT_EQ(pixelAt({track.x + 7, track.y + 15 + 338 + 10}), skin::kLightBlue);
}

TEST_F(DatumiTest, DraggingTheThumbScrollsAndPinsAtBothEnds) {
  for (int d = 1; d <= 30; ++d) list.DodajDan(base::dateKey({2026, 11, d}));
  const base::Point grab = centre(*list.Drsnik);
  platform.moveMouse(grab);
  platform.mouseDown();
  platform.moveMouse({grab.x, grab.y + 40});  // 40 of the 63 pixels of play
  EXPECT_EQ(list.Drsnik->top(), 55);
  EXPECT_EQ(list.Območje->top(), -51);  // 40 / 63 · (431 − 511), rounded
  platform.moveMouse({grab.x, grab.y + 300});
  EXPECT_EQ(list.Drsnik->top(), 431 - 15 - 338);
  EXPECT_EQ(list.Območje->top(), 431 - 511);  // the last row sits at the bottom
  EXPECT_EQ(list.lblDan[30]->formRect().bottom() - list.formRect().y, 431 - 1);
  platform.moveMouse({grab.x, grab.y - 500});
  EXPECT_EQ(list.Drsnik->top(), 15);
  EXPECT_EQ(list.Območje->top(), 0);
  platform.mouseUp();
  // A move without the button does nothing.
  platform.moveMouse({grab.x, grab.y + 40});
  EXPECT_EQ(list.Območje->top(), 0);
}

TEST_F(DatumiTest, TheMiddleOfADragDividesTheHeightInTwipsByFifteen) {
  // At 120 DPI (12 twips a pixel) the proportional step works on 4/5 of the
  // pixel height, as the list always has; the ends still pin exactly.
  platform.setTwipsPerPixel(12, 12);
  for (int d = 1; d <= 30; ++d) list.DodajDan(base::dateKey({2026, 11, d}));
  const base::Point grab = centre(*list.Drsnik);
  platform.moveMouse(grab);
  platform.mouseDown();
  platform.moveMouse({grab.x, grab.y + 20});
  EXPECT_EQ(list.Drsnik->top(), 35);
  // c = 431 · 12 / 15 = 344.8; f = 20 / (344.8 − 30 − 338) < 0: the area moves down.
  const double c = 431 * 12 / 15.0;
  EXPECT_EQ(list.Območje->top(), static_cast<int>(std::nearbyint(20 / (c - 30 - 338) * (c - 511))));
  platform.moveMouse({grab.x, grab.y + 300});
  EXPECT_EQ(list.Območje->top(), 431 - 511);
  platform.mouseUp();
}

TEST_F(DatumiTest, ClickingARowReportsTheChangeTheDayAndTheClickInThatOrder) {
  addDecember(8);
  platform.click(rowPoint(3));
  EXPECT_EQ(log, (Log{"SpremembaIzbora(,12-03-2026)", "IzbtranDatum(12-03-2026)", "Klik"}));
  EXPECT_EQ(list.Izbrana, 3);
  EXPECT_FALSE(list.IzbranDanes);
  log.clear();
  platform.click(rowPoint(7));
  EXPECT_EQ(log, (Log{"SpremembaIzbora(12-03-2026,12-07-2026)", "IzbtranDatum(12-07-2026)", "Klik"}));
  EXPECT_TRUE(list.IzbranDanes);
  EXPECT_EQ(list.lblDan[7]->foreColor(), skin::kChosenText);
  EXPECT_EQ(list.lblDan[3]->foreColor(), skin::kTextBlue);
  // The same row again: no change, but the day and the click.
  log.clear();
  platform.advance(1000);  // not a double click
  platform.click(rowPoint(7));
  EXPECT_EQ(log, (Log{"IzbtranDatum(12-07-2026)", "Klik"}));
  // The highlight covers the row from the line above to its own line.
  EXPECT_EQ(list.Izbor->bounds(), (base::Rect{0, 6 * 17, 181, 18}));
  const base::Rect r = list.lblDan[7]->screenRect();
  EXPECT_EQ(pixelAt({r.x + 170, r.y + 3}), skin::kLightBlue);  // right of the text
  EXPECT_EQ(pixelAt({r.x + 2, r.y + 3}), skin::kChosenText);  // text in the chosen colour
  EXPECT_TRUE(list.hasFocus());
}

TEST_F(DatumiTest, UpAndDownMoveTheChoiceWithoutAClickAndStopAtTheEnds) {
  addDecember(3);
  list.IzberiDan("12-01-2026");
  list.setFocus();
  log.clear();
  platform.keyDown(gui::kKeyUp);
  EXPECT_TRUE(log.empty());
  platform.keyDown(gui::kKeyDown);
  platform.keyDown(gui::kKeyDown);
  EXPECT_EQ(log, (Log{"SpremembaIzbora(12-01-2026,12-02-2026)", "IzbtranDatum(12-02-2026)",
                      "SpremembaIzbora(12-02-2026,12-03-2026)", "IzbtranDatum(12-03-2026)"}));
  log.clear();
  platform.keyDown(gui::kKeyDown);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(list.Izbrana, 3);
}

TEST_F(DatumiTest, ChoosingByDateAndClearing) {
  addDecember(8);
  list.IzberiDan("12-07-2026");
  EXPECT_EQ(log, (Log{"SpremembaIzbora(,12-07-2026)", "IzbtranDatum(12-07-2026)"}));
  EXPECT_TRUE(list.IzbranDanes);
  log.clear();
  list.Počisti();
  EXPECT_EQ(log, (Log{"ČiščenjeIzbora(true)"}));
  EXPECT_EQ(list.rowCount(), 0);
  EXPECT_EQ(list.Izbrana, 0);
  EXPECT_FALSE(list.Izbor->visible());
  EXPECT_EQ(list.Območje->find("lblDan(3)"), nullptr);
  log.clear();
  list.Počisti();
  EXPECT_EQ(log, (Log{"ČiščenjeIzbora(false)"}));
  // Filled again, the rows start at the top.
  addDecember(2);
  EXPECT_EQ(list.lblDan[1]->top(), 1);
  EXPECT_EQ(list.Območje->height(), 35);
}

TEST_F(DatumiTest, ChoosingAnUnlistedDateMovesTheChoiceToNoRow) {
  addDecember(4);
  list.IzberiDan("12-02-2026");
  log.clear();
  list.IzberiDan("01-01-1999");
  EXPECT_EQ(log, (Log{"SpremembaIzbora(12-02-2026,)", "IzbtranDatum()"}));
  EXPECT_EQ(list.Izbrana, 0);
  EXPECT_EQ(list.Izbor->top(), -17);
  EXPECT_EQ(list.lblDan[2]->foreColor(), skin::kTextBlue);
  EXPECT_EQ(list.lblDan[0]->foreColor(), skin::kTextBlue);  // later rows keep the normal colour
}

TEST_F(DatumiTest, ClicksOnTheTrackAndAreaOnlyReportAClick) {
  for (int d = 1; d <= 30; ++d) list.DodajDan(base::dateKey({2026, 11, d}));
  const base::Rect track = list.PoložajnaVrstica->screenRect();
  platform.click({track.x + 3, track.y + 390});   // the track below the thumb
  const base::Rect line = list.Line1[2]->screenRect();
  platform.click({line.x + 30, line.y});  // on a separator line: the area
  EXPECT_EQ(log, (Log{"Klik", "Klik"}));
  EXPECT_EQ(list.Območje->top(), 0);
  EXPECT_EQ(list.Izbrana, 0);
}

// Thirty rows in a list that shows 25: what the wheel, the blocks at the
// ends of the track and the keys (after a click on row 1) bring into sight.
struct Scroll {
  const char* story;
  int wheelNotches, downBlocks, upBlocks, downKeys, upKeys;
  std::pair<int, int> shown;  // the first and last rows whose text shows whole
};

class DatumiScrollTest : public DatumiTest, public ::testing::WithParamInterface<Scroll> {};

TEST_P(DatumiScrollTest, RowsComeIntoSight) {
  const Scroll& c = GetParam();
  for (int d = 1; d <= 30; ++d) list.DodajDan(base::dateKey({2026, 11, d}));
  platform.moveMouse(rowPoint(5));
  for (int i = 0; i < c.wheelNotches; ++i) platform.wheel(-120);
  for (auto [block, times] : {std::pair{list.Dol, c.downBlocks}, {list.Gor, c.upBlocks}})
    for (int i = 0; i < times; ++i) platform.click(centre(*block)), platform.advance(1000);
  if (c.downKeys) platform.click(rowPoint(1));
  for (auto [key, times] : {std::pair{gui::kKeyDown, c.downKeys}, {gui::kKeyUp, c.upKeys}})
    for (int i = 0; i < times; ++i) platform.keyDown(key);
  std::pair<int, int> shown{0, 0};
  for (int i = 1; i <= list.rowCount(); ++i) {  // BlockFont: the first glyph is a box of the text colour
    const base::Rect r = list.lblDan[i]->screenRect(), view = list.screenRect();
    if (r.y < view.y || r.y + r.h > view.y + view.h || pixelAt({r.x + 1, r.y + r.h / 2}) != list.lblDan[i]->foreColor()) continue;
    shown = {shown.first ? shown.first : i, i};
  }
  EXPECT_EQ(shown, c.shown) << c.story;
}

INSTANTIATE_TEST_SUITE_P(Datumi, DatumiScrollTest,
                         ::testing::Values(Scroll{"one wheel notch: three rows on", 1, 0, 0, 0, 0, {4, 28}},
                                           Scroll{"the wheel stops at the last row", 5, 0, 0, 0, 0, {6, 30}},
                                           Scroll{"down block twice, up block once", 0, 2, 1, 0, 0, {2, 26}},
                                           Scroll{"Down to the last row keeps it in sight", 0, 0, 0, 29, 0, {6, 30}},
                                           Scroll{"and Up back to the first", 0, 0, 0, 29, 29, {1, 25}}));

TEST_F(DatumiTest, AShorterMonthAfterScrollingIsShownFromItsFirstRow) {
  for (int d = 1; d <= 30; ++d) list.DodajDan(base::dateKey({2026, 11, d}));
  const base::Point grab = centre(*list.Drsnik);
  platform.moveMouse(grab);
  platform.mouseDown();
  platform.moveMouse({grab.x, grab.y + 300});
  platform.mouseUp();
  ASSERT_EQ(list.Območje->top(), -80);
  list.Počisti();
  addDecember(5);
  EXPECT_EQ(list.Območje->top(), 0);
  EXPECT_FALSE(list.PoložajnaVrstica->visible());
}

}  // namespace
