// The round caption buttons as the user sees them: faces, hover tracking,
// presses, releases inside and outside, the keep-on-top face rule, and the
// mini clock's buttons whose timers live on the main window.
#include "button_fixture.h"

namespace {

struct Caption {
  int index;          // Zapri, Mini, Zloži, VednoNaVrhu
  int left;           // from the window's right edge
  const char* faces;  // the set the button shows
  bool closesMenus;   // a press on it closes the toolbar's menus
  friend void PrintTo(const Caption& c, std::ostream* os) { *os << c.faces; }
};

class CaptionTest : public ButtonTest, public ::testing::WithParamInterface<Caption> {
 protected:
  skin::SkinnedButton& button() {
    skin::SkinnedButton* const all[] = {BtnZapri.get(), BtnMini.get(), BtnZloži.get(), BtnVednoNaVrhu.get()};
    return *all[GetParam().index];
  }
  int ownCommands() const {
    const int all[] = {closeCommands, miniCommands, zložiCommands, onTopApplied};
    return all[GetParam().index];
  }
  std::string face(const char* state) { return std::string(GetParam().faces) + " " + state; }
  int allCommands() const { return closeCommands + miniCommands + zložiCommands + onTopApplied; }
};

TEST_P(CaptionTest, SitsInPlaceRoundAndAtRestAndNeitherACutCornerNorTheRightButtonClicksIt) {
  skin::SkinnedButton& b = button();
  EXPECT_EQ(b.box().bounds(), (gui::Rect{kW - GetParam().left, 5, 13, 13}));
  EXPECT_EQ(shown(b), face("Rest"));
  // The magenta corners are cut away: the window shows through, and a click
  // there is no click on the button.
  const gui::Rect r = b.box().screenRect();
  EXPECT_EQ(platform.screenshot().pixel(r.x, r.y), skin::kBodyColor);
  pointAt(b.box(), 0, 0);
  platform.mouseDown();
  platform.mouseUp();
  EXPECT_EQ(shown(b), face("Rest"));
  menus->mnuPoravnaj.setVisible(true);
  pointAt(b);
  platform.advance(600);
  platform.mouseDown(gui::kRightButton);
  EXPECT_EQ(shown(b), face("Hover"));  // no pressed face
  EXPECT_EQ(menus->mnuPoravnaj.visible(), !GetParam().closesMenus);
  platform.mouseUp(gui::kRightButton);
  EXPECT_EQ(allCommands(), 0);
  EXPECT_EQ(shown(b), face("Rest"));
}

TEST_P(CaptionTest, HoverShowsAtOnceAndRestReturnsAtTheTrackingTickAfterLeaving) {
  skin::SkinnedButton& b = button();
  pointAt(b);
  EXPECT_EQ(shown(b), face("Hover"));
  platform.advance(500);
  EXPECT_EQ(shown(b), face("Hover"));
  // The button's right and bottom edges still count as on it.
  const gui::Rect r = b.box().screenRect();
  platform.moveMouse({r.right(), r.bottom()});
  platform.advance(500);
  EXPECT_EQ(shown(b), face("Hover"));
  platform.moveMouse({r.right() + 1, r.bottom()});
  EXPECT_EQ(shown(b), face("Hover"));  // the move alone changes nothing
  EXPECT_EQ(framesUntil(b, face("Rest")), (std::vector{face("Rest")}));
}

TEST_P(CaptionTest, AClickRunsItsOwnCommandOnceAndLeavesTheButtonAtRest) {
  skin::SkinnedButton& b = button();
  menus->mnuSpremniBarvo.setVisible(true);
  pointAt(b);
  platform.mouseDown();
  EXPECT_EQ(shown(b), face("Pressed"));
  EXPECT_EQ(menus->mnuSpremniBarvo.visible(), !GetParam().closesMenus);
  platform.mouseUp();
  EXPECT_EQ(ownCommands(), 1);
  EXPECT_EQ(allCommands(), 1);
  EXPECT_EQ(shown(b), face("Rest"));  // keep-on-top too: the face of before the click
  platform.advance(500);
  EXPECT_EQ(shown(b), face("Rest"));
}

TEST_P(CaptionTest, DraggingOutAndBackSwitchesFacesAndAReleaseOutsideRunsNothing) {
  skin::SkinnedButton& b = button();
  pointAt(b);
  platform.mouseDown();
  pointAt(b, 20, 6);  // held, outside
  EXPECT_EQ(shown(b), face("Hover"));
  pointAt(b, 13, 13);  // held, on the far corner: still inside
  EXPECT_EQ(shown(b), face("Pressed"));
  pointAt(b, 6, -2);
  EXPECT_EQ(shown(b), face("Hover"));
  platform.mouseUp();
  EXPECT_EQ(allCommands(), 0);
  EXPECT_EQ(shown(b), face("Rest"));
  platform.advance(500);
  EXPECT_EQ(shown(b), face("Rest"));
}

INSTANTIATE_TEST_SUITE_P(
    Captions, CaptionTest,
    ::testing::Values(Caption{0, 21, "Zapri", true}, Caption{1, 36, "Mini", true},
                      Caption{2, 72, "Zloži", true}, Caption{3, 54, "VednoNaVrhuOff", false}));

}  // namespace

TEST_F(ButtonTest, TheTrackingTimerFollowsAWindowThatMoved) {
  pointAt(*BtnZloži);
  form.setPixelBounds({kOrigin.x + 200, kOrigin.y, kW, 300});  // the pointer stays where it was
  EXPECT_EQ(framesUntil(*BtnZloži, "Zloži Rest"), (std::vector<std::string>{"Zloži Rest"}));
}

TEST_F(ButtonTest, KeepOnTopTogglesAndKeepsTheOldFaceUntilThePointerMovesAgain) {
  pointAt(*BtnVednoNaVrhu);
  platform.mouseDown();
  platform.mouseUp();
  EXPECT_TRUE(onTop);
  EXPECT_TRUE(platform.window(form)->topmost());
  EXPECT_EQ(platform.window(form)->bounds(), (gui::Rect{kOrigin.x, kOrigin.y, kW, 300}));
  platform.advance(500);
  EXPECT_EQ(shown(*BtnVednoNaVrhu), "VednoNaVrhuOff Rest");  // the ring: the state before the click
  pointAt(*BtnVednoNaVrhu, 7, 7);
  EXPECT_EQ(shown(*BtnVednoNaVrhu), "VednoNaVrhuOn Hover");  // the square
  pointAway();
  EXPECT_EQ(framesUntil(*BtnVednoNaVrhu, "VednoNaVrhuOn Rest"), (std::vector<std::string>{"VednoNaVrhuOn Rest"}));

  platform.advance(600);
  pointAt(*BtnVednoNaVrhu);
  platform.mouseDown();
  EXPECT_EQ(shown(*BtnVednoNaVrhu), "VednoNaVrhuOn Pressed");
  platform.mouseUp();
  EXPECT_FALSE(onTop);
  EXPECT_FALSE(platform.window(form)->topmost());
  EXPECT_EQ(shown(*BtnVednoNaVrhu), "VednoNaVrhuOn Rest");
}

TEST_F(ButtonTest, TheMiniClocksButtonsAreTrackedAgainstTheMiniWindow) {
  gui::Form mini{platform, "frmMini"};
  mini.setPixelBounds({900, 600, 101, 111});
  gui::PictureBox& box = mini.add<gui::PictureBox>("BtnZapri");
  skin::ButtonSetup setup = app::main_window::kZapri;  // 21 from the right edge, as on the main window
  setup.tracking = "miniTmrBtnZapri";
  skin::SkinnedButton miniZapri(box, atlas, setup, {.timerForm = &form});
  miniZapri.place();
  mini.show();
  pointAt(miniZapri);
  EXPECT_EQ(shown(miniZapri), "Zapri Hover");
  platform.advance(500);
  EXPECT_EQ(shown(miniZapri), "Zapri Hover");  // the main window's place would say it left
  platform.moveMouse({kOrigin.x + 80 + 6, kOrigin.y + 5 + 6});  // same spot on the main window
  EXPECT_EQ(framesUntil(miniZapri, "Zapri Rest"), (std::vector<std::string>{"Zapri Rest"}));
}
