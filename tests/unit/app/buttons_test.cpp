// The main window's skinned buttons in the running diary: their places after
// the layout, and the commands of the caption buttons.
#include "navigation_fixture.h"

namespace {

class ButtonsTest : public NavigationTest {
 protected:
  bool showsCaption(gui::PictureBox& b, skin::CaptionButton set, skin::ButtonState st) {
    return shows(b.surface(), skin::captionFace(set, st));
  }
};

// The four round buttons of the title strip.
struct Caption {
  const char* button;
  gui::Rect bounds;
  skin::CaptionButton faces;
  const char16_t* tip;
};

class CaptionButtonTest : public ButtonsTest, public ::testing::WithParamInterface<Caption> {};

// How each reacts to the pointer is the round buttons' own; here, that the
// diary puts each in place with its faces and its tip.
TEST_P(CaptionButtonTest, SitsInPlaceWithItsFacesAndItsTip) {
  const Caption c = GetParam();
  start();
  gui::PictureBox& button = el(c.button);
  EXPECT_EQ(button.bounds(), c.bounds);
  EXPECT_EQ(button.toolTip(), c.tip);
  EXPECT_TRUE(showsCaption(button, c.faces, skin::ButtonState::Rest));
  pointAt(button);
  EXPECT_TRUE(showsCaption(button, c.faces, skin::ButtonState::Hover));
}

INSTANTIATE_TEST_SUITE_P(
    Captions, CaptionButtonTest,
    ::testing::Values(
        Caption{"BtnZapri", {575, 5, 13, 13}, skin::CaptionButton::Zapri, u"Zapri in Shrani Dnevnik (Ctrl+W)"},
        Caption{"BtnMini", {560, 5, 13, 13}, skin::CaptionButton::Mini, u"Minimiraj Dnevnik (Ctrl+Shift+M)"},
        Caption{"BtnVednoNaVrhu", {542, 5, 13, 13}, skin::CaptionButton::VednoNaVrhuOff, u"Prikaži Dnevnik Na Vrhu (Ctrl+T)"},
        Caption{"BtnZloži", {524, 5, 13, 13}, skin::CaptionButton::Zloži, u"Zloži Dnevnik (In Prikaži Na Vrhu) (Ctrl+M)"}));

TEST_F(ButtonsTest, TheToolbarButtonsCarryTheirTips) {
  start();
  EXPECT_EQ(el("BtnGeslo").toolTip(), u"Spremeni Geslo... (Ctrl+G)");
  EXPECT_EQ(el("BtnPoravnaj").toolTip(), u"Nastavi Postavitev Pisave...");
  EXPECT_EQ(el("BtnSpremeniBarvo").toolTip(), u"Barva pisave");
  EXPECT_EQ(el("BtnSpremeniVelikost").toolTip(), u"Velikost pisave");
}

// A press puts the tip away, so the menu it opens is seen whole; the tip is
// back only on another element. Each swatch names its colour.
TEST_F(ButtonsTest, ATipGoesAsItsMenuOpensAndTheSwatchesNameTheirColours) {
  start();
  const auto tip = [&] { return platform.toolTip(main().form()).value_or(headless::HeadlessPlatform::ToolTipTool{}).text; };
  pressOn(el("BtnPoravnaj"));
  EXPECT_TRUE(el("mnuPoravnaj").visible());
  EXPECT_EQ(tip(), u"");
  platform.moveMouse({platform.cursorPos().x + 1, platform.cursorPos().y});
  EXPECT_EQ(tip(), u"");
  pointAt(el("BtnSpremeniBarvo"));
  EXPECT_EQ(tip(), u"Barva pisave");
  pressOn(el("BtnSpremeniBarvo"));
  pointAt(el("picBarva(18)"));
  EXPECT_EQ(tip(), u"rdeča");
  pointAt(el("picBarva(41)"));
  EXPECT_EQ(tip(), u"črna");
}

TEST_F(ButtonsTest, MinimiseHidesTheDiaryBehindItsTaskbarButtonAndRestoreBringsItBack) {
  start();
  clickOn(el("BtnMini"));
  EXPECT_FALSE(window(main().form()).visible());
  EXPECT_EQ(diary->taskbar().form().windowState(), gui::kMinimized);
  EXPECT_FALSE(platform.exitCode().has_value());
  platform.restoreFromTaskbar(diary->taskbar().form());
  EXPECT_TRUE(window(main().form()).visible());
  // Not stuck pressed: once the pointer has left, the button is at rest.
  pointAt(text());
  platform.advance(1000);
  EXPECT_TRUE(showsCaption(el("BtnMini"), skin::CaptionButton::Mini, skin::ButtonState::Rest));
}

TEST_F(ButtonsTest, KeepOnTopIsRememberedWithItsFaceByTheCloseButtonWhichSavesToday) {
  writeSettings({1500, 1200, false, u""});
  start();
  type(u"Lep dan.");
  clickOn(el("BtnVednoNaVrhu"));
  EXPECT_TRUE(window(main().form()).topmost());
  EXPECT_TRUE(readSettings().onTop);  // kept at once: a crash now would not lose it
  clickOn(el("BtnZapri"));
  EXPECT_EQ(platform.exitCode(), 0);
  EXPECT_NE(entry("12-07-2026").find("Lep dan."), std::string::npos);
  const store::Settings s = readSettings();
  EXPECT_EQ(std::tuple(s.top, s.left, s.onTop), std::tuple(1500.0, 1200.0, true));

  diary.reset();
  start();
  EXPECT_TRUE(window(main().form()).topmost());
  EXPECT_TRUE(showsCaption(el("BtnVednoNaVrhu"), skin::CaptionButton::VednoNaVrhuOn, skin::ButtonState::Rest));
}

}  // namespace
