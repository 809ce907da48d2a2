// The round caption buttons: faces, hover tracking, presses, releases inside
// and outside, the keep-on-top face rule, and the mini clock's buttons whose
// timers live on the main window.
#include "button_fixture.h"

TEST_F(ButtonTest, CaptionButtonsSitAtTheirPlacesRoundAndAtRest) {
  EXPECT_EQ(BtnZapri->Btn.bounds(), (gui::Rect{kW - 21, 5, 13, 13}));
  EXPECT_EQ(BtnMini->Btn.bounds(), (gui::Rect{kW - 36, 5, 13, 13}));
  EXPECT_EQ(BtnVednoNaVrhu->Btn.bounds(), (gui::Rect{kW - 54, 5, 13, 13}));
  EXPECT_EQ(BtnZloži->Btn.bounds(), (gui::Rect{kW - 72, 5, 13, 13}));
  EXPECT_EQ(shown(*BtnZapri), "19,33");
  EXPECT_EQ(shown(*BtnMini), "19,46");
  EXPECT_EQ(shown(*BtnVednoNaVrhu), "19,59");
  EXPECT_EQ(shown(*BtnZloži), "19,72");
  // The magenta corners are cut away: the window shows through there.
  const gui::Surface screen = platform.screenshot();
  const gui::Rect r = BtnZapri->Btn.screenRect();
  EXPECT_EQ(screen.pixel(r.x, r.y), skin::kBodyColor);
  EXPECT_TRUE(BtnZapri->Btn.region()->contains({6, 6}));
  EXPECT_FALSE(BtnZapri->Btn.region()->contains({0, 0}));
  // A press on a cut corner is not a press on the button.
  pointAt(BtnZapri->Btn, 0, 0);
  platform.mouseDown();
  platform.mouseUp();
  EXPECT_EQ(closeCommands, 0);
  EXPECT_EQ(BtnZapri->Btn.tag(), "");
}

TEST_F(ButtonTest, HoverShowsAtOnceAndRestReturnsAtTheTrackingTickAfterLeaving) {
  pointAt(*BtnMini);
  EXPECT_EQ(shown(*BtnMini), "32,46");
  EXPECT_EQ(BtnMini->Btn.tag(), "H");
  EXPECT_TRUE(BtnMini->Tmr.enabled());
  tick(3);
  EXPECT_EQ(shown(*BtnMini), "32,46");
  // The button's right and bottom edges still count as on it.
  const gui::Rect r = BtnMini->Btn.screenRect();
  platform.moveMouse({r.right(), r.bottom()});
  tick();
  EXPECT_EQ(BtnMini->Btn.tag(), "H");
  platform.moveMouse({r.right() + 1, r.bottom()});
  EXPECT_EQ(shown(*BtnMini), "32,46");  // not before the tick
  tick();
  EXPECT_EQ(shown(*BtnMini), "19,46");
  EXPECT_EQ(BtnMini->Btn.tag(), "");
  EXPECT_FALSE(BtnMini->Tmr.enabled());
}

TEST_F(ButtonTest, TheTrackingTimerFollowsAWindowThatMoved) {
  pointAt(*BtnZloži);
  form.setPixelBounds({kOrigin.x + 200, kOrigin.y, kW, 300});  // the pointer stays where it was
  tick();
  EXPECT_EQ(shown(*BtnZloži), "19,72");
  EXPECT_EQ(BtnZloži->Btn.tag(), "");
}

TEST_F(ButtonTest, AClickRunsTheCommandOnceAndLeavesTheButtonAtRest) {
  pointAt(*BtnZapri);
  platform.mouseDown();
  EXPECT_EQ(shown(*BtnZapri), "45,33");
  EXPECT_EQ(BtnZapri->Btn.tag(), "D");
  EXPECT_FALSE(BtnZapri->Tmr.enabled());
  platform.mouseUp();
  EXPECT_EQ(closeCommands, 1);
  EXPECT_EQ(shown(*BtnZapri), "19,33");
  EXPECT_EQ(BtnZapri->Btn.tag(), "");
  EXPECT_FALSE(BtnZapri->Tmr.enabled());
  EXPECT_EQ(miniCommands, 0);
}

TEST_F(ButtonTest, DraggingOutAndBackSwitchesFacesAndAReleaseOutsideRunsNothing) {
  pointAt(*BtnMini);
  platform.mouseDown();
  pointAt(*BtnMini, 20, 6);  // held, outside
  EXPECT_EQ(shown(*BtnMini), "32,46");
  pointAt(*BtnMini, 13, 13);  // held, on the far corner: still inside
  EXPECT_EQ(shown(*BtnMini), "45,46");
  pointAt(*BtnMini, 6, -2);
  EXPECT_EQ(shown(*BtnMini), "32,46");
  platform.mouseUp();
  EXPECT_EQ(miniCommands, 0);
  EXPECT_EQ(shown(*BtnMini), "19,46");
  EXPECT_EQ(BtnMini->Btn.tag(), "");
  EXPECT_FALSE(BtnMini->Tmr.enabled());
}

TEST_F(ButtonTest, TheRightButtonRunsNoCommandButClosesTheMenus) {
  menus->mnuSpremniBarvo.setVisible(true);
  pointAt(*BtnZapri);
  platform.mouseDown(gui::kRightButton);
  EXPECT_FALSE(menus->mnuSpremniBarvo.visible());
  EXPECT_EQ(shown(*BtnZapri), "32,33");  // no pressed face
  EXPECT_EQ(BtnZapri->Btn.tag(), "H");
  platform.mouseUp(gui::kRightButton);
  EXPECT_EQ(closeCommands, 0);
  EXPECT_EQ(shown(*BtnZapri), "19,33");
  EXPECT_EQ(BtnZapri->Btn.tag(), "");
}

TEST_F(ButtonTest, KeepOnTopTogglesAndKeepsTheOldFaceUntilThePointerMovesAgain) {
  menus->mnuPoravnaj.setVisible(true);
  pointAt(*BtnVednoNaVrhu);
  EXPECT_EQ(shown(*BtnVednoNaVrhu), "32,59");
  platform.mouseDown();
  EXPECT_TRUE(menus->mnuPoravnaj.visible());  // this one leaves the menus alone
  EXPECT_EQ(shown(*BtnVednoNaVrhu), "45,59");
  platform.mouseUp();
  EXPECT_TRUE(onTop);
  EXPECT_EQ(onTopApplied, 1);
  EXPECT_TRUE(platform.window(form)->topmost());
  EXPECT_EQ(platform.window(form)->bounds(), (gui::Rect{kOrigin.x, kOrigin.y, kW, 300}));
  EXPECT_EQ(shown(*BtnVednoNaVrhu), "19,59");  // the ring: the state before the click
  tick(2);
  EXPECT_EQ(shown(*BtnVednoNaVrhu), "19,59");
  pointAt(*BtnVednoNaVrhu, 7, 7);
  EXPECT_EQ(shown(*BtnVednoNaVrhu), "92,14");  // the square
  pointAway();
  tick();
  EXPECT_EQ(shown(*BtnVednoNaVrhu), "79,14");

  platform.advance(600);
  pointAt(*BtnVednoNaVrhu);
  platform.mouseDown();
  EXPECT_EQ(shown(*BtnVednoNaVrhu), "105,14");
  platform.mouseUp();
  EXPECT_FALSE(onTop);
  EXPECT_FALSE(platform.window(form)->topmost());
  EXPECT_EQ(shown(*BtnVednoNaVrhu), "79,14");

  // A release outside or with the right button leaves the setting alone.
  platform.advance(600);
  platform.mouseDown();
  pointAt(*BtnVednoNaVrhu, 30, 6);
  platform.mouseUp();
  platform.mouseDown(gui::kRightButton);
  platform.mouseUp(gui::kRightButton);
  EXPECT_FALSE(onTop);
  EXPECT_EQ(onTopApplied, 2);
}

TEST_F(ButtonTest, TheMiniClocksButtonsAreTrackedAgainstTheMiniWindow) {
  gui::Form mini{platform, "frmMini"};
  mini.setPixelBounds({900, 600, 101, 111});
  gui::PictureBox& box = mini.add<gui::PictureBox>("BtnZapri");
  skin::RoundButton miniZapri(box, atlas, form, "miniTmrBtnZapri", skin::CaptionButton::Zapri);
  miniZapri.place(80);
  mini.show();
  EXPECT_EQ(&miniZapri.Tmr.form(), &form);
  pointAt(miniZapri);
  EXPECT_EQ(shown(miniZapri), "32,33");
  tick(2);
  EXPECT_EQ(miniZapri.Btn.tag(), "H");  // the main window's place would say it left
  platform.moveMouse({kOrigin.x + 80 + 6, kOrigin.y + 5 + 6});  // same spot on the main window
  tick();
  EXPECT_EQ(shown(miniZapri), "19,33");
  EXPECT_EQ(miniZapri.Btn.tag(), "");
}
