// Looking back from the main window: this day in earlier years in the day
// list, the year window, and printing the day on screen.
#include "app/frm_taskbar.h"
#include "app/search_field.h"
#include "gui/png.h"
#include "navigation_fixture.h"
#include "rtf/reader.h"

namespace {

using Tags = std::vector<std::string>;

class LookingBackTest : public NavigationTest {
 protected:
  std::u16string status() { return label("lblSearchStatus").text(); }
  std::vector<std::u16string> rowTexts() {
    std::vector<std::u16string> out;
    for (int i = 1; i <= days().rowCount(); ++i) out.push_back(days().lblDan[i]->text());
    return out;
  }
  gui::Form* yearWindow() {
    for (headless::HeadlessWindow* w : platform.windows())
      if (w->form().name() == "frmLeto") return &w->form();
    return nullptr;
  }
  template <class T = gui::Label>
  T& inYear(std::string_view name) {
    gui::Element* e = yearWindow()->find(name);
    if (!e) throw std::runtime_error("the year window has no " + std::string(name));
    return dynamic_cast<T&>(*e);
  }
  void save(const gui::Surface& s, const char* name) {
    const auto out = std::filesystem::path(PISARION_SOURCE_DIR) / "build" / "screenshots" / name;
    std::filesystem::create_directories(out.parent_path());
    ASSERT_TRUE(gui::writePng(s, out));
  }
};

TEST_F(LookingBackTest, CtrlDListsThisDayInEarlierYearsAndEscapeBringsTheMonthBack) {
  addText("12-07-2025", "lani");
  addText("12-07-1999", "pred davnimi leti");
  addText("12-06-2025", "drug dan");
  start();
  type(u"danes");
  platform.keyDown('D', gui::kCtrl);
  EXPECT_EQ(rowTexts(), (std::vector<std::u16string>{u"07. 12. 2025 (nedelja)", u"07. 12. 1999 (torek)"}));
  EXPECT_EQ(status(), u"Na ta dan: 2 zapisa");
  EXPECT_NE(entry("12-07-2026").find("danes"), std::string::npos);  // today saved as the month went
  save(platform.screenshot(), "on-this-day.png");

  clickRow(days(), 2);
  EXPECT_EQ(editorText(), u"pred davnimi leti");
  EXPECT_TRUE(editor().Locked());
  // From the past day, the same date before it: nothing earlier than 1999.
  platform.keyDown('D', gui::kCtrl);
  EXPECT_EQ(days().rowCount(), 0);
  EXPECT_EQ(status(), u"Na ta dan ni zapisov iz prejšnjih let");
  platform.keyDown(gui::kKeyEscape);
  EXPECT_TRUE(el("PicLeto").visible());
  EXPECT_EQ(label("lblLeto").text(), u"1999");
  EXPECT_EQ(tags(days()), (Tags{"12-07-1999"}));
}

TEST_F(LookingBackTest, TheYearWindowShadesTheDaysTellsTheirWordsAndShowsAClickedDay) {
  addText("12-05-2026", "ena dva tri");
  addText("12-06-2026", "\\b Pala\\'e8inke\\b0  za zajtrk");
  addText("03-14-2025", "lansko leto");
  start();
  type(u"pišem že četrti dan");  // today from the editor: four words
  platform.keyDown('D', gui::kCtrl | gui::kShift);
  ASSERT_NE(yearWindow(), nullptr);
  EXPECT_TRUE(yearWindow()->visible());
  EXPECT_EQ(inYear("lblLetoNaPogled").text(), u"2026");
  EXPECT_EQ(inYear("picDan12_6").toolTip(), u"6. december 2026: 3 besede");
  EXPECT_EQ(inYear("picDan12_7").toolTip(), u"7. december 2026: 4 besede");
  EXPECT_EQ(inYear("picDan12_1").toolTip(), u"1. december 2026: ni zapisa");
  EXPECT_NE(inYear("picDan12_6").backColor(), inYear("picDan12_1").backColor());
  EXPECT_FALSE(inYear("picDan2_29").visible());  // 2026 has no leap day
  // Three days in a row up to today, in the year and in the whole diary.
  EXPECT_EQ(inYear("lblŠtevilo00").text(), u"3");
  EXPECT_EQ(inYear("lblŠtevilo10").text(), u"10");
  EXPECT_EQ(inYear("lblŠtevilo30").text(), u"3");
  EXPECT_EQ(inYear("lblŠtevilo01").text(), u"4");
  save(platform.screenshot(), "year-at-a-glance.png");

  platform.click(centre(inYear("picDan12_6")));
  platform.advance(1000);
  EXPECT_EQ(editorText(), u"Palačinke za zajtrk");
  EXPECT_NE(entry("12-07-2026").find("pi\\'9aem"), std::string::npos);  // today saved before it went

  platform.keyDown(37);  // Left: the year before
  EXPECT_EQ(inYear("lblLetoNaPogled").text(), u"2025");
  EXPECT_EQ(inYear("picDan3_14").toolTip(), u"14. marec 2025: 2 besedi");
  EXPECT_EQ(inYear("lblŠtevilo30").text(), u"–");  // no run of this year reaches today
  platform.keyDown(37);  // no entries before 2025: it stays
  EXPECT_EQ(inYear("lblLetoNaPogled").text(), u"2025");
  platform.keyDown(gui::kKeyEscape);
  EXPECT_FALSE(yearWindow()->visible());
}

TEST_F(LookingBackTest, CtrlPPrintsTheDayOnScreenUnderItsHeadingAndTellsAPrinterThatFails) {
  addText("12-06-2026", "\\i v\\'e8eraj\\i0");
  start();
  clickRow(days(), 1);
  platform.keyDown('P', gui::kCtrl);
  ASSERT_EQ(platform.printRequests().size(), 1u);
  const rtf::Document page = rtf::readRtf(platform.printRequests().back().richText);
  EXPECT_EQ(page.text(), u"nedelja, 6. december 2026\r\rvčeraj");
  EXPECT_TRUE(page.paragraphs.back().runs.at(0).format.italic);
  EXPECT_TRUE(platform.messages().empty());

  platform.printOutcome = gui::PrintOutcome::Failed;
  platform.keyDown('P', gui::kCtrl);
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_NE(platform.messages().back().text.find(u"natisniti"), std::u16string::npos);
}

TEST_F(LookingBackTest, ALockedDiaryShowsNothingUntilThePasswordAndHidesTheYearWindowWhenItLocks) {
  addText("12-07-2025", "lani");
  writeSettings({2220, 1500, false, u"Geslo1"});
  start();
  for (int shift : {int{gui::kCtrl}, gui::kCtrl | gui::kShift}) platform.keyDown('D', shift);
  platform.keyDown('P', gui::kCtrl);
  EXPECT_EQ(yearWindow(), nullptr);
  EXPECT_TRUE(platform.printRequests().empty());
  platform.typeText(u"Geslo1");
  platform.keyDown(gui::kKeyReturn);
  platform.keyDown('D', gui::kCtrl | gui::kShift);
  ASSERT_NE(yearWindow(), nullptr);
  EXPECT_TRUE(yearWindow()->visible());
  // Minimised, the diary locks: the year window goes with it.
  diary->taskbar().form().setWindowState(gui::kMinimized);
  EXPECT_FALSE(yearWindow()->visible());
}

}  // namespace
