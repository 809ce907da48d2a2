#include "navigation_fixture.h"

namespace {

using Tags = std::vector<std::string>;

TEST_F(NavigationTest, AtStartTheYearMonthAndDayOfTodayAreChosen) {
  addText("11-30-2026", "november");
  addText("12-01-2026", "prvi");
  addText("12-06-2026", "nedelja");
  start();
  app::frmMain& m = main();
  EXPECT_EQ(label("lblLeto").text(), u"2026");
  EXPECT_EQ(label("lblMesec").text(), u"december");
  EXPECT_EQ(diary->state().ChosenYear(), "2026");
  EXPECT_EQ(tags(monthList()), (Tags{"11", "12"}));
  EXPECT_EQ(monthList().lblDan[1]->text(), u"november");
  EXPECT_EQ(yearList().rowCount(), 0);  // filled when it opens
  EXPECT_EQ(tags(days()), (Tags{"12-01-2026", "12-06-2026", "12-07-2026"}));
  EXPECT_EQ(days().lblDan[3]->text(), u"Danes (07. ponedeljek)");
  EXPECT_EQ(days().lblDan[2]->text(), u"06. nedelja");
  EXPECT_EQ(days().Izbrana, 3);
  EXPECT_TRUE(days().IzbranDanes);
  EXPECT_FALSE(editor().Locked());
  EXPECT_TRUE(formattingShown());
  EXPECT_TRUE(separatorsActive());
  // At their places, with the skin's pieces on them.
  EXPECT_EQ(el("PicLeto").bounds(), (gui::Rect{413, 60, 175, 20}));
  EXPECT_EQ(el("PicMesec").bounds(), (gui::Rect{413, 84, 175, 20}));
  EXPECT_EQ(el("PicDatumi").bounds(), (gui::Rect{413, 108, 175, 452}));
  EXPECT_EQ(days().bounds(), (gui::Rect{3, 3, 169, 446}));
  EXPECT_EQ(el("BtnLeta").bounds(), (gui::Rect{158, 3, 14, 14}));
  EXPECT_TRUE(shows(el("PicLeto").surface(), skin::r::dateBox));
  EXPECT_TRUE(shows(el("BtnMesec").surface(), skin::r::dropButton));
  EXPECT_TRUE(shows(el("PicDatumi").surface(), skin::r::dayListTop));
  EXPECT_TRUE(shows(el("PicDatumi").surface(), skin::r::dayListBottom, {0, 442}));
  // The opener is round: its magenta corners let the box show through.
  ASSERT_TRUE(el("BtnLeta").region());
  EXPECT_FALSE(el("BtnLeta").region()->contains({0, 0}));
  EXPECT_TRUE(el("BtnLeta").region()->contains({7, 7}));
  const gui::Surface screen = platform.shown(m.form());
  EXPECT_EQ(screen.pixel(413 + 158, 60 + 3), diary->PictureGUI.pixel(58 + 158, 32 + 3));
}

TEST_F(NavigationTest, ChoosingYesterdaySavesTodayAndShowsYesterdayReadOnly) {
  addText("12-06-2026", "wrote yesterday");
  start();
  type(u"danes pisem");
  clickRow(days(), 1);
  EXPECT_NE(entry("12-07-2026").find("danes pisem"), std::string::npos);
  EXPECT_EQ(editorText(), u"wrote yesterday");
  EXPECT_TRUE(editor().Locked());
  EXPECT_FALSE(formattingShown());
  EXPECT_TRUE(separatorsInactive());
  EXPECT_FALSE(days().IzbranDanes);
  // The buttons are gone from the screen too: the toolbar band shows there.
  const gui::Surface screen = platform.shown(main().form());
  EXPECT_FALSE(shows(screen, skin::toolbarFace(skin::ToolbarFace::KrepkoOff, skin::Row::Rest), {60, 19}));
  // Back to today: editable again, with its buttons and active separators.
  clickRow(days(), 2);
  EXPECT_EQ(editorText(), u"danes pisem");
  EXPECT_FALSE(editor().Locked());
  EXPECT_TRUE(formattingShown());
  EXPECT_TRUE(separatorsActive());
  editor().setSelection(100, 0);
  type(u" in se");
  platform.closeWindow(main().form());
  EXPECT_NE(entry("12-07-2026").find("danes pisem in se"), std::string::npos);
  EXPECT_EQ(entry("12-06-2026"), std::string(kRtf) + "wrote yesterday\\par\r\n}\r\n");
}

TEST_F(NavigationTest, ChoosingTodaysRowAgainKeepsWhatWasTyped) {
  start();
  type(u"ne izgubi me");
  clickRow(days(), 1);
  EXPECT_EQ(editorText(), u"ne izgubi me");
  EXPECT_FALSE(editor().Locked());
}

TEST_F(NavigationTest, ChangingTheMonthOrTheYearSavesTodayFirst) {
  addText("11-03-2026", "november");
  addText("05-05-2025", "lani");
  start();
  type(u"prvi del");
  clickOn(el("BtnMesec"));
  ASSERT_TRUE(el("PicCmbMesci").visible());
  clickRow(monthList(), rowOf(monthList(), "11"));
  EXPECT_FALSE(el("PicCmbMesci").visible());
  EXPECT_NE(entry("12-07-2026").find("prvi del"), std::string::npos);
  EXPECT_EQ(label("lblMesec").text(), u"november");
  EXPECT_EQ(tags(days()), (Tags{"11-03-2026"}));
  EXPECT_EQ(days().Izbrana, 0);
  // The editor still holds today's entry, editable; what is typed now is
  // saved when another day is chosen from the new month.
  EXPECT_FALSE(editor().Locked());
  type(u" drugi del");
  clickRow(days(), 1);
  EXPECT_NE(entry("12-07-2026").find("prvi del drugi del"), std::string::npos);
  EXPECT_EQ(editorText(), u"november");
  // Back in December, today again, then a year change.
  clickOn(el("BtnMesec"));
  clickRow(monthList(), rowOf(monthList(), "12"));
  clickRow(days(), rowOf(days(), "12-07-2026"));
  type(u" tretji");
  clickOn(label("lblLeto"));
  ASSERT_TRUE(el("PiccmbLeta").visible());
  clickRow(yearList(), rowOf(yearList(), "2025"));
  EXPECT_NE(entry("12-07-2026").find("tretji"), std::string::npos);
  EXPECT_EQ(label("lblLeto").text(), u"2025");
  EXPECT_EQ(label("lblMesec").text(), u"maj");
  EXPECT_EQ(tags(days()), (Tags{"05-05-2025"}));
  EXPECT_EQ(diary->state().ChosenYear(), "2025");
}

TEST_F(NavigationTest, YearsComeInCalendarOrderAndAYearOpensAtItsFirstMonth) {
  addText("02-14-2004", "valentinovo");
  addText("01-05-2005", "januar");
  addText("03-01-2004", "marec");
  start();
  type(u"ostane");
  clickOn(el("BtnLeta"));
  EXPECT_EQ(tags(yearList()), (Tags{"2004", "2005", "2026"}));  // not in the names' order (2005 first)
  EXPECT_EQ(yearList().Izbor->top(), 2 * 17);  // this year highlighted
  EXPECT_EQ(el("PiccmbLeta").height(), yearList().height() + 2);  // today's row beneath is covered whole
  EXPECT_EQ(el("PiccmbLeta").width(), 173);
  clickRow(yearList(), 1);
  EXPECT_EQ(label("lblLeto").text(), u"2004");
  EXPECT_EQ(label("lblMesec").text(), u"februar");
  EXPECT_EQ(tags(monthList()), (Tags{"02", "03"}));
  EXPECT_EQ(tags(days()), (Tags{"02-14-2004"}));
  EXPECT_EQ(days().lblDan[1]->text(), u"14. sobota");
  EXPECT_EQ(days().Izbrana, 0);
  EXPECT_EQ(editorText(), u"ostane");  // no day chosen: the editor keeps today
  clickOn(label("lblMesec"));
  clickRow(monthList(), 2);
  EXPECT_EQ(tags(days()), (Tags{"03-01-2004"}));
}

TEST_F(NavigationTest, AMonthOutsideTheCalendarHasNoNameButItsDaysAreListed) {
  addText("13-05-2026", "stray");
  start();
  EXPECT_EQ(tags(monthList()), (Tags{"12", "13"}));
  clickOn(el("BtnMesec"));
  clickRow(monthList(), 2);
  EXPECT_EQ(label("lblMesec").text(), u"");
  EXPECT_EQ(tags(days()), (Tags{"13-05-2026"}));
  EXPECT_EQ(days().lblDan[1]->text(), u"13-05-2026");  // its name, as it stands
  clickRow(days(), 1);
  EXPECT_EQ(editorText(), u"stray");
  EXPECT_TRUE(editor().Locked());
}

TEST_F(NavigationTest, ADayWhoseFileWasDeletedMeanwhileShowsAnEmptyEditor) {
  addText("12-03-2026", "izginil");
  start();
  std::filesystem::remove(dir.path() / "Podatki" / "12-03-2026");
  clickRow(days(), 1);
  EXPECT_EQ(editorText(), u"");
  EXPECT_TRUE(editor().Locked());
}

TEST_F(NavigationTest, TheOpenersOpenAndCloseTheirListsWithPressedAndNormalFaces) {
  start();
  app::frmMain& m = main();
  clickOn(el("BtnLeta"));
  EXPECT_TRUE(el("PiccmbLeta").visible());
  EXPECT_TRUE(yearList().hasFocus());
  EXPECT_TRUE(shows(el("BtnLeta").surface(), skin::r::dropButtonPressed));
  // Shown above the month box and the day list.
  const base::Rect row = yearList().lblDan[1]->formRect();
  EXPECT_EQ(m.form().hitTest({row.x + 5, row.y + 5}), yearList().lblDan[1]);
  clickOn(el("BtnLeta"));
  EXPECT_FALSE(el("PiccmbLeta").visible());
  EXPECT_TRUE(shows(el("BtnLeta").surface(), skin::r::dropButton));
  // Opening the year list closes the month list; the editor taking the focus closes both.
  clickOn(label("lblMesec"));
  EXPECT_TRUE(el("PicCmbMesci").visible());
  clickOn(label("lblLeto"));
  EXPECT_FALSE(el("PicCmbMesci").visible());
  EXPECT_TRUE(shows(el("BtnMesec").surface(), skin::r::dropButton));
  EXPECT_TRUE(el("PiccmbLeta").visible());
  EXPECT_TRUE(shows(el("BtnLeta").surface(), skin::r::dropButtonPressed));
  clickOn(text());
  EXPECT_FALSE(el("PiccmbLeta").visible());
  EXPECT_TRUE(shows(el("BtnLeta").surface(), skin::r::dropButton));
  // Enter with no row highlighted closes the list and changes nothing.
  clickOn(el("BtnLeta"));
  platform.keyDown(gui::kKeyReturn);
  EXPECT_FALSE(el("PiccmbLeta").visible());
  EXPECT_EQ(label("lblLeto").text(), u"2026");
  EXPECT_EQ(days().rowCount(), 1);
  // Keys: Down highlights the first year, Enter chooses it.
  clickOn(el("BtnLeta"));
  platform.keyDown(gui::kKeyDown);
  EXPECT_TRUE(el("PiccmbLeta").visible());
  platform.keyDown(gui::kKeyReturn);
  EXPECT_FALSE(el("PiccmbLeta").visible());
  EXPECT_EQ(label("lblLeto").text(), u"2026");
}

TEST_F(NavigationTest, PastMidnightChoosingTheOpenDayAgainSavesItUnderItsOwnDay) {
  start();
  type(u"pozno");
  platform.setNow({{2026, 12, 8}, 0, 30, 0, 0});
  clickRow(days(), 1);  // the 7th, now yesterday
  EXPECT_NE(entry("12-07-2026").find("pozno"), std::string::npos);
  EXPECT_TRUE(editor().Locked());
  EXPECT_EQ(editorText(), u"pozno");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Podatki" / "12-08-2026"));
}

}  // namespace
