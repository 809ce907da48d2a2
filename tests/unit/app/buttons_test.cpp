// The main window's skinned buttons in the running diary: their places after
// the layout, and the commands of the caption buttons.
#include "navigation_fixture.h"

namespace {

class ButtonsTest : public NavigationTest {
 protected:
  bool showsCaption(gui::PictureBox& b, skin::CaptionButton set, skin::ButtonState st) {
    const gui::Rect face = skin::captionFace(set, st);
    const gui::Surface& atlas = diary->PictureGUI;
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 13; ++x)
        if (b.surface().pixel(x, y) != atlas.pixel(face.x + x, face.y + y)) return false;
    return true;
  }
  void press(const gui::Element& e) {
    const base::Rect r = e.screenRect();
    platform.moveMouse({r.x + r.w / 2, r.y + r.h / 2});
    platform.mouseDown();
    platform.mouseUp();
    platform.advance(1000);
  }
};

TEST_F(ButtonsTest, AfterTheLayoutTheButtonsSitInPlaceAtRestWithTheirTips) {
  start();
  app::frmMain& m = main();
  EXPECT_EQ(m.BtnZapri.bounds(), (gui::Rect{575, 5, 13, 13}));
  EXPECT_EQ(m.BtnMini.bounds(), (gui::Rect{560, 5, 13, 13}));
  EXPECT_EQ(m.BtnVednoNaVrhu.bounds(), (gui::Rect{542, 5, 13, 13}));
  EXPECT_EQ(m.BtnZloži.bounds(), (gui::Rect{524, 5, 13, 13}));
  EXPECT_TRUE(showsCaption(m.BtnZapri, skin::CaptionButton::Zapri, skin::ButtonState::Rest));
  EXPECT_TRUE(showsCaption(m.BtnVednoNaVrhu, skin::CaptionButton::VednoNaVrhuOff, skin::ButtonState::Rest));
  for (const char* name : {"tmrBtnGesloE", "TmrBtnKrepkoE", "tmrBtnLežečeE", "TMRBtnPodčrtanoE", "tmrBtnPoravnajE",
                           "tmrBtnSpremeniBarvoE", "tmrBtnSpremeniVelikostE"}) {
    const gui::Timer* t = m.form().timer(name);
    ASSERT_NE(t, nullptr) << name;
    EXPECT_EQ(t->tag(), "0") << name;
    EXPECT_FALSE(t->enabled()) << name;
  }
  EXPECT_EQ(m.menus->mnuPoravnaj.bounds(), (gui::Rect{185, 58, 78, 29}));
  EXPECT_EQ(m.BtnGeslo.toolTip(), u"Spremeni Geslo...");
  EXPECT_EQ(m.BtnPoravnaj.toolTip(), u"Nastavi Postavitev Pisave...");
  EXPECT_EQ(m.BtnSpremeniBarvo.toolTip(), u"Barva pisave");
  EXPECT_EQ(m.BtnSpremeniVelikost.toolTip(), u"Velikost pisave");
  EXPECT_EQ(m.BtnZapri.toolTip(), u"Zapri in Shrani Dnevnik");
  EXPECT_EQ(m.BtnMini.toolTip(), u"Minimiraj Dnevnik");
  EXPECT_EQ(m.BtnZloži.toolTip(), u"Zloži Dnevnik (In Prikaži Na Vrhu)");
  EXPECT_EQ(m.BtnVednoNaVrhu.toolTip(), u"Prikaži Dnevnik Na Vrhu");
}

TEST_F(ButtonsTest, TheCloseButtonSavesTodayAndTheSettingsAndEnds) {
  writeSettings({1500, 1200, false, u""});
  start();
  type(u"Lep dan.");
  press(main().BtnZapri);
  EXPECT_EQ(platform.exitCode(), 0);
  EXPECT_NE(entry("12-07-2026").find("Lep dan."), std::string::npos);
  const store::Settings s = readSettings();
  EXPECT_EQ(s.top, 1500);
  EXPECT_EQ(s.left, 1200);
}

TEST_F(ButtonsTest, MinimiseHidesTheDiaryBehindItsTaskbarButtonAndRestoreBringsItBack) {
  start();
  press(main().BtnMini);
  EXPECT_FALSE(window(main().form()).visible());
  EXPECT_EQ(diary->taskbar().form().windowState(), gui::kMinimized);
  EXPECT_FALSE(platform.exitCode().has_value());
  platform.restoreFromTaskbar(diary->taskbar().form());
  EXPECT_TRUE(window(main().form()).visible());
  EXPECT_EQ(main().BtnMini.tag(), "");
}

TEST_F(ButtonsTest, KeepOnTopPlacesTheWindowAboveOthersAndIsRememberedWithItsFace) {
  start();
  app::frmMain& m = main();
  const gui::Rect before = window(m.form()).bounds();
  press(m.BtnVednoNaVrhu);
  EXPECT_TRUE(diary->OnTopSetting);
  EXPECT_TRUE(window(m.form()).topmost());
  EXPECT_EQ(window(m.form()).bounds(), before);
  EXPECT_TRUE(showsCaption(m.BtnVednoNaVrhu, skin::CaptionButton::VednoNaVrhuOff, skin::ButtonState::Rest));
  press(m.BtnZapri);
  EXPECT_TRUE(readSettings().onTop);

  diary.reset();
  start();
  EXPECT_TRUE(window(main().form()).topmost());
  EXPECT_TRUE(showsCaption(main().BtnVednoNaVrhu, skin::CaptionButton::VednoNaVrhuOn, skin::ButtonState::Rest));
}

TEST_F(ButtonsTest, AMenuOpenedFromTheToolbarClosesOnAClickElsewhere) {
  start();
  app::frmMain& m = main();
  press(m.BtnPoravnaj);
  EXPECT_TRUE(m.menus->mnuPoravnaj.visible());
  press(m.PicDatumi);
  EXPECT_FALSE(m.menus->mnuPoravnaj.visible());
  press(m.BtnSpremeniVelikost);
  EXPECT_TRUE(m.menus->mnuSpremeniVelikost.visible());
  platform.click({window(m.form()).bounds().x + 450, window(m.form()).bounds().y + 40});  // the toolbar band
  EXPECT_FALSE(m.menus->mnuSpremeniVelikost.visible());
  press(m.BtnSpremeniBarvo);
  press(m.BtnZapri);  // closing starts by closing the menus
  EXPECT_FALSE(m.menus->mnuSpremniBarvo.visible());
}

}  // namespace
