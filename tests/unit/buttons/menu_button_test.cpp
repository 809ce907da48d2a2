// The menu buttons and the three menus: geometry, backgrounds, toggling,
// closing, and the face a button keeps while its menu is open.
#include "button_fixture.h"

namespace {

// A menu button, the column it shows for the text "ena" (left aligned), and
// where in the atlas its menu's top edge comes from.
struct Menu {
  int index;
  const char* column;
  gui::Rect bounds;
  gui::Point topEdge;
  friend void PrintTo(const Menu& c, std::ostream* os) { *os << c.column; }
};

}  // namespace

TEST_F(ButtonTest, TheMenusHaveTheirSkinnedBackgrounds) {
  const skin::FormatMenus& m = *menus;
  EXPECT_TRUE(sameAs(m.mnuPoravnaj.surface(), {0, 0, 78, 29}, {293, 0}));
  const gui::Surface& barvo = m.mnuSpremniBarvo.surface();
  EXPECT_TRUE(sameAs(barvo, {0, 0, 166, 1}, {291, 118}));      // top edge
  EXPECT_TRUE(sameAs(barvo, {0, 128, 166, 1}, {291, 118}));    // bottom edge
  EXPECT_TRUE(sameAs(barvo, {0, 123, 166, 2}, {291, 141}));    // separator
  EXPECT_TRUE(sameAs(barvo, {0, 41, 166, 19}, {291, 121}));    // a tile
  const gui::Surface& velikost = m.mnuSpremeniVelikost.surface();
  EXPECT_TRUE(sameAs(velikost, {0, 0, 24, 1}, {291, 118}));
  EXPECT_TRUE(sameAs(velikost, {0, 197, 24, 1}, {291, 118}));
  EXPECT_TRUE(sameAs(velikost, {0, 181, 23, 16}, {291, 121}));  // the last, cut tile
  EXPECT_TRUE(sameAs(velikost, {23, 1, 1, 19}, {456, 121}));   // right edge
  EXPECT_TRUE(sameAs(velikost, {23, 180, 1, 17}, {456, 120}));  // and its end
}

namespace {

class MenuTest : public ButtonTest, public ::testing::WithParamInterface<Menu> {
 protected:
  skin::SkinnedButton& button() {
    skin::SkinnedButton* const all[] = {BtnPoravnaj.get(), BtnSpremeniBarvo.get(), BtnSpremeniVelikost.get()};
    return *all[GetParam().index];
  }
  gui::PictureBox& menu() {
    gui::PictureBox* const all[] = {&menus->mnuPoravnaj, &menus->mnuSpremniBarvo, &menus->mnuSpremeniVelikost};
    return *all[GetParam().index];
  }
  std::string face(const char* row) { return std::string(GetParam().column) + " " + row; }
  void press(int which = gui::kLeftButton) {
    platform.advance(600);  // each press its own, not a double click
    platform.mouseDown(which);
    platform.mouseUp(which);
  }
};

TEST_P(MenuTest, APressTogglesItsOwnMenuAndTheFaceStaysUpWhileTheMenuIsOpen) {
  skin::SkinnedButton& b = button();
  EXPECT_EQ(menu().bounds(), GetParam().bounds);  // hanging under the button, hidden
  EXPECT_FALSE(menu().visible());
  pointAt(b);
  framesUntil(b, face("Highlight"));
  platform.mouseDown();
  EXPECT_TRUE(menu().visible());
  EXPECT_EQ(shown(b), face("Pressed"));
  platform.mouseUp();
  EXPECT_EQ(shown(b), face("Pressed"));  // the release changes nothing
  const gui::Rect r = menu().screenRect();  // the menu is on the screen, over the window
  EXPECT_TRUE(sameAs(platform.screenshot(), {r.x, r.y, r.w, 1}, GetParam().topEdge));
  press();
  EXPECT_FALSE(menu().visible());
  press(gui::kRightButton);
  EXPECT_FALSE(menu().visible());

  // Open, the menu holds the button's face while the pointer is away; once it
  // closes (e.g. a click on the editor) the button fades out.
  press();
  ASSERT_TRUE(menu().visible());
  pointAway();
  platform.advance(500);
  EXPECT_EQ(shown(b), face("Pressed"));
  menus->CloseMenus();
  EXPECT_FALSE(menu().visible());
  EXPECT_EQ(framesUntil(b, face("Rest")), (std::vector{face("Fade2"), face("Fade1"), face("Rest")}));
}

INSTANTIATE_TEST_SUITE_P(Menus, MenuTest,
                         ::testing::Values(Menu{0, "PoravnajLevo", {185, 58, 78, 29}, {293, 0}},
                                           Menu{1, "SpremeniBarvo", {228, 58, 166, 129}, {291, 118}},
                                           Menu{2, "SpremeniVelikost", {272, 58, 24, 198}, {291, 118}}));

}  // namespace

TEST_F(ButtonTest, AMoveOverAToolbarButtonClosesEveryMenuButThatButtonsOwn) {
  gui::PictureBox* const all[] = {&menus->mnuPoravnaj, &menus->mnuSpremniBarvo, &menus->mnuSpremeniVelikost};
  // Which menus stay open, for Geslo, the three toggles and the three menu buttons.
  const char* const stayOpen[] = {"000", "000", "000", "000", "100", "010", "001"};
  for (int i = 0; i < 7; ++i) {
    for (gui::PictureBox* m : all) m->setVisible(true);
    pointAt(*toolbar()[i], 10, 30);
    std::string open;
    for (const gui::PictureBox* m : all) open += m->visible() ? '1' : '0';
    EXPECT_EQ(open, stayOpen[i]) << i;
  }
}
