// The menu buttons and the three menus: geometry, backgrounds, toggling,
// closing, and the face a button keeps while its menu is open.
#include "button_fixture.h"

namespace {

bool sameAs(const gui::Surface& s, gui::Rect area, const gui::Surface& atlas, gui::Point from) {
  for (int y = 0; y < area.h; ++y)
    for (int x = 0; x < area.w; ++x)
      if (s.pixel(area.x + x, area.y + y) != atlas.pixel(from.x + x, from.y + y)) return false;
  return true;
}

}  // namespace

TEST_F(ButtonTest, TheMenusHangUnderTheirButtonsHiddenWithTheirSkinnedBackgrounds) {
  const skin::FormatMenus& m = *menus;
  EXPECT_EQ(m.mnuPoravnaj.bounds(), (gui::Rect{185, 58, 78, 29}));
  EXPECT_EQ(m.mnuSpremniBarvo.bounds(), (gui::Rect{228, 58, 166, 129}));
  EXPECT_EQ(m.mnuSpremeniVelikost.bounds(), (gui::Rect{272, 58, 24, 198}));
  for (const gui::PictureBox* p : {&m.mnuPoravnaj, &m.mnuSpremniBarvo, &m.mnuSpremeniVelikost})
    EXPECT_FALSE(p->visible());

  EXPECT_TRUE(sameAs(m.mnuPoravnaj.surface(), {0, 0, 78, 29}, atlas, {293, 0}));
  const gui::Surface& barvo = m.mnuSpremniBarvo.surface();
  EXPECT_TRUE(sameAs(barvo, {0, 0, 166, 1}, atlas, {291, 118}));      // top edge
  EXPECT_TRUE(sameAs(barvo, {0, 128, 166, 1}, atlas, {291, 118}));    // bottom edge
  EXPECT_TRUE(sameAs(barvo, {0, 123, 166, 2}, atlas, {291, 141}));    // separator
  EXPECT_TRUE(sameAs(barvo, {0, 41, 166, 19}, atlas, {291, 121}));    // a tile
  const gui::Surface& velikost = m.mnuSpremeniVelikost.surface();
  EXPECT_TRUE(sameAs(velikost, {0, 0, 24, 1}, atlas, {291, 118}));
  EXPECT_TRUE(sameAs(velikost, {0, 197, 24, 1}, atlas, {291, 118}));
  EXPECT_TRUE(sameAs(velikost, {0, 181, 23, 16}, atlas, {291, 121}));  // the last, cut tile
  EXPECT_TRUE(sameAs(velikost, {23, 1, 1, 19}, atlas, {456, 121}));   // right edge
}

TEST_F(ButtonTest, APressTogglesTheButtonsOwnMenuAndLeavesItsTagAlone) {
  pointAt(*BtnPoravnaj);
  tick(3);
  platform.mouseDown();
  EXPECT_TRUE(menus->mnuPoravnaj.visible());
  EXPECT_EQ(shown(*BtnPoravnaj), "472,339");
  EXPECT_EQ(BtnPoravnaj->Btn.tag(), "H");
  platform.mouseUp();
  EXPECT_EQ(shown(*BtnPoravnaj), "472,339");  // the release changes nothing
  platform.advance(600);
  platform.mouseDown();
  platform.mouseUp();
  EXPECT_FALSE(menus->mnuPoravnaj.visible());
  platform.advance(600);
  platform.mouseDown(gui::kRightButton);
  platform.mouseUp(gui::kRightButton);
  EXPECT_FALSE(menus->mnuPoravnaj.visible());
}

TEST_F(ButtonTest, TheMenusOpenOnTheScreenOverTheWindow) {
  pointAt(*BtnSpremeniVelikost);
  tick(3);
  platform.mouseDown();
  platform.mouseUp();
  const gui::Surface screen = platform.screenshot();
  const gui::Rect r = menus->mnuSpremeniVelikost.screenRect();
  EXPECT_TRUE(sameAs(screen, {r.x, r.y, 24, 1}, atlas, {291, 118}));
  EXPECT_TRUE(sameAs(screen, {r.x + 23, r.y + 1, 1, 19}, atlas, {456, 121}));
}

TEST_F(ButtonTest, AButtonKeepsItsFaceWhileItsMenuIsOpenAndFadesAtTheFirstTickAfter) {
  pointAt(*BtnSpremeniBarvo);
  tick(3);
  platform.mouseDown();
  platform.mouseUp();
  ASSERT_TRUE(menus->mnuSpremniBarvo.visible());
  pointAway();
  tick(6);
  EXPECT_EQ(shown(*BtnSpremeniBarvo), "592,339");
  EXPECT_EQ(BtnSpremeniBarvo->Btn.tag(), "H");
  platform.advance(20);
  menus->CloseMenus();  // e.g. a click on the editor
  EXPECT_FALSE(menus->mnuSpremniBarvo.visible());
  platform.advance(30);
  EXPECT_EQ(BtnSpremeniBarvo->TmrE.tag(), "5");
  tick();
  EXPECT_EQ(shown(*BtnSpremeniBarvo), "592,222");
  tick(2);
  EXPECT_EQ(shown(*BtnSpremeniBarvo), "592,300");
}

TEST_F(ButtonTest, MovesOverOtherButtonsCloseTheMenusButNotOverTheMenusOwnButton) {
  pointAt(*BtnPoravnaj);
  tick(3);
  platform.mouseDown();
  platform.mouseUp();
  pointAt(*BtnPoravnaj, 10, 30);
  EXPECT_TRUE(menus->mnuPoravnaj.visible());
  pointAt(*BtnSpremeniBarvo);  // another menu button closes the other menus
  EXPECT_FALSE(menus->mnuPoravnaj.visible());

  platform.advance(600);
  platform.mouseDown();
  platform.mouseUp();
  ASSERT_TRUE(menus->mnuSpremniBarvo.visible());
  pointAt(*BtnKrepko);  // so does a formatting toggle
  EXPECT_FALSE(menus->mnuSpremniBarvo.visible());

  menus->mnuSpremeniVelikost.setVisible(true);
  pointAt(*BtnGeslo);  // and the password button
  EXPECT_FALSE(menus->mnuSpremeniVelikost.visible());

  menus->mnuPoravnaj.setVisible(true);
  menus->mnuSpremniBarvo.setVisible(true);
  menus->mnuSpremeniVelikost.setVisible(true);
  pointAt(*BtnSpremeniVelikost);
  EXPECT_FALSE(menus->mnuPoravnaj.visible());
  EXPECT_FALSE(menus->mnuSpremniBarvo.visible());
  EXPECT_TRUE(menus->mnuSpremeniVelikost.visible());
}
