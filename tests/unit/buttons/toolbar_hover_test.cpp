// Toolbar buttons under the virtual clock, frame by frame: the hover fading
// in and out, presses, the formatting toggles and the menu buttons.
#include "button_fixture.h"

TEST_F(ButtonTest, AfterLayoutEveryToolbarButtonRestsInTheColumnOfTheSelection) {
  editor.setSelection(4, 3);
  editor.setSelBold(true);
  editor.setSelAlignment(2);
  editor.setSelection(0, 7);  // "ena dva": partly bold
  for (skin::ToolbarButton* b : toolbar()) b->place(b->Btn.left());
  EXPECT_EQ(shown(*BtnGeslo), "190,300");
  EXPECT_EQ(shown(*BtnKrepko), "272,300");  // mixed shows "off"
  EXPECT_EQ(shown(*BtnLežeče), "352,300");
  EXPECT_EQ(shown(*BtnPodčrtano), "432,300");
  EXPECT_EQ(shown(*BtnPoravnaj), "552,300");
  EXPECT_EQ(shown(*BtnSpremeniBarvo), "592,300");
  EXPECT_EQ(shown(*BtnSpremeniVelikost), "636,300");
  EXPECT_EQ(BtnKrepko->Btn.bounds(), (gui::Rect{60, 19, 39, 39}));
  EXPECT_EQ(BtnSpremeniVelikost->Btn.bounds(), (gui::Rect{270, 19, 46, 39}));
  for (skin::ToolbarButton* b : toolbar()) {
    EXPECT_EQ(b->TmrE.tag(), "0");
    EXPECT_EQ(b->Tmr.interval(), 50);
    EXPECT_FALSE(b->Tmr.enabled());
    EXPECT_FALSE(b->TmrE.enabled());
  }
}

TEST_F(ButtonTest, HoverFadesInOverThreeTicksAndOutOverThreeAfterThePointerLeaves) {
  pointAt(*BtnKrepko);
  EXPECT_EQ(BtnKrepko->TmrE.tag(), "1");
  EXPECT_EQ(shown(*BtnKrepko), "272,300");  // nothing drawn before the first tick
  tick();
  EXPECT_EQ(shown(*BtnKrepko), "272,261");
  EXPECT_EQ(BtnKrepko->Btn.tag(), "");
  tick();
  EXPECT_EQ(shown(*BtnKrepko), "272,222");
  tick();
  EXPECT_EQ(shown(*BtnKrepko), "272,183");
  EXPECT_EQ(BtnKrepko->Btn.tag(), "H");
  EXPECT_EQ(BtnKrepko->TmrE.tag(), "100");
  EXPECT_FALSE(BtnKrepko->TmrE.enabled());

  tick(3);  // resting on it changes nothing
  EXPECT_EQ(shown(*BtnKrepko), "272,183");
  pointAt(*BtnKrepko, 30, 10);  // moving over it again does not restart the hover
  tick();
  EXPECT_EQ(shown(*BtnKrepko), "272,183");

  platform.advance(20);
  pointAway();
  platform.advance(30);  // the tracking tick notices
  EXPECT_EQ(BtnKrepko->Btn.tag(), "");
  EXPECT_EQ(BtnKrepko->TmrE.tag(), "5");
  EXPECT_FALSE(BtnKrepko->Tmr.enabled());
  EXPECT_EQ(shown(*BtnKrepko), "272,183");
  tick();
  EXPECT_EQ(shown(*BtnKrepko), "272,222");
  tick();
  EXPECT_EQ(shown(*BtnKrepko), "272,261");
  tick();
  EXPECT_EQ(shown(*BtnKrepko), "272,300");
  EXPECT_EQ(BtnKrepko->TmrE.tag(), "0");
  EXPECT_FALSE(BtnKrepko->TmrE.enabled());
  tick(4);
  EXPECT_EQ(shown(*BtnKrepko), "272,300");
}

TEST_F(ButtonTest, APointerLeavingDuringTheHoverInIsNoticedOnlyAfterItEnds) {
  pointAt(*BtnLežeče);
  tick();
  pointAway();  // gone after the first frame
  tick();
  EXPECT_EQ(shown(*BtnLežeče), "352,222");
  tick();
  EXPECT_EQ(shown(*BtnLežeče), "352,183");  // the hover-in completes
  EXPECT_EQ(BtnLežeče->Btn.tag(), "H");
  tick();  // the next tracking tick starts the fade-out
  EXPECT_EQ(BtnLežeče->TmrE.tag(), "5");
  EXPECT_EQ(shown(*BtnLežeče), "352,183");
  tick(3);
  EXPECT_EQ(shown(*BtnLežeče), "352,300");
}

TEST_F(ButtonTest, AMoveInTheTopThreeRowsDoesNotStartTheHover) {
  pointAt(*BtnPodčrtano, 20, 3);
  pointAt(*BtnPodčrtano, 5, 0);
  tick(4);
  EXPECT_EQ(shown(*BtnPodčrtano), "432,300");
  EXPECT_EQ(BtnPodčrtano->TmrE.tag(), "0");
  EXPECT_FALSE(BtnPodčrtano->Tmr.enabled());
  pointAt(*BtnPodčrtano, 20, 4);
  tick();
  EXPECT_EQ(shown(*BtnPodčrtano), "432,261");
}

TEST_F(ButtonTest, MovingQuicklyAcrossTheToolbarHoversEachButtonOnItsOwn) {
  pointAt(*BtnKrepko);
  platform.advance(10);
  pointAt(*BtnLežeče);
  platform.advance(10);
  pointAt(*BtnPodčrtano);
  platform.advance(10);
  pointAway();
  platform.advance(120);  // Krepko's third frame is at 150
  EXPECT_EQ(shown(*BtnKrepko), "272,183");
  EXPECT_EQ(shown(*BtnLežeče), "352,222");
  tick(5);
  for (skin::ToolbarButton* b : {static_cast<skin::ToolbarButton*>(BtnKrepko.get()), 
                                 static_cast<skin::ToolbarButton*>(BtnLežeče.get()),
                                 static_cast<skin::ToolbarButton*>(BtnPodčrtano.get())}) {
    EXPECT_EQ(b->Btn.tag(), "");
    EXPECT_EQ(b->TmrE.tag(), "0");
    EXPECT_FALSE(b->TmrE.enabled());
  }
  EXPECT_EQ(shown(*BtnKrepko), "272,300");
  EXPECT_EQ(shown(*BtnPodčrtano), "432,300");
}

TEST_F(ButtonTest, AClickOnBoldTogglesTheSelectionAndShowsTheNewStateHighlighted) {
  pointAt(*BtnKrepko);
  tick(3);
  platform.mouseDown();
  EXPECT_EQ(shown(*BtnKrepko), "272,339");
  EXPECT_EQ(BtnKrepko->Btn.tag(), "D");
  platform.mouseUp();
  EXPECT_EQ(editor.SelBold(), gui::Tri::True);
  EXPECT_EQ(shown(*BtnKrepko), "232,183");
  EXPECT_EQ(BtnKrepko->Btn.tag(), "H");

  platform.advance(600);  // a second click, not a double click
  platform.mouseDown();
  EXPECT_EQ(shown(*BtnKrepko), "232,339");
  platform.mouseUp();
  EXPECT_EQ(editor.SelBold(), gui::Tri::False);
  EXPECT_EQ(shown(*BtnKrepko), "272,183");

  // A partly bold selection becomes bold throughout.
  editor.setSelection(4, 3);
  editor.setSelBold(true);
  editor.setSelection(0, 7);
  platform.advance(600);
  platform.mouseDown();
  platform.mouseUp();
  EXPECT_EQ(editor.SelBold(), gui::Tri::True);
  EXPECT_EQ(shown(*BtnKrepko), "232,183");
}

TEST_F(ButtonTest, AReadOnlyDayKeepsItsTextButTheButtonStillAnswersTheClick) {
  editor.setLocked(true);
  pointAt(*BtnLežeče);
  tick(3);
  platform.mouseDown();
  platform.mouseUp();
  EXPECT_EQ(editor.SelItalic(), gui::Tri::False);
  EXPECT_EQ(shown(*BtnLežeče), "352,183");
  EXPECT_EQ(BtnLežeče->Btn.tag(), "H");
}

TEST_F(ButtonTest, APressDuringTheHoverInIsOverdrawnByTheRemainingFrames) {
  pointAt(*BtnKrepko);
  tick();
  platform.mouseDown();
  EXPECT_EQ(shown(*BtnKrepko), "272,339");
  EXPECT_EQ(BtnKrepko->Btn.tag(), "D");
  tick();
  EXPECT_EQ(shown(*BtnKrepko), "272,222");
  tick();
  EXPECT_EQ(shown(*BtnKrepko), "272,183");
  EXPECT_EQ(BtnKrepko->Btn.tag(), "H");
  platform.mouseUp();
  EXPECT_EQ(editor.SelBold(), gui::Tri::True);
  EXPECT_EQ(shown(*BtnKrepko), "232,183");
}

TEST_F(ButtonTest, AFormatChangedDuringTheFadeShowsInTheNextFrame) {
  pointAt(*BtnKrepko);
  tick(3);
  pointAway();
  tick(2);  // fade-out started, frame 5 drawn
  EXPECT_EQ(shown(*BtnKrepko), "272,222");
  editor.setSelBold(true);  // e.g. Ctrl+B in the editor
  tick();
  EXPECT_EQ(shown(*BtnKrepko), "232,261");
  editor.setSelBold(false);
  tick();
  EXPECT_EQ(shown(*BtnKrepko), "272,300");
}

TEST_F(ButtonTest, TheAlignmentButtonFollowsTheAlignmentAndShowsLeftForMixedParagraphs) {
  editor.setText(u"prvi\rdrugi");
  editor.setSelection(0, 2);
  editor.setSelAlignment(1);
  pointAt(*BtnPoravnaj);
  tick();
  EXPECT_EQ(shown(*BtnPoravnaj), "512,261");
  editor.setSelection(0, 8);  // right and left paragraphs
  ASSERT_FALSE(editor.SelAlignment().has_value());
  tick();
  EXPECT_EQ(shown(*BtnPoravnaj), "472,222");
  editor.setSelection(0, 1);
  editor.setSelAlignment(2);
  tick();
  EXPECT_EQ(shown(*BtnPoravnaj), "552,183");
}

TEST_F(ButtonTest, APasswordClickFlashesFadesOutAtOnceAndOpensTheWindowOnce) {
  pointAt(*BtnGeslo);
  tick(3);
  platform.mouseDown();
  EXPECT_EQ(shown(*BtnGeslo), "190,339");
  platform.mouseUp();
  EXPECT_EQ(gesloCommands, 1);
  EXPECT_EQ(shown(*BtnGeslo), "190,183");
  EXPECT_EQ(BtnGeslo->Btn.tag(), "D");
  tick();
  EXPECT_EQ(shown(*BtnGeslo), "190,222");
  tick();
  EXPECT_EQ(shown(*BtnGeslo), "190,261");
  EXPECT_EQ(BtnGeslo->Btn.tag(), "D");  // the tracking timer stays out of it
  tick();
  EXPECT_EQ(shown(*BtnGeslo), "190,300");
  EXPECT_EQ(BtnGeslo->Btn.tag(), "");
  EXPECT_EQ(BtnGeslo->TmrE.tag(), "0");
  tick(4);  // the pointer still rests on it: no new hover without a move
  EXPECT_EQ(shown(*BtnGeslo), "190,300");
  pointAt(*BtnGeslo, 21, 21);
  tick();
  EXPECT_EQ(shown(*BtnGeslo), "190,261");
}
