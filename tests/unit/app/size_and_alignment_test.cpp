// The size menu and the alignment menu of the running diary: their entries
// and faces, hover tracking on the virtual clock, what a choice does to the
// editor's selection and to the toolbar's faces, and how the menus close.
#include <tuple>
#include <utility>

#include "navigation_fixture.h"
#include "skin/atlas.h"

namespace {

using skin::ButtonState;
using skin::Row;
using skin::SizeMenu;
using skin::ToolbarFace;

class MenusTest : public NavigationTest {
 protected:
  gui::Editor& ed() { return editor(); }
  // An entry of the size menu (1–12, 0 the hidden template) and its highlight.
  gui::Label& size(int i) { return inMenu<gui::Label>("mnuSpremeniVelikost", "lblVelikost(" + std::to_string(i) + ")"); }
  gui::Shape& highlight() { return inMenu<gui::Shape>("mnuSpremeniVelikost", "Izbor"); }
  gui::PictureBox& item(base::Alignment i) {
    const char* name = i == base::Alignment::Center  ? "mnuBtnPoravnajNaSredino"
                       : i == base::Alignment::Right ? "mnuBtnPoravnajDesno"
                                                     : "mnuBtnPoravnajLevo";
    return inMenu<gui::PictureBox>("mnuPoravnaj", name);
  }

  void openWith(gui::PictureBox& button) {
    pointAt(button);
    platform.mouseDown();
    platform.mouseUp();
  }
  // A place on the editor, away from the toolbar and the menus.
  void pointAway() { pointAt(text()); }

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
  // Every face the size button shows (at rest, fading in, pressed) carries
  // the digits, drawn over the atlas, which stays as loaded.
  bool everyFaceHasDigits(int tens, int units) {
    return diary->PictureGUI == skin::loadAtlas() &&
           everyFace(el("BtnSpremeniVelikost"), [&](Row row) { return sizeButtonShows(row, tens, units); });
  }
  // The button shows the artwork's face of `row` with the digits over it.
  bool sizeButtonShows(Row row, int tens, int units) {
    gui::Surface withDigits = skin::loadAtlas();
    skin::drawSizeDigits(withDigits, 10 * tens + units);
    const base::Rect f = skin::toolbarFace(ToolbarFace::SpremeniVelikost, row);
    const gui::Surface& s = std::as_const(el("BtnSpremeniVelikost")).surface();
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x)
        if (s.pixel(x, y) != withDigits.pixel(f.x + x, f.y + y)) return false;
    return faceHasDigits(s, {f.x, f.y}, row, tens, units);
  }
  bool itemShows(base::Alignment i, ButtonState st) { return shows(item(i).surface(), skin::alignmentItemFace(i, st)); }
};

// The three menus of the toolbar: where each opens, and what a choice does.
struct Menu {
  const char* button;
  const char* menu;
  const char* choice;                 // the entry chosen
  bool (*applied)(const gui::Editor&);  // whether the selection has its value
};

class ToolbarMenuTest : public MenusTest, public ::testing::WithParamInterface<Menu> {};

TEST_P(ToolbarMenuTest, OpensUnderItsButtonChoosesForTodaysSelectionOnlyAndCloses) {
  const Menu p = GetParam();
  addText("12-06-2026", "yesterday");
  start();
  gui::PictureBox& menu = el(p.menu);
  type(u"prvi\rdrugi");
  ed().setSelection(0, 2);
  clickOn(el(p.button));
  ASSERT_TRUE(menu.visible());
  const gui::Rect r = menu.formRect();
  EXPECT_EQ(platform.shown(main().form()).pixel(r.x + 1, r.y + 1), menu.surface().pixel(1, 1));
  pressOn(*menu.find(p.choice));
  EXPECT_TRUE(p.applied(ed()));
  EXPECT_FALSE(menu.visible());
  ed().setSelection(6, 1);
  EXPECT_FALSE(p.applied(ed()));  // the second paragraph was not selected
  // A click on the window's toolbar band closes the menu; the window stays.
  clickOn(el(p.button));
  const base::Rect w = window(main().form()).bounds();
  platform.click({w.x + 450, w.y + 40});
  EXPECT_FALSE(menu.visible());
  EXPECT_TRUE(window(main().form()).visible());
  // Yesterday is read-only: should the menu still be open there, a choice
  // changes nothing, and the menu closes.
  clickRow(days(), 1);
  ASSERT_TRUE(ed().Locked());
  ed().setSelection(0, 3);
  menu.setVisible(true);
  pressOn(*menu.find(p.choice));
  EXPECT_FALSE(p.applied(ed()));
  EXPECT_FALSE(menu.visible());
  platform.closeWindow(main().form());
  EXPECT_EQ(entry("12-06-2026"), std::string(kRtf) + "yesterday\\par\r\n}\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Menus, ToolbarMenuTest,
    ::testing::Values(Menu{"BtnPoravnaj", "mnuPoravnaj", "mnuBtnPoravnajNaSredino",
                           [](const gui::Editor& e) { return e.SelAlignment() == base::Alignment::Center; }},
                      Menu{"BtnSpremeniVelikost", "mnuSpremeniVelikost", "lblVelikost(6)",
                           [](const gui::Editor& e) { return e.SelFontSize() == 14.0; }},
                      Menu{"BtnSpremeniBarvo", "mnuSpremniBarvo", "picBarva(18)",
                           [](const gui::Editor& e) { return e.SelColor() == base::Color::rgb(255, 0, 0); }}));

// The size and the colour menu light the entry under the pointer alike;
// each draws its highlight its own way.
struct Lit {
  const char* button;
  const char* menu;
  const char* entry;
  int first, second, pressed, other;  // the entries pointed at in turn
  // Whether the screen shows the entry at rest, pointed (Highlight) or pressed.
  bool (*shows)(const gui::Surface& screen, const gui::Element& entry, Row row);
  bool (*chosen)(const gui::Editor&);  // whether the selection took the pressed entry
  friend void PrintTo(const Lit& l, std::ostream* os) { *os << l.menu; }
};

// Lit, the number takes the pointed colour and the highlight, 20 × 18, lies
// one pixel out; at rest neither shows (entries other than the size in use).
bool sizeLit(const gui::Surface& s, const gui::Element& e, Row row) {
  const gui::Rect r = e.formRect();
  bool pointed = false;
  for (int i = 0; i < r.w * r.h; ++i) pointed |= s.pixel(r.x + i % r.w, r.y + i / r.w) == SizeMenu::kPointedColor;
  const auto bordered = [&](base::Color c) { return s.pixel(r.x - 1, r.y - 1) == c && s.pixel(r.x + 18, r.y + 16) == c; };
  const bool hover = bordered(SizeMenu::kHoverBorder), pressed = bordered(SizeMenu::kPressedBorder);
  return row == Row::Rest ? !pointed && !hover && !pressed : pointed && (row == Row::Pressed ? pressed : hover);
}

// Lit, the skin's 20 × 20 frame lies two pixels out round the uncovered swatch.
bool colourLit(const gui::Surface& s, const gui::Element& e, Row row) {
  static const gui::Surface atlas = skin::loadAtlas();
  const gui::Rect r = e.formRect();
  const auto framed = [&](const base::Rect& f) {
    return s.pixel(r.x - 2, r.y - 2) == atlas.pixel(f.x, f.y) && s.pixel(r.x + 17, r.y + 17) == atlas.pixel(f.x + 19, f.y + 19);
  };
  const bool hover = framed(skin::r::swatchHover), pressed = framed(skin::r::swatchPressed);
  const bool swatch = s.pixel(r.x + 8, r.y + 8) == static_cast<const gui::PictureBox&>(e).backColor();
  return swatch && (row == Row::Rest ? !hover && !pressed : row == Row::Pressed ? pressed : hover);
}

class MenuHighlightTest : public MenusTest, public ::testing::WithParamInterface<Lit> {};

TEST_P(MenuHighlightTest, FollowsThePointerOnTheMenuAndAPressHoldsItTillTheRelease) {
  const Lit& p = GetParam();
  start();
  type(u"beseda");
  ed().setSelection(0, 6);
  gui::PictureBox& menu = el(p.menu);
  openWith(el(p.button));
  auto entry = [&](int k) -> gui::Element& { return inMenu<gui::Element>(p.menu, p.entry + ("(" + std::to_string(k) + ")")); };
  auto lit = [&](int k, Row row) { return p.shows(platform.shown(main().form()), entry(k), row); };
  const gui::Rect m = menu.formRect(), t = text().formRect();
  // A pixel by its left edge that lies over the editor's page (not over the ring round it).
  auto menuShows = [&] { return platform.shown(main().form()).pixel(m.x + 1, m.y + 10) == menu.surface().pixel(1, 10); };
  // The editor's window is cut where the open menu lies over it, and only there.
  EXPECT_FALSE(platform.editors()[0].visible.contains({m.x + 5 - t.x, m.y + 20 - t.y}));
  EXPECT_TRUE(platform.editors()[0].visible.contains({m.x - 5 - t.x, m.y + 20 - t.y}));
  EXPECT_TRUE(lit(p.first, Row::Rest));
  pointAt(entry(p.first));
  EXPECT_TRUE(lit(p.first, Row::Highlight));
  pointAt(entry(p.second));
  EXPECT_TRUE(lit(p.second, Row::Highlight));
  EXPECT_TRUE(lit(p.first, Row::Rest));
  // Off the menu: gone within one tick, the menu stays open.
  pointAway();
  platform.advance(50);
  EXPECT_TRUE(lit(p.second, Row::Rest));
  EXPECT_TRUE(menuShows());
  // Back on the menu's bottom edge row still counts as on the menu.
  pointAt(entry(p.first));
  platform.moveMouse({menu.screenRect().x + 5, menu.screenRect().bottom()});
  platform.advance(200);
  EXPECT_TRUE(lit(p.first, Row::Highlight));
  // Held, the press stays on its entry over other entries and off the menu;
  // the release there chooses it.
  pointAt(entry(p.pressed));
  platform.mouseDown();
  EXPECT_TRUE(lit(p.pressed, Row::Pressed));
  pointAt(entry(p.other));
  EXPECT_TRUE(lit(p.pressed, Row::Pressed));
  EXPECT_TRUE(lit(p.other, Row::Rest));
  pointAway();
  platform.advance(200);
  EXPECT_TRUE(lit(p.pressed, Row::Pressed));
  platform.mouseUp();
  EXPECT_TRUE(p.chosen(ed()));
  EXPECT_FALSE(menuShows());
  platform.advance(1000);
  openWith(el(p.button));
  pointAt(entry(p.first));
  EXPECT_FALSE(lit(p.first, Row::Pressed));  // the press did not outlast its release
}

INSTANTIATE_TEST_SUITE_P(
    SizeAndColour, MenuHighlightTest,
    ::testing::Values(Lit{"BtnSpremeniVelikost", "mnuSpremeniVelikost", "lblVelikost", 3, 5, 9, 11, sizeLit,
                          [](const gui::Editor& e) { return e.SelFontSize() == 24.0; }},
                      Lit{"BtnSpremeniBarvo", "mnuSpremniBarvo", "picBarva", 10, 13, 20, 30, colourLit,
                          [](const gui::Editor& e) { return e.SelColor() == base::Color::rgb(255, 255, 0); }}));

TEST_F(MenusTest, TheSizeMenuHoldsTwelveSizesUnderItsButton) {
  start();
  gui::PictureBox& menu = el("mnuSpremeniVelikost");
  EXPECT_EQ(menu.find("lblVelikost(13)"), nullptr);
  EXPECT_FALSE(size(0).visible());
  const char16_t* texts[] = {u"8 ", u"9 ", u"10 ", u"11 ", u"12 ", u"14 ",
                             u"16 ", u"18 ", u"24 ", u"32 ", u"48 ", u"72 "};
  for (int i = 1; i <= 12; ++i) {
    const gui::Label& e = size(i);
    EXPECT_EQ(e.text(), texts[i - 1]) << i;
    EXPECT_EQ(e.left(), 3) << i;
    EXPECT_EQ(e.top(), 16 * (i - 1) + 3) << i;
    EXPECT_EQ(e.height(), 16) << i;
    EXPECT_TRUE(e.visible()) << i;
    EXPECT_EQ(e.foreColor(), i == 2 ? SizeMenu::kPointedColor : SizeMenu::kEntryColor) << i;  // 9 pt in use
    EXPECT_EQ(e.font().size, 8.25) << i;
    EXPECT_TRUE(e.font().bold) << i;
  }
  // Today's text starts at 9 pt: 09 in every face, and on the button.
  EXPECT_TRUE(everyFaceHasDigits(0, 9));
  EXPECT_TRUE(sizeButtonShows(Row::Rest, 0, 9));
}

TEST_F(MenusTest, ChoosingASizeSetsTheSelectionAndTheButtonsDigits) {
  start();
  type(u"velika pisava");
  ed().setSelection(0, 6);
  openWith(el("BtnSpremeniVelikost"));
  pressOn(size(6));  // 14
  EXPECT_EQ(ed().SelFontSize(), 14.0);
  ed().setSelection(7, 6);
  EXPECT_EQ(ed().SelFontSize(), 9.0);  // only the selection changed
  EXPECT_FALSE(highlight().visible());
  EXPECT_EQ(highlight().fillColor(), SizeMenu::kReleasedFill);
  EXPECT_EQ(highlight().borderColor(), SizeMenu::kReleasedBorder);
  EXPECT_EQ(size(6).foreColor(), SizeMenu::kEntryColor);
  // The second word, still 9 pt, to 72: the size button shows 72 at rest
  // and in every frame of its hover. The next highlight is the hover's again.
  openWith(el("BtnSpremeniVelikost"));
  pointAt(size(3));
  EXPECT_EQ(highlight().fillColor(), SizeMenu::kHoverFill);
  EXPECT_EQ(highlight().borderColor(), SizeMenu::kHoverBorder);
  pressOn(size(12));
  EXPECT_EQ(ed().SelFontSize(), 72.0);
  EXPECT_TRUE(everyFaceHasDigits(7, 2));
  // A single-digit size has a 0 in front.
  ed().setSelection(0, 2);
  openWith(el("BtnSpremeniVelikost"));
  pressOn(size(1));
  EXPECT_EQ(ed().SelFontSize(), 8.0);
  EXPECT_TRUE(everyFaceHasDigits(0, 8));
}

TEST_F(MenusTest, AMixedSelectionKeepsItsSizes) {
  start();
  type(u"ab");
  ed().setSelection(0, 1);
  ed().setSelFontSize(14);
  ed().setSelection(0, 2);
  ASSERT_FALSE(ed().SelFontSize().has_value());
  openWith(el("BtnSpremeniVelikost"));
  pressOn(size(9));  // 24
  EXPECT_FALSE(ed().SelFontSize().has_value());
  EXPECT_FALSE(el("mnuSpremeniVelikost").visible());
  EXPECT_TRUE(everyFaceHasDigits(0, 9));  // as before: the display is left alone
}

TEST_F(MenusTest, TheAlignmentItemsSitInTheMenuWithTheirRestFaces) {
  start();
  // Left to right as the menu shows them: left, centre, right.
  const std::tuple<base::Alignment, int, const char16_t*> items[] = {
      {base::Alignment::Left, 3, u"Poravnaj Levo (Ctrl+L)"},
      {base::Alignment::Center, 27, u"Poravnaj Na Sredino (Ctrl+Shift+E)"},
      {base::Alignment::Right, 51, u"Poravnaj Desno (Ctrl+R)"}};
  for (auto [i, left, tip] : items) {
    EXPECT_EQ(item(i).bounds(), (gui::Rect{left, 3, 23, 23}));
    EXPECT_EQ(item(i).toolTip(), tip);
    EXPECT_TRUE(itemShows(i, ButtonState::Rest)) << left;
  }
  // Opened, the menu shows its items over the editor.
  openWith(el("BtnPoravnaj"));
  const gui::Surface screen = platform.shown(main().form());
  EXPECT_TRUE(shows(screen, {317, 29, 23, 23}, {185 + 27, 58 + 3}));
  EXPECT_TRUE(shows(screen, {293, 0, 3, 29}, {185, 58}));
}

TEST_F(MenusTest, AlignmentItemsHoverPressAndSetTheSelectionsAlignment) {
  start();
  type(u"prvi\rdrugi");
  ed().setSelection(0, 2);
  openWith(el("BtnPoravnaj"));
  const base::Alignment centre = base::Alignment::Center;
  const base::Alignment right = base::Alignment::Right;
  pointAt(item(centre));
  EXPECT_TRUE(itemShows(centre, ButtonState::Hover));
  pointAt(item(right));
  EXPECT_TRUE(itemShows(right, ButtonState::Hover));
  platform.advance(50);  // one tick puts the centre item back to rest
  EXPECT_TRUE(itemShows(centre, ButtonState::Rest));
  EXPECT_TRUE(itemShows(right, ButtonState::Hover));
  // Pressed and dragged off: the face stays pressed while the menu is open.
  pointAt(item(centre));
  platform.mouseDown();
  EXPECT_TRUE(itemShows(centre, ButtonState::Pressed));
  pointAway();
  platform.advance(200);
  EXPECT_TRUE(itemShows(centre, ButtonState::Pressed));
  platform.mouseUp();
  EXPECT_EQ(ed().SelAlignment(), base::Alignment::Center);
  EXPECT_FALSE(el("mnuPoravnaj").visible());
  // With the menu closed the timer puts the face back to rest, and the
  // alignment button fades out showing the centred column.
  platform.advance(600);
  EXPECT_TRUE(itemShows(centre, ButtonState::Rest));
  EXPECT_TRUE(shows(el("BtnPoravnaj").surface(), skin::toolbarFace(ToolbarFace::PoravnajNaSredino, Row::Rest)));
  // A right-button release applies just the same; right sets 1, left 0.
  openWith(el("BtnPoravnaj"));
  pressOn(item(right), gui::kRightButton);
  EXPECT_EQ(ed().SelAlignment(), base::Alignment::Right);
  EXPECT_FALSE(el("mnuPoravnaj").visible());
  openWith(el("BtnPoravnaj"));
  pressOn(item(base::Alignment::Left));
  EXPECT_EQ(ed().SelAlignment(), base::Alignment::Left);
}

TEST_F(MenusTest, AChosenItemStaysPressedUnderThePointerUntilTheMenuReopens) {
  start();
  openWith(el("BtnPoravnaj"));
  const base::Alignment right = base::Alignment::Right;
  pressOn(item(right));
  EXPECT_EQ(ed().SelAlignment(), base::Alignment::Right);
  // The pointer stays where the item was: its face stays pressed.
  platform.advance(500);
  EXPECT_TRUE(itemShows(right, ButtonState::Pressed));
  // Pressing the alignment button puts the right-align item back to rest
  // before the menu shows again, whatever its timer has seen.
  pointAt(el("BtnPoravnaj"));
  platform.mouseDown();
  EXPECT_TRUE(el("mnuPoravnaj").visible());
  EXPECT_TRUE(itemShows(right, ButtonState::Rest));
  platform.mouseUp();
  // Any other item reopens still pressed; it returns to rest only once the
  // pointer has been over it and left.
  const base::Alignment centre = base::Alignment::Center;
  pressOn(item(centre));
  EXPECT_EQ(ed().SelAlignment(), base::Alignment::Center);
  platform.advance(500);
  pointAt(el("BtnPoravnaj"));
  platform.mouseDown();
  platform.mouseUp();
  EXPECT_TRUE(el("mnuPoravnaj").visible());
  platform.advance(500);
  EXPECT_TRUE(itemShows(centre, ButtonState::Pressed));
  pointAt(item(centre));
  EXPECT_TRUE(itemShows(centre, ButtonState::Hover));
  pointAt(el("BtnKrepko"));
  platform.advance(50);
  EXPECT_TRUE(itemShows(centre, ButtonState::Rest));
}

// Moves over the toolbar and presses on the menu buttons close and open the
// menus as the buttons' own tests show; a click in the day list closes them too.
TEST_F(MenusTest, AClickInTheDayListClosesAnOpenMenu) {
  start();
  openWith(el("BtnPoravnaj"));
  ASSERT_TRUE(el("mnuPoravnaj").visible());
  clickRow(days(), 1);
  EXPECT_FALSE(el("mnuPoravnaj").visible());
}

}  // namespace
