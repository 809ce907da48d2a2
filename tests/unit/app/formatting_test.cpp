#include "navigation_fixture.h"

namespace {

using skin::Row;
using skin::ToolbarFace;

class FormattingTest : public NavigationTest {
 protected:
  gui::Editor& ed() { return main().editor(); }
  bool face(gui::PictureBox& b, ToolbarFace f, Row row = Row::Rest) { return shows(b.surface(), skin::toolbarFace(f, row)); }
};

TEST_F(FormattingTest, BoldTogglesOnTodaysSelectionAndTheIndicatorFollows) {
  start();
  app::frmMain& m = main();
  EXPECT_EQ(m.BtnKrepko.bounds(), (gui::Rect{60, 19, 39, 39}));
  EXPECT_EQ(m.BtnSpremeniVelikost.bounds(), (gui::Rect{270, 19, 46, 39}));
  EXPECT_TRUE(face(m.BtnGeslo, ToolbarFace::Geslo));
  type(u"krepko besedilo");
  ed().setSelection(0, 6);
  EXPECT_TRUE(face(m.BtnKrepko, ToolbarFace::KrepkoOff));
  clickOn(m.BtnKrepko);
  EXPECT_EQ(ed().SelBold(), gui::Tri::True);
  EXPECT_TRUE(face(m.BtnKrepko, ToolbarFace::KrepkoOn, Row::Highlight));
  EXPECT_EQ(m.BtnKrepko.tag(), "H");
  ed().setSelection(1, 3);
  EXPECT_TRUE(face(m.BtnKrepko, ToolbarFace::KrepkoOn));  // column 232
  clickOn(m.BtnKrepko);
  EXPECT_EQ(ed().SelBold(), gui::Tri::False);
  ed().setSelection(2, 1);
  EXPECT_TRUE(face(m.BtnKrepko, ToolbarFace::KrepkoOff));
  // Italic and underline the same way, each on its own button.
  ed().setSelection(7, 8);
  clickOn(m.BtnLežeče);
  clickOn(m.BtnPodčrtano);
  EXPECT_EQ(ed().SelItalic(), gui::Tri::True);
  EXPECT_EQ(ed().SelUnderline(), gui::Tri::True);
  EXPECT_EQ(ed().SelBold(), gui::Tri::False);
  ed().setSelection(8, 2);
  EXPECT_TRUE(face(m.BtnLežeče, ToolbarFace::LežečeOn));
  EXPECT_TRUE(face(m.BtnPodčrtano, ToolbarFace::PodčrtanoOn));
  // The pressed face shows while the button is held.
  const base::Rect r = m.BtnKrepko.screenRect();
  platform.moveMouse({r.x + 10, r.y + 10});
  platform.mouseDown();
  EXPECT_TRUE(face(m.BtnKrepko, ToolbarFace::KrepkoOff, Row::Pressed));
  platform.mouseUp();
}

TEST_F(FormattingTest, AMixedSelectionShowsTheOffFacesAndAToggleAppliesToAllOfIt) {
  start();
  app::frmMain& m = main();
  type(u"ena\rdva");
  ed().setSelection(0, 2);
  ed().setSelBold(true);
  ed().setSelItalic(true);
  ed().setSelection(4, 3);
  ed().setSelAlignment(2);
  ed().setSelection(5, 1);
  EXPECT_TRUE(face(m.BtnPoravnaj, ToolbarFace::PoravnajNaSredino));
  ed().setSelection(0, 7);  // partly bold and italic, two alignments
  EXPECT_TRUE(face(m.BtnKrepko, ToolbarFace::KrepkoOff));
  EXPECT_TRUE(face(m.BtnLežeče, ToolbarFace::LežečeOff));
  EXPECT_TRUE(face(m.BtnPoravnaj, ToolbarFace::PoravnajLevo));
  clickOn(m.BtnKrepko);
  EXPECT_EQ(ed().SelBold(), gui::Tri::True);
  ed().setSelection(5, 1);
  EXPECT_EQ(ed().SelBold(), gui::Tri::True);
}

TEST_F(FormattingTest, TheColourAndSizeButtonsShowTheSelectionsColourAndSize) {
  start();
  app::frmMain& m = main();
  type(u"rdece modro");
  const base::Color red = base::Color::rgb(200, 0, 0), blue = base::Color::rgb(0, 0, 190);
  ed().setSelection(0, 5);
  ed().setSelColor(red);
  ed().setSelFontSize(14);
  ed().setSelection(6, 5);
  ed().setSelColor(blue);
  ed().setSelection(1, 2);
  EXPECT_EQ(m.picBarvaZaGumb.backColor(), red);
  // The swatch inside the rest face (x 597–619, y 312–326 of the atlas) shows red.
  EXPECT_EQ(m.BtnSpremeniBarvo.surface().pixel(597 - 592 + 5, 312 - 300 + 5), red);
  EXPECT_TRUE(shows(m.BtnSpremeniVelikost.surface(), {371 + 6, 33, 6, 9}, {645 - 636, 316 - 300}));  // "4" of 14
  // Two colours: the swatch keeps red; two sizes: the digits stay.
  ed().setSelection(0, 11);
  EXPECT_EQ(m.picBarvaZaGumb.backColor(), red);
  EXPECT_EQ(m.BtnSpremeniBarvo.surface().pixel(10, 17), red);
  EXPECT_TRUE(shows(m.BtnSpremeniVelikost.surface(), {371 + 6, 33, 6, 9}, {645 - 636, 316 - 300}));
  ed().setSelection(7, 1);
  EXPECT_EQ(m.picBarvaZaGumb.backColor(), blue);
  EXPECT_EQ(m.BtnSpremeniBarvo.surface().pixel(10, 17), blue);
}

TEST_F(FormattingTest, OnAReadOnlyDayTheTogglesAndTheIndicatorsDoNothing) {
  addEntry("12-06-2026", "{\\rtf1\\ansi {\\b krepko}\\par\r\n}\r\n");
  start();
  app::frmMain& m = main();
  clickRow(m.Datumi1, 1);
  ASSERT_TRUE(ed().Locked());
  const gui::Surface before = m.BtnKrepko.surface();
  ed().setSelection(0, 3);
  EXPECT_EQ(m.BtnKrepko.surface(), before);  // not redrawn for the bold selection
  clickOn(m.BtnKrepko);
  clickOn(m.BtnPodčrtano);
  EXPECT_EQ(ed().SelBold(), gui::Tri::True);
  EXPECT_EQ(ed().SelUnderline(), gui::Tri::False);
  platform.closeWindow(m.form());
  EXPECT_EQ(entry("12-06-2026"), "{\\rtf1\\ansi {\\b krepko}\\par\r\n}\r\n");
}

TEST_F(FormattingTest, CtrlBIUAndTheRightClickMenuActOnTodayKeepingThePastAsItIs) {
  addEntry("12-06-2026", "{\\rtf1\\ansi prej\\par\r\n}\r\n");
  start();
  type(u"ena dva");
  ed().setSelection(0, 4);
  for (int key : {'B', 'I', 'U', 'B'}) platform.keyDown(key, gui::kCtrl);  // Ctrl+I would type a Tab
  EXPECT_EQ(std::tuple(ed().SelBold(), ed().SelItalic(), editorText()), std::tuple(gui::Tri::False, gui::Tri::True, u"ena dva"));
  EXPECT_TRUE(face(main().BtnPodčrtano, ToolbarFace::PodčrtanoOn));
  const base::Rect r = main().Text.screenRect();
  auto menu = [&](size_t choice) {  // the items shown, "-" before a disabled one
    platform.popupChoices.push_back(choice);
    platform.click({r.x + 50, r.y + 50}, gui::kRightButton);
    std::u16string shown;
    for (const gui::MenuItem& i : platform.popups().back().items) shown += (i.enabled ? u"" : u"-") + i.text + u" ";
    return shown;
  };
  EXPECT_EQ(menu(0), u"Izreži Kopiraj Prilepi Izbriši Izberi vse ");
  ed().setSelection(3, 0);
  menu(2);
  EXPECT_EQ(editorText(), u"dvaena ");
  clickRow(main().Datumi1, 1);
  ed().setSelection(0, 4);
  platform.keyDown('I', gui::kCtrl);
  EXPECT_EQ(menu(3), u"-Izreži Kopiraj -Prilepi -Izbriši Izberi vse ");
  EXPECT_EQ(std::pair(ed().SelItalic(), editorText()), std::pair(gui::Tri::False, std::u16string(u"prej")));
}

TEST_F(FormattingTest, FormatsMadeWithTheTogglesComeBackWithTodaysEntry) {
  start();
  app::frmMain& m = main();
  type(u"vse troje");
  ed().setSelection(0, 3);
  clickOn(m.BtnKrepko);
  clickOn(m.BtnLežeče);
  clickOn(m.BtnPodčrtano);
  platform.closeWindow(m.form());
  diary.reset();
  start();
  ed().setSelection(0, 3);
  EXPECT_EQ(ed().SelBold(), gui::Tri::True);
  EXPECT_EQ(ed().SelItalic(), gui::Tri::True);
  EXPECT_EQ(ed().SelUnderline(), gui::Tri::True);
  EXPECT_TRUE(face(main().BtnLežeče, ToolbarFace::LežečeOn));
  ed().setSelection(4, 5);
  EXPECT_EQ(ed().SelBold(), gui::Tri::False);
}

}  // namespace
