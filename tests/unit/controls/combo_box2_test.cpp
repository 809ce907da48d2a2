#include "controls/combo_box2.h"

#include "list_fixture.h"

using controls::ComboBox2;

namespace {

class ComboBox2Test : public ListTest<ComboBox2> {
 protected:
  ComboBox2Test() {
    list.Izbran = [this](std::string& t) { log.push_back("Izbran(" + t + ")"); };
    list.SpremembaIzbora = [this](std::string&, std::string&) { log.push_back("SpremembaIzbora"); };
    list.Resize = [this] { log.push_back("Resize h=" + std::to_string(list.height())); };
  }
  void addYears(int n) {
    for (int i = 0; i < n; ++i) list.Dodaj(std::to_string(2000 + i));
  }
  using Log = std::vector<std::string>;
};

TEST_F(ComboBox2Test, TheListFitsItsHeightToAtMostTwelveRows) {
  list.Dodaj("2005");
  EXPECT_EQ(log, (Log{"Resize h=18"}));  // the height is set before Resize
  addYears(10);
  EXPECT_EQ(list.height(), 11 * 17 + 1);
  EXPECT_FALSE(list.PoložajnaVrstica->visible());
  list.Dodaj("2011");
  EXPECT_EQ(list.height(), 205);
  EXPECT_FALSE(list.PoložajnaVrstica->visible());
  list.Dodaj("2012");
  EXPECT_EQ(list.height(), 205);
  EXPECT_TRUE(list.PoložajnaVrstica->visible());
  EXPECT_EQ(log.size(), 13u);
  EXPECT_EQ(log.back(), "Resize h=205");
  EXPECT_EQ(list.Dol->top(), 205 - 15);
}

TEST_F(ComboBox2Test, MonthRowsShowNamesAndKeepTheirNumbers) {
  list.Mesci = true;
  list.Dodaj("02");
  list.Dodaj("12");
  list.Dodaj("13");
  list.Dodaj("xy");
  list.Dodaj("01");
  EXPECT_EQ(list.lblDan[1]->text(), u"februar");
  EXPECT_EQ(list.lblDan[2]->text(), u"december");
  EXPECT_EQ(list.lblDan[3]->text(), u"");
  log.clear();
  platform.click(rowPoint(3));  // the blank row still chooses its number
  EXPECT_EQ(log, (Log{"Izbran(13)", "Klik"}));
  // A row that is no number at all shows as it stands, and the list still grows.
  EXPECT_EQ(list.lblDan[4]->text(), u"xy");
  EXPECT_EQ(list.lblDan[5]->text(), u"januar");
  EXPECT_EQ(list.height(), 5 * 17 + 1);
  list.Mesci = false;
  list.Dodaj("03");
  EXPECT_EQ(list.lblDan[6]->text(), u"03");
}

TEST_F(ComboBox2Test, APressHighlightsAndTheReleaseReportsTheChoiceOnce) {
  addYears(3);
  log.clear();
  platform.moveMouse(rowPoint(2));
  platform.mouseDown();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(list.Izbrana, 2);
  EXPECT_TRUE(list.Izbor->visible());
  EXPECT_EQ(list.Izbor->top(), 17);
  EXPECT_EQ(list.lblDan[2]->foreColor(), skin::kChosenText);
  platform.mouseUp();
  EXPECT_EQ(log, (Log{"Izbran(2001)", "Klik"}));
  // The highlight on screen, behind the row's text.
  const base::Rect r = list.lblDan[2]->screenRect();
  EXPECT_EQ(pixelAt({r.x + 100, r.y + 4}), skin::kLightBlue);
}

TEST_F(ComboBox2Test, ReleasingAwayFromThePressedRowChoosesNothing) {
  addYears(3);
  log.clear();
  platform.moveMouse(rowPoint(1));
  platform.mouseDown();
  platform.moveMouse({300, 500});
  platform.mouseUp();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(list.Izbrana, 1);
}

TEST_F(ComboBox2Test, KeysMoveTheHighlightSilentlyUntilEnter) {
  addYears(4);
  list.setFocus();
  log.clear();
  platform.keyDown(gui::kKeyReturn);  // nothing highlighted yet
  EXPECT_EQ(log, (Log{"Izbran()"}));
  log.clear();
  platform.keyDown(gui::kKeyDown);  // Izbrana is 0: row 1
  platform.keyDown(gui::kKeyDown);
  platform.keyDown(gui::kKeyDown);
  platform.keyDown(gui::kKeyUp);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(list.Izbrana, 2);
  platform.keyDown(gui::kKeyReturn);
  EXPECT_EQ(log, (Log{"Izbran(2001)"}));
}

TEST_F(ComboBox2Test, IzberiMovesOnlyTheHighlight) {
  addYears(4);
  platform.click(rowPoint(3));
  platform.advance(1000);
  list.Izberi("2000");
  EXPECT_EQ(list.Izbor->top(), 0);
  EXPECT_EQ(list.Izbrana, 3);
  EXPECT_EQ(list.lblDan[3]->foreColor(), skin::kChosenText);
  EXPECT_EQ(list.lblDan[1]->foreColor(), skin::kTextBlue);
  // Unknown text: one row above the first, out of sight.
  list.Izberi("1999");
  EXPECT_EQ(list.Izbor->top(), -17);
  EXPECT_EQ(list.Izbrana, 3);
  // The keys act from the chosen row, not from the highlighted one.
  log.clear();
  platform.keyDown(gui::kKeyDown);
  platform.keyDown(gui::kKeyReturn);
  EXPECT_EQ(log, (Log{"Izbran(2003)"}));
}

TEST_F(ComboBox2Test, ClearingRemovesEveryRowAndRaisesNothing) {
  addYears(13);
  platform.click(rowPoint(2));
  log.clear();
  list.Počisti();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(list.rowCount(), 0);
  EXPECT_EQ(list.Izbrana, 0);
  EXPECT_FALSE(list.Izbor->visible());
  list.Dodaj("2026");
  EXPECT_EQ(list.height(), 18);
  EXPECT_FALSE(list.PoložajnaVrstica->visible());
}

TEST_F(ComboBox2Test, ALongListScrollsWithTheThumb) {
  addYears(24);  // 409 px of rows in 205
  ASSERT_TRUE(list.PoložajnaVrstica->visible());
  EXPECT_EQ(list.Drsnik->height(), 88);  // (205 − 30) · 205 / 409 = 87.7
  const base::Point grab = centre(*list.Drsnik);
  platform.moveMouse(grab);
  platform.mouseDown();
  platform.moveMouse({grab.x, grab.y + 500});
  platform.mouseUp();
  EXPECT_EQ(list.Območje->top(), 205 - 409);
  EXPECT_EQ(list.Drsnik->top(), 205 - 15 - 88);
}

}  // namespace

namespace {

TEST_F(ComboBox2Test, TheRowUnderThePointerLightsUpUntilThePointerLeaves) {
  addYears(3);
  platform.click(rowPoint(1));  // the highlighted row keeps its own look
  const base::Color hover = skin::kPointedRow, white = base::Color::rgb(255, 255, 255);
  // Pointer at row 2, 3, 1 (highlighted), 3, then off the list for two 50 ms polls.
  const std::pair<base::Color, base::Color> rows23[] = {{hover, white}, {white, hover}, {white, white}, {white, hover}, {white, white}};
  const base::Point at[] = {rowPoint(2), rowPoint(3), rowPoint(1), rowPoint(3), {390, 590}};
  for (int i = 0; i < 5; ++i) {
    platform.moveMouse(at[i]);
    platform.advance(i == 4 ? 100 : 0);
    EXPECT_EQ(std::pair(pixelAt({rowPoint(2).x + 100, rowPoint(2).y}), pixelAt({rowPoint(3).x + 100, rowPoint(3).y})), rows23[i]) << i;
  }
}

}  // namespace
