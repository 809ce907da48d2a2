// Toolbar buttons as the user sees them under the virtual clock: the hover
// fading in and out, presses, the formatting toggles and the menu buttons.
#include "button_fixture.h"

namespace {

using Frames = std::vector<std::string>;

// One toolbar button and the column it shows for the text "ena" (plain, left).
struct Toolbar {
  int index;
  const char* column;
  friend void PrintTo(const Toolbar& c, std::ostream* os) { *os << c.column; }
};

class ToolbarTest : public ButtonTest, public ::testing::WithParamInterface<Toolbar> {
 protected:
  skin::SkinnedButton& button() { return *toolbar()[GetParam().index]; }
  std::string face(const char* row) { return std::string(GetParam().column) + " " + row; }
};

TEST_P(ToolbarTest, HoverFadesInOnEntryAndOutAfterThePointerLeaves) {
  skin::SkinnedButton& b = button();
  pointAt(b);
  EXPECT_EQ(shown(b), face("Rest"));  // nothing drawn before the first frame
  EXPECT_EQ(framesUntil(b, face("Highlight")), (Frames{face("Fade1"), face("Fade2"), face("Highlight")}));
  platform.advance(500);  // resting on it changes nothing
  pointAt(b, 30, 10);     // moving over it again does not restart the hover
  platform.advance(500);
  EXPECT_EQ(shown(b), face("Highlight"));

  pointAway();
  EXPECT_EQ(shown(b), face("Highlight"));  // the tracking tick notices the leave, not the move
  EXPECT_EQ(framesUntil(b, face("Rest")), (Frames{face("Fade2"), face("Fade1"), face("Rest")}));
  platform.advance(500);
  EXPECT_EQ(shown(b), face("Rest"));
}

INSTANTIATE_TEST_SUITE_P(Toolbar, ToolbarTest,
                         ::testing::Values(Toolbar{0, "Geslo"}, Toolbar{1, "KrepkoOff"}, Toolbar{2, "LežečeOff"},
                                           Toolbar{3, "PodčrtanoOff"}, Toolbar{4, "PoravnajLevo"},
                                           Toolbar{5, "SpremeniBarvo"}, Toolbar{6, "SpremeniVelikost"}));

// The three formatting toggles: the format each sets, and its two columns.
struct Toggle {
  int index;
  gui::Tri (textmodel::TextEditor::*get)() const;
  void (textmodel::TextEditor::*set)(bool);
  const char* on;
  const char* off;
  friend void PrintTo(const Toggle& c, std::ostream* os) { *os << c.off; }
};

class ToggleTest : public ButtonTest, public ::testing::WithParamInterface<Toggle> {
 protected:
  skin::SkinnedButton& button() { return *toolbar()[GetParam().index]; }
  gui::Tri format() const { return (editor.*GetParam().get)(); }
  std::string face(bool on, const char* row) { return std::string(on ? GetParam().on : GetParam().off) + " " + row; }
  std::string click() {  // the face shown while the button is held
    platform.advance(600);  // each click its own, not a double click
    platform.mouseDown();
    const std::string held = shown(button());
    platform.mouseUp();
    return held;
  }
};

TEST_P(ToggleTest, AClickTogglesTheSelectionAndShowsTheNewStateHighlighted) {
  skin::SkinnedButton& b = button();
  pointAt(b);
  framesUntil(b, face(false, "Highlight"));
  EXPECT_EQ(click(), face(false, "Pressed"));
  EXPECT_EQ(format(), gui::Tri::True);
  EXPECT_EQ(shown(b), face(true, "Highlight"));
  EXPECT_EQ(click(), face(true, "Pressed"));
  EXPECT_EQ(format(), gui::Tri::False);
  EXPECT_EQ(shown(b), face(false, "Highlight"));

  // A selection that only partly has the format gets it throughout.
  editor.setSelection(4, 3);
  (editor.*GetParam().set)(true);
  editor.setSelection(0, 7);
  click();
  EXPECT_EQ(format(), gui::Tri::True);
  EXPECT_EQ(shown(b), face(true, "Highlight"));

  // A read-only day keeps its text, but the button still answers the click.
  editor.setLocked(true);
  click();
  EXPECT_EQ(format(), gui::Tri::True);
  EXPECT_EQ(shown(b), face(true, "Highlight"));
}

INSTANTIATE_TEST_SUITE_P(
    Toggles, ToggleTest,
    ::testing::Values(
        Toggle{1, &textmodel::TextEditor::SelBold, &textmodel::TextEditor::setSelBold, "KrepkoOn", "KrepkoOff"},
        Toggle{2, &textmodel::TextEditor::SelItalic, &textmodel::TextEditor::setSelItalic, "LežečeOn", "LežečeOff"},
        Toggle{3, &textmodel::TextEditor::SelUnderline, &textmodel::TextEditor::setSelUnderline, "PodčrtanoOn",
               "PodčrtanoOff"}));

}  // namespace

TEST_F(ButtonTest, AfterLayoutEveryToolbarButtonRestsInTheColumnOfTheSelection) {
  editor.setSelection(4, 3);
  editor.setSelBold(true);
  editor.setSelItalic(true);
  editor.setSelAlignment(base::Alignment::Center);
  editor.setSelection(0, 7);  // "ena dva": partly bold and italic
  for (skin::SkinnedButton* b : toolbar()) b->place();
  Frames seen;
  for (skin::SkinnedButton* b : toolbar()) seen.push_back(shown(*b));
  EXPECT_EQ(seen, (Frames{"Geslo Rest", "KrepkoOff Rest", "LežečeOff Rest", "PodčrtanoOff Rest",  // mixed: "off"
                          "PoravnajNaSredino Rest", "SpremeniBarvo Rest", "SpremeniVelikost Rest"}));
  EXPECT_EQ(BtnKrepko->box().bounds(), (gui::Rect{60, 19, 39, 39}));
  EXPECT_EQ(BtnSpremeniVelikost->box().bounds(), (gui::Rect{270, 19, 46, 39}));
}

TEST_F(ButtonTest, APointerLeavingDuringTheHoverInIsNoticedOnlyAfterItEnds) {
  pointAt(*BtnLežeče);
  tick();
  pointAway();  // gone after the first frame
  EXPECT_EQ(framesUntil(*BtnLežeče, "LežečeOff Rest"),
            (Frames{"LežečeOff Fade2", "LežečeOff Highlight",  // the hover-in completes
                    "LežečeOff Fade2", "LežečeOff Fade1", "LežečeOff Rest"}));
}

TEST_F(ButtonTest, AMoveInTheTopThreeRowsDoesNotStartTheHover) {
  pointAt(*BtnPodčrtano, 20, 3);
  pointAt(*BtnPodčrtano, 5, 0);
  platform.advance(500);
  EXPECT_EQ(shown(*BtnPodčrtano), "PodčrtanoOff Rest");
  pointAt(*BtnPodčrtano, 20, 4);
  tick();
  EXPECT_EQ(shown(*BtnPodčrtano), "PodčrtanoOff Fade1");
}

TEST_F(ButtonTest, MovingQuicklyAcrossTheToolbarHoversEachButtonOnItsOwn) {
  pointAt(*BtnKrepko);
  platform.advance(10);
  pointAt(*BtnLežeče);
  platform.advance(10);
  pointAt(*BtnPodčrtano);
  platform.advance(10);
  pointAway();
  platform.advance(120);  // Krepko's third frame is at 150, Ležeče's at 160
  EXPECT_EQ(shown(*BtnKrepko), "KrepkoOff Highlight");
  EXPECT_EQ(shown(*BtnLežeče), "LežečeOff Fade2");
  // Each fades out on its own; the last to rest is the last one entered.
  EXPECT_EQ(framesUntil(*BtnPodčrtano, "PodčrtanoOff Rest").back(), "PodčrtanoOff Rest");
  EXPECT_EQ(shown(*BtnKrepko), "KrepkoOff Rest");
  EXPECT_EQ(shown(*BtnLežeče), "LežečeOff Rest");
}

TEST_F(ButtonTest, APressDuringTheHoverInIsOverdrawnByTheRemainingFrames) {
  pointAt(*BtnKrepko);
  tick();
  platform.mouseDown();
  EXPECT_EQ(shown(*BtnKrepko), "KrepkoOff Pressed");
  EXPECT_EQ(framesUntil(*BtnKrepko, "KrepkoOff Highlight"), (Frames{"KrepkoOff Fade2", "KrepkoOff Highlight"}));
  platform.mouseUp();
  EXPECT_EQ(editor.SelBold(), gui::Tri::True);
  EXPECT_EQ(shown(*BtnKrepko), "KrepkoOn Highlight");
}

TEST_F(ButtonTest, AFormatChangedDuringTheFadeShowsInTheNextFrame) {
  pointAt(*BtnKrepko);
  framesUntil(*BtnKrepko, "KrepkoOff Highlight");
  pointAway();
  EXPECT_EQ(framesUntil(*BtnKrepko, "KrepkoOff Fade2"), (Frames{"KrepkoOff Fade2"}));
  editor.setSelBold(true);  // e.g. Ctrl+B in the editor
  EXPECT_EQ(framesUntil(*BtnKrepko, "KrepkoOn Fade1"), (Frames{"KrepkoOn Fade1"}));
  editor.setSelBold(false);
  EXPECT_EQ(framesUntil(*BtnKrepko, "KrepkoOff Rest"), (Frames{"KrepkoOff Rest"}));
}

TEST_F(ButtonTest, TheAlignmentButtonFollowsTheAlignmentAndShowsLeftForMixedParagraphs) {
  editor.setText(u"prvi\rdrugi");
  editor.setSelection(0, 2);
  editor.setSelAlignment(base::Alignment::Right);
  pointAt(*BtnPoravnaj);
  tick();
  EXPECT_EQ(shown(*BtnPoravnaj), "PoravnajDesno Fade1");
  editor.setSelection(0, 8);  // right and left paragraphs
  ASSERT_FALSE(editor.SelAlignment().has_value());
  tick();
  EXPECT_EQ(shown(*BtnPoravnaj), "PoravnajLevo Fade2");
  editor.setSelection(0, 1);
  editor.setSelAlignment(base::Alignment::Center);
  tick();
  EXPECT_EQ(shown(*BtnPoravnaj), "PoravnajNaSredino Highlight");
}

TEST_F(ButtonTest, APasswordClickFlashesFadesOutAtOnceAndOpensTheWindowOnce) {
  pointAt(*BtnGeslo);
  framesUntil(*BtnGeslo, "Geslo Highlight");
  platform.mouseDown();
  EXPECT_EQ(shown(*BtnGeslo), "Geslo Pressed");
  platform.mouseUp();
  EXPECT_EQ(gesloCommands, 1);
  EXPECT_EQ(shown(*BtnGeslo), "Geslo Highlight");
  // It fades out though the pointer still rests on it, and with no new move
  // no hover follows.
  EXPECT_EQ(framesUntil(*BtnGeslo, "Geslo Rest"), (Frames{"Geslo Fade2", "Geslo Fade1", "Geslo Rest"}));
  platform.advance(500);
  EXPECT_EQ(shown(*BtnGeslo), "Geslo Rest");
  EXPECT_EQ(gesloCommands, 1);
  pointAt(*BtnGeslo, 21, 21);
  tick();
  EXPECT_EQ(shown(*BtnGeslo), "Geslo Fade1");
}
