#include "navigation_fixture.h"

namespace {

using skin::Row;
using skin::ToolbarFace;

class FormattingTest : public NavigationTest {
 protected:
  gui::Editor& ed() { return editor(); }
  bool face(gui::PictureBox& b, ToolbarFace f, Row row = Row::Rest) { return shows(b.surface(), skin::toolbarFace(f, row)); }
};

// Bold, italic and underline: one button, one shortcut and one face pair each.
struct Toggle {
  const char* button;
  ToolbarFace on, off;
  gui::Tri (gui::Editor::*format)() const;
  int key;  // with Ctrl
};

class ToggleTest : public FormattingTest, public ::testing::WithParamInterface<Toggle> {};

TEST_P(ToggleTest, TogglesTodaysSelectionItsFaceFollowsAndTheEntryKeepsIt) {
  const Toggle t = GetParam();
  start();
  gui::PictureBox& button = el(t.button);
  auto format = [&] { return (ed().*t.format)(); };
  type(u"prva beseda");
  ed().setSelection(0, 4);
  EXPECT_TRUE(face(button, t.off));
  clickOn(button);
  EXPECT_EQ(format(), gui::Tri::True);
  EXPECT_TRUE(face(button, t.on, Row::Highlight));  // the pointer still rests on it
  ed().setSelection(1, 2);
  EXPECT_TRUE(face(button, t.on));
  ed().setSelection(5, 6);
  EXPECT_EQ(format(), gui::Tri::False);  // only the selection changed
  EXPECT_TRUE(face(button, t.off));
  // Held down, the button shows its pressed face.
  const base::Rect r = button.screenRect();
  platform.moveMouse({r.x + 10, r.y + 10});
  platform.mouseDown();
  EXPECT_TRUE(face(button, t.off, Row::Pressed));
  platform.mouseUp();
  EXPECT_EQ(format(), gui::Tri::True);
  // The shortcut does what the button does (Ctrl+I types no Tab).
  pointAt(text());
  platform.advance(1000);
  platform.keyDown(t.key, gui::kCtrl);
  EXPECT_EQ(format(), gui::Tri::False);
  EXPECT_TRUE(face(button, t.off));
  EXPECT_EQ(editorText(), u"prva beseda");
  // The first word's format comes back with today's entry.
  platform.closeWindow(main().form());
  diary.reset();
  start();
  ed().setSelection(0, 4);
  EXPECT_EQ(format(), gui::Tri::True);
  EXPECT_TRUE(face(el(t.button), t.on));
  ed().setSelection(5, 6);
  EXPECT_EQ(format(), gui::Tri::False);
}

INSTANTIATE_TEST_SUITE_P(
    Toggles, ToggleTest,
    ::testing::Values(Toggle{"BtnKrepko", ToolbarFace::KrepkoOn, ToolbarFace::KrepkoOff, &gui::Editor::SelBold, 'B'},
                      Toggle{"BtnLežeče", ToolbarFace::LežečeOn, ToolbarFace::LežečeOff, &gui::Editor::SelItalic, 'I'},
                      Toggle{"BtnPodčrtano", ToolbarFace::PodčrtanoOn, ToolbarFace::PodčrtanoOff,
                             &gui::Editor::SelUnderline, 'U'}));

TEST_F(FormattingTest, TheColourAndSizeButtonsShowTheSelectionsColourAndSize) {
  start();
  type(u"rdece modro");
  const base::Color red = base::Color::rgb(200, 0, 0), blue = base::Color::rgb(0, 0, 190);
  ed().setSelection(0, 5);
  ed().setSelColor(red);
  ed().setSelFontSize(14);
  ed().setSelection(6, 5);
  ed().setSelColor(blue);
  ed().setSelection(1, 2);
  // The swatch inside the rest face (x 597–619, y 312–326 of the atlas) shows red.
  EXPECT_EQ(el("BtnSpremeniBarvo").surface().pixel(597 - 592 + 5, 312 - 300 + 5), red);
  EXPECT_TRUE(shows(el("BtnSpremeniVelikost").surface(), {371 + 6, 33, 6, 9}, {645 - 636, 316 - 300}));  // "4" of 14
  // Two colours: the swatch keeps red; two sizes: the digits stay.
  ed().setSelection(0, 11);
  EXPECT_EQ(el("BtnSpremeniBarvo").surface().pixel(10, 17), red);
  EXPECT_TRUE(shows(el("BtnSpremeniVelikost").surface(), {371 + 6, 33, 6, 9}, {645 - 636, 316 - 300}));
  ed().setSelection(7, 1);
  EXPECT_EQ(el("BtnSpremeniBarvo").surface().pixel(10, 17), blue);
}

TEST_F(FormattingTest, OnAReadOnlyDayTheTogglesAndTheIndicatorsDoNothing) {
  addEntry("12-06-2026", "{\\rtf1\\ansi {\\b krepko}\\par\r\n}\r\n");
  start();
  app::frmMain& m = main();
  clickRow(days(), 1);
  ASSERT_TRUE(ed().Locked());
  const gui::Surface before = el("BtnKrepko").surface();
  ed().setSelection(0, 3);
  EXPECT_EQ(el("BtnKrepko").surface(), before);  // not redrawn for the bold selection
  clickOn(el("BtnKrepko"));
  clickOn(el("BtnPodčrtano"));
  EXPECT_EQ(ed().SelBold(), gui::Tri::True);
  EXPECT_EQ(ed().SelUnderline(), gui::Tri::False);
  platform.closeWindow(m.form());
  EXPECT_EQ(entry("12-06-2026"), "{\\rtf1\\ansi {\\b krepko}\\par\r\n}\r\n");
}

TEST_F(FormattingTest, TheRightClickMenuAndCtrlIActOnTodayKeepingThePastAsItIs) {
  addEntry("12-06-2026", "{\\rtf1\\ansi prej\\par\r\n}\r\n");
  start();
  type(u"ena dva");
  ed().setSelection(0, 4);
  const base::Rect r = text().screenRect();
  auto menu = [&](size_t choice) {  // the items shown, "-" before a disabled one
    platform.popupChoices.push_back(choice);
    platform.click({r.x + 50, r.y + 50}, gui::kRightButton);
    std::u16string shown;
    for (const gui::MenuItem& i : platform.popups().back().items) shown += (i.enabled ? u"" : u"-") + i.text + u" ";
    return shown;
  };
  EXPECT_EQ(menu(0), u"Izreži Kopiraj Prilepi Izbriši Izberi vse Na ta dan Leto na pogled ");
  ed().setSelection(3, 0);
  menu(2);
  EXPECT_EQ(editorText(), u"dvaena ");
  clickRow(days(), 1);
  ed().setSelection(0, 4);
  platform.keyDown('I', gui::kCtrl);
  EXPECT_EQ(menu(3), u"-Izreži Kopiraj -Prilepi -Izbriši Izberi vse Na ta dan Leto na pogled ");
  EXPECT_EQ(std::pair(ed().SelItalic(), editorText()), std::pair(gui::Tri::False, std::u16string(u"prej")));
}

}  // namespace
