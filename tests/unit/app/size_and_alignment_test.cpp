// The size menu and the alignment menu of the running diary: their entries
// and faces, hover tracking on the virtual clock, what a choice does to the
// editor's selection and to the toolbar's faces, and how the menus close.
#include <utility>

#include "navigation_fixture.h"
#include "skin/atlas.h"

namespace {

using skin::AlignmentItem;
using skin::ButtonState;
using skin::Row;
using skin::SizeMenu;
using skin::ToolbarFace;

class MenusTest : public NavigationTest {
 protected:
  gui::Editor& ed() { return main().editor(); }
  skin::SizeMenu& sizes() { return *main().velikost; }
  skin::AlignmentMenu& align() { return *main().poravnava; }

  void openWith(gui::PictureBox& button) {
    pointAt(button);
    platform.mouseDown();
    platform.mouseUp();
  }
  // A place on the editor, away from the toolbar and the menus.
  void pointAway() { platform.moveMouse(centre(main().Text)); }

  // The digits the size button's face of `row` carries, checked against the
  // glyphs of the untouched artwork; `face` is where that face is seen.
  static bool faceHasDigits(const gui::Surface& face, base::Point faceOrigin, Row row, int tens, int units) {
    static const gui::Surface fresh = skin::loadAtlas();
    const skin::DigitStrip strip = skin::digitStrip(row);
    const skin::SizeDigitPlaces at = skin::sizeDigitPlaces(row);
    for (auto [digit, place] : {std::pair{tens, at.tens}, std::pair{units, at.units}}) {
      const base::Rect g = strip.glyph(digit);
      for (int y = 0; y < g.h; ++y)
        for (int x = 0; x < g.w; ++x)
          if (face.pixel(place.x - faceOrigin.x + x, place.y - faceOrigin.y + y) != fresh.pixel(g.x + x, g.y + y))
            return false;
    }
    return true;
  }
  // Every face the size button can show (each row of its fades) carries the
  // digits, drawn over the atlas, which stays as loaded.
  bool atlasHasDigits(int tens, int units) {
    bool all = diary->PictureGUI == skin::loadAtlas();
    for (Row row : skin::kRows) {
      main().spremeniVelikost->drawFace(row);
      all = all && sizeButtonShows(row, tens, units);
    }
    main().spremeniVelikost->drawFace(Row::Rest);
    return all;
  }
  // The button shows the artwork's face of `row` with the digits over it.
  bool sizeButtonShows(Row row, int tens, int units) {
    gui::Surface withDigits = skin::loadAtlas();
    skin::drawSizeDigits(withDigits, 10 * tens + units);
    const base::Rect f = skin::toolbarFace(ToolbarFace::SpremeniVelikost, row);
    const gui::Surface& s = std::as_const(main().BtnSpremeniVelikost).surface();
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x)
        if (s.pixel(x, y) != withDigits.pixel(f.x + x, f.y + y)) return false;
    return faceHasDigits(s, {f.x, f.y}, row, tens, units);
  }
  bool itemShows(skin::AlignmentMenu::Item& item, ButtonState st) {
    return shows(item.btn.surface(), skin::alignmentItemFace(item.face, st));
  }
};

TEST_F(MenusTest, TheSizeMenuHoldsTwelveSizesUnderItsButton) {
  start();
  app::frmMain& m = main();
  gui::PictureBox& menu = m.menus->mnuSpremeniVelikost;
  EXPECT_EQ(menu.bounds(), (gui::Rect{272, 58, 24, 198}));
  EXPECT_FALSE(menu.visible());
  ASSERT_EQ(sizes().lblVelikost.size(), 13u);
  EXPECT_FALSE(sizes().lblVelikost[0]->visible());
  const char16_t* texts[] = {u"8 ", u"9 ", u"10 ", u"11 ", u"12 ", u"14 ",
                             u"16 ", u"18 ", u"24 ", u"32 ", u"48 ", u"72 "};
  for (int i = 1; i <= 12; ++i) {
    const gui::Label& e = *sizes().lblVelikost[i];
    EXPECT_EQ(e.text(), texts[i - 1]) << i;
    EXPECT_EQ(e.left(), 3) << i;
    EXPECT_EQ(e.top(), 16 * (i - 1) + 3) << i;
    EXPECT_EQ(e.height(), 16) << i;
    EXPECT_TRUE(e.visible()) << i;
    EXPECT_EQ(e.foreColor(), i == 2 ? SizeMenu::kPointedColor : SizeMenu::kEntryColor) << i;  // 9 pt in use
    EXPECT_EQ(e.font().size, 8.25) << i;
    EXPECT_TRUE(e.font().bold) << i;
  }
  EXPECT_FALSE(sizes().Izbor.visible());
  EXPECT_EQ(sizes().Izbor.left(), 2);
  EXPECT_EQ(sizes().Izbor.width(), 20);
  EXPECT_EQ(sizes().Izbor.height(), 18);
  EXPECT_FALSE(sizes().tmrMnuVelikost.enabled());
  // The background tiles, the right edge column and the top and bottom rows.
  EXPECT_TRUE(shows(menu.surface(), {291, 121, 23, 19}, {0, 1}));
  EXPECT_TRUE(shows(menu.surface(), {456, 120, 1, 17}, {23, 180}));
  EXPECT_TRUE(shows(menu.surface(), {291, 118, 24, 1}, {0, 197}));
  // Today's text starts at 9 pt: 09 in every face, and on the button.
  EXPECT_TRUE(atlasHasDigits(0, 9));
  EXPECT_TRUE(sizeButtonShows(Row::Rest, 0, 9));
}

TEST_F(MenusTest, PointingHighlightsAnEntryUntilThePointerLeavesTheMenu) {
  start();
  app::frmMain& m = main();
  openWith(m.BtnSpremeniVelikost);
  ASSERT_TRUE(m.menus->mnuSpremeniVelikost.visible());
  // The editor's window is cut where the open menu lies over it, and only there.
  const gui::Rect ed = m.Text.formRect(), menu = m.menus->mnuSpremeniVelikost.formRect();
  const gui::Region& editorShows = platform.editors()[0].visible;
  EXPECT_FALSE(editorShows.contains({menu.x + 5 - ed.x, menu.y + 20 - ed.y}));
  EXPECT_TRUE(editorShows.contains({menu.x - 5 - ed.x, menu.y + 20 - ed.y}));
  gui::Label& e3 = *sizes().lblVelikost[3];
  gui::Label& e5 = *sizes().lblVelikost[5];
  pointAt(e3);
  EXPECT_TRUE(sizes().Izbor.visible());
  EXPECT_EQ(sizes().Izbor.top(), e3.top() - 1);
  EXPECT_EQ(e3.foreColor(), SizeMenu::kPointedColor);
  EXPECT_TRUE(sizes().tmrMnuVelikost.enabled());
  // On screen: the highlight's border at the entry, in its first colours.
  gui::Surface screen = platform.shown(m.form());
  EXPECT_EQ(screen.pixel(272 + 2, 58 + e3.top() - 1), SizeMenu::kHoverBorder);
  pointAt(e5);
  EXPECT_EQ(sizes().Izbor.top(), e5.top() - 1);
  EXPECT_EQ(e5.foreColor(), SizeMenu::kPointedColor);
  EXPECT_EQ(e3.foreColor(), SizeMenu::kEntryColor);
  // Off the menu: gone within one tick, the menu stays open.
  pointAway();
  platform.advance(50);
  EXPECT_FALSE(sizes().Izbor.visible());
  EXPECT_FALSE(sizes().tmrMnuVelikost.enabled());
  EXPECT_EQ(e5.foreColor(), SizeMenu::kEntryColor);
  EXPECT_TRUE(m.menus->mnuSpremeniVelikost.visible());
  // Back on the menu's bottom edge row still counts as inside.
  const base::Rect r = m.menus->mnuSpremeniVelikost.screenRect();
  pointAt(e3);
  platform.moveMouse({r.x + 5, r.y + r.h});
  platform.advance(200);
  EXPECT_TRUE(sizes().Izbor.visible());
  EXPECT_EQ(sizes().Izbor.top(), e3.top() - 1);
}

TEST_F(MenusTest, ChoosingASizeSetsTheSelectionAndTheButtonsDigits) {
  start();
  app::frmMain& m = main();
  type(u"velika pisava");
  ed().setSelection(0, 6);
  openWith(m.BtnSpremeniVelikost);
  pressOn(*sizes().lblVelikost[6]);  // 14
  EXPECT_EQ(ed().SelFontSize(), 14.0);
  ed().setSelection(7, 6);
  EXPECT_EQ(ed().SelFontSize(), 9.0);  // only the selection changed
  EXPECT_FALSE(m.menus->mnuSpremeniVelikost.visible());
  EXPECT_FALSE(sizes().Izbor.visible());
  EXPECT_EQ(sizes().Izbor.fillColor(), SizeMenu::kReleasedFill);
  EXPECT_EQ(sizes().Izbor.borderColor(), SizeMenu::kReleasedBorder);
  EXPECT_EQ(sizes().lblVelikost[6]->foreColor(), SizeMenu::kEntryColor);
  // The second word, still 9 pt, to 72: the size button shows 72 at rest
  // and in every frame of its hover.
  openWith(m.BtnSpremeniVelikost);
  pressOn(*sizes().lblVelikost[12]);
  EXPECT_EQ(ed().SelFontSize(), 72.0);
  EXPECT_TRUE(atlasHasDigits(7, 2));
  pointAway();
  platform.advance(1000);
  EXPECT_TRUE(sizeButtonShows(Row::Rest, 7, 2));
  pointAt(m.BtnSpremeniVelikost);
  for (Row row : {Row::Fade1, Row::Fade2, Row::Highlight}) {
    platform.advance(50);
    EXPECT_TRUE(sizeButtonShows(row, 7, 2)) << static_cast<int>(row);
  }
  platform.mouseDown();
  EXPECT_TRUE(sizeButtonShows(Row::Pressed, 7, 2));
  platform.mouseUp();
  EXPECT_TRUE(m.menus->mnuSpremeniVelikost.visible());
  // A single-digit size has a 0 in front.
  ed().setSelection(0, 2);
  openWith(m.BtnSpremeniVelikost);
  pressOn(*sizes().lblVelikost[1]);
  EXPECT_EQ(ed().SelFontSize(), 8.0);
  EXPECT_TRUE(atlasHasDigits(0, 8));
  // A press shows the pressed colours, and holding it keeps the highlight
  // where it was even as the pointer moves over other entries and away.
  openWith(m.BtnSpremeniVelikost);
  pointAt(*sizes().lblVelikost[2]);
  platform.mouseDown();
  EXPECT_EQ(sizes().Izbor.fillColor(), SizeMenu::kPressedFill);
  EXPECT_EQ(sizes().Izbor.borderColor(), SizeMenu::kPressedBorder);
  pointAt(*sizes().lblVelikost[9]);
  EXPECT_EQ(sizes().Izbor.top(), sizes().lblVelikost[2]->top() - 1);
  pointAway();
  platform.advance(200);
  EXPECT_TRUE(sizes().Izbor.visible());
  platform.mouseUp();
  EXPECT_EQ(ed().SelFontSize(), 9.0);
}

TEST_F(MenusTest, AMixedSelectionOrAReadOnlyDayKeepsItsSizes) {
  addText("12-06-2026", "\\fs40 yesterday");
  start();
  app::frmMain& m = main();
  type(u"ab");
  ed().setSelection(0, 1);
  ed().setSelFontSize(14);
  ed().setSelection(0, 2);
  ASSERT_FALSE(ed().SelFontSize().has_value());
  openWith(m.BtnSpremeniVelikost);
  pressOn(*sizes().lblVelikost[9]);  // 24
  EXPECT_FALSE(ed().SelFontSize().has_value());
  EXPECT_FALSE(m.menus->mnuSpremeniVelikost.visible());
  EXPECT_TRUE(atlasHasDigits(0, 9));  // as before: the display is left alone
  // Yesterday is read-only: a size chosen there changes neither the text
  // nor the button, but the menu closes.
  clickRow(m.Datumi1, 1);
  ASSERT_TRUE(ed().Locked());
  ed().setSelection(0, 3);
  ASSERT_EQ(ed().SelFontSize(), 20.0);
  m.menus->mnuSpremeniVelikost.setVisible(true);
  pressOn(*sizes().lblVelikost[12]);
  EXPECT_EQ(ed().SelFontSize(), 20.0);
  EXPECT_FALSE(m.menus->mnuSpremeniVelikost.visible());
  EXPECT_TRUE(atlasHasDigits(0, 9));
  // Nor does an alignment.
  m.menus->mnuPoravnaj.setVisible(true);
  pressOn(align().mnuBtnPoravnajNaSredino);
  EXPECT_EQ(ed().SelAlignment(), 0);
  EXPECT_FALSE(m.menus->mnuPoravnaj.visible());
}

TEST_F(MenusTest, TheAlignmentItemsSitInTheMenuWithTheirRestFaces) {
  start();
  app::frmMain& m = main();
  EXPECT_EQ(m.menus->mnuPoravnaj.bounds(), (gui::Rect{185, 58, 78, 29}));
  EXPECT_EQ(align().mnuBtnPoravnajLevo.bounds(), (gui::Rect{3, 3, 23, 23}));
  EXPECT_EQ(align().mnuBtnPoravnajNaSredino.bounds(), (gui::Rect{27, 3, 23, 23}));
  EXPECT_EQ(align().mnuBtnPoravnajDesno.bounds(), (gui::Rect{51, 3, 23, 23}));
  EXPECT_EQ(align().mnuBtnPoravnajLevo.toolTip(), u"Poravnaj Levo");
  EXPECT_EQ(align().mnuBtnPoravnajNaSredino.toolTip(), u"Poravnaj Na Sredino");
  EXPECT_EQ(align().mnuBtnPoravnajDesno.toolTip(), u"Poravnaj Desno");
  for (skin::AlignmentMenu::Item* item : {&align().Levo, &align().NaSredino, &align().Desno}) {
    EXPECT_TRUE(itemShows(*item, ButtonState::Rest)) << item->btn.name();
    EXPECT_FALSE(item->tmr.enabled()) << item->btn.name();
    EXPECT_EQ(item->btn.tag(), "");
  }
  for (const char* t : {"tmrPoravnajLevo", "tmrPoravnajNaSredino", "tmrPoravnajDesno"})
    EXPECT_NE(m.form().timer(t), nullptr) << t;
  // Opened, the menu shows its items over the editor.
  openWith(m.BtnPoravnaj);
  const gui::Surface screen = platform.shown(m.form());
  EXPECT_TRUE(shows(screen, {317, 29, 23, 23}, {185 + 27, 58 + 3}));
  EXPECT_TRUE(shows(screen, {293, 0, 3, 29}, {185, 58}));
}

TEST_F(MenusTest, AlignmentItemsHoverPressAndSetTheSelectionsAlignment) {
  start();
  app::frmMain& m = main();
  type(u"prvi\rdrugi");
  ed().setSelection(0, 2);
  openWith(m.BtnPoravnaj);
  skin::AlignmentMenu::Item& centre = align().NaSredino;
  skin::AlignmentMenu::Item& right = align().Desno;
  pointAt(centre.btn);
  EXPECT_TRUE(itemShows(centre, ButtonState::Hover));
  EXPECT_EQ(centre.btn.tag(), "H");
  EXPECT_TRUE(centre.tmr.enabled());
  pointAt(right.btn);
  EXPECT_TRUE(itemShows(right, ButtonState::Hover));
  platform.advance(50);  // one tick puts the centre item back to rest
  EXPECT_TRUE(itemShows(centre, ButtonState::Rest));
  EXPECT_EQ(centre.btn.tag(), "");
  EXPECT_FALSE(centre.tmr.enabled());
  EXPECT_TRUE(itemShows(right, ButtonState::Hover));
  // Pressed and dragged off: the face stays pressed while the menu is open.
  pointAt(centre.btn);
  platform.mouseDown();
  EXPECT_TRUE(itemShows(centre, ButtonState::Pressed));
  EXPECT_EQ(centre.btn.tag(), "D");
  pointAway();
  platform.advance(200);
  EXPECT_TRUE(itemShows(centre, ButtonState::Pressed));
  platform.mouseUp();
  EXPECT_EQ(ed().SelAlignment(), 2);
  EXPECT_FALSE(m.menus->mnuPoravnaj.visible());
  // With the menu closed the timer puts the face back to rest, and the
  // alignment button fades out showing the centred column.
  platform.advance(600);
  EXPECT_TRUE(itemShows(centre, ButtonState::Rest));
  EXPECT_FALSE(centre.tmr.enabled());
  EXPECT_TRUE(shows(m.BtnPoravnaj.surface(), skin::toolbarFace(ToolbarFace::PoravnajNaSredino, Row::Rest)));
  ed().setSelection(6, 1);
  EXPECT_EQ(ed().SelAlignment(), 0);  // the second paragraph wasn't selected
  ed().setSelection(0, 2);
  // A right-button release applies just the same; right sets 1, left 0.
  openWith(m.BtnPoravnaj);
  pressOn(right.btn, gui::kRightButton);
  EXPECT_EQ(ed().SelAlignment(), 1);
  EXPECT_FALSE(m.menus->mnuPoravnaj.visible());
  openWith(m.BtnPoravnaj);
  pressOn(align().Levo.btn);
  EXPECT_EQ(ed().SelAlignment(), 0);
}

TEST_F(MenusTest, AChosenItemStaysPressedUnderThePointerUntilTheMenuReopens) {
  start();
  app::frmMain& m = main();
  openWith(m.BtnPoravnaj);
  skin::AlignmentMenu::Item& right = align().Desno;
  pressOn(right.btn);
  EXPECT_EQ(ed().SelAlignment(), 1);
  // The pointer stays where the item was: its face stays pressed.
  platform.advance(500);
  EXPECT_TRUE(itemShows(right, ButtonState::Pressed));
  EXPECT_EQ(right.btn.tag(), "D");
  // Pressing the alignment button puts the right-align item back to rest
  // before the menu shows again, whatever its timer has seen.
  pointAt(m.BtnPoravnaj);
  platform.mouseDown();
  EXPECT_TRUE(m.menus->mnuPoravnaj.visible());
  EXPECT_TRUE(itemShows(right, ButtonState::Rest));
  platform.mouseUp();
  // Any other item reopens still pressed; it returns to rest only once the
  // pointer has been over it and left.
  skin::AlignmentMenu::Item& centre = align().NaSredino;
  pressOn(centre.btn);
  EXPECT_EQ(ed().SelAlignment(), 2);
  platform.advance(500);
  pointAt(m.BtnPoravnaj);
  platform.mouseDown();
  platform.mouseUp();
  EXPECT_TRUE(m.menus->mnuPoravnaj.visible());
  platform.advance(500);
  EXPECT_TRUE(itemShows(centre, ButtonState::Pressed));
  pointAt(centre.btn);
  EXPECT_TRUE(itemShows(centre, ButtonState::Hover));
  pointAt(m.BtnKrepko);
  platform.advance(50);
  EXPECT_TRUE(itemShows(centre, ButtonState::Rest));
  EXPECT_EQ(centre.btn.tag(), "");
}

TEST_F(MenusTest, ClicksAndMovesElsewhereCloseTheMenus) {
  start();
  app::frmMain& m = main();
  gui::PictureBox& sizeMenu = m.menus->mnuSpremeniVelikost;
  gui::PictureBox& alignMenu = m.menus->mnuPoravnaj;
  openWith(m.BtnSpremeniVelikost);
  ASSERT_TRUE(sizeMenu.visible());
  const base::Rect w = window(m.form()).bounds();
  platform.click({w.x + 450, w.y + 40});  // a click on the window's toolbar band
  EXPECT_FALSE(sizeMenu.visible());
  EXPECT_TRUE(window(m.form()).visible());
  // Moving onto another menu button closes the open one; a press there
  // opens its own.
  openWith(m.BtnSpremeniVelikost);
  openWith(m.BtnPoravnaj);
  EXPECT_FALSE(sizeMenu.visible());
  EXPECT_TRUE(alignMenu.visible());
  pointAt(m.BtnKrepko);  // a move over a format button
  EXPECT_FALSE(alignMenu.visible());
  openWith(m.BtnPoravnaj);
  clickRow(m.Datumi1, 1);  // a click in the day list
  EXPECT_FALSE(alignMenu.visible());
  // A second press on the button closes its menu again.
  openWith(m.BtnSpremeniVelikost);
  EXPECT_TRUE(sizeMenu.visible());
  platform.advance(1000);  // not a double click
  openWith(m.BtnSpremeniVelikost);
  EXPECT_FALSE(sizeMenu.visible());
}

}  // namespace
