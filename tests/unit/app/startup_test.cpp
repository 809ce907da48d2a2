#include "app/title.h"
#include "diary_fixture.h"

TEST_F(DiaryTest, WithoutPasswordTheMainWindowOpensAtTheSavedPositionAndTheLoginIsNeverSeen) {
  writeSettings({2220, 1500, false, u""});
  start();
  EXPECT_FALSE(window(login().form()).visible());
  auto& w = window(main().form());
  EXPECT_TRUE(w.visible());
  EXPECT_EQ(w.bounds(), (gui::Rect{100, 148, 596, 567}));  // left 1500 twips, top 2220 twips
  EXPECT_FALSE(w.topmost());
  EXPECT_TRUE(window(diary->taskbar().form()).visible());
  EXPECT_EQ(login().mark, "1");
  EXPECT_FALSE(login().Timer2.running());  // a login that is never seen blinks no caret
}

TEST_F(DiaryTest, KeepOnTopIsAppliedExactlyWhenTheSettingSaysSo) {
  writeSettings({0, 0, true, u""});
  start();
  EXPECT_TRUE(window(main().form()).topmost());
}

TEST_F(DiaryTest, MissingSettingsCentreTheWindowInTheWorkArea) {
  start();
  EXPECT_EQ(window(main().form()).bounds(), (gui::Rect{(1280 - 596) / 2, (984 - 567) / 2, 596, 567}));
  EXPECT_FALSE(window(main().form()).topmost());
}

TEST_F(DiaryTest, FirstStartOfTheDayCreatesAnEmptyEditableEntry) {
  start();
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "Podatki"));  // made, though missing
  EXPECT_EQ(dir.read("Podatki/12-07-2026"), "");
  EXPECT_FALSE(editor().Locked());
  EXPECT_EQ(days().lblDan[days().Izbrana]->text(), u"Danes (07. ponedeljek)");  // today chosen in the list
}

TEST_F(DiaryTest, TitleNamesTodayInSlovenianOnTheTaskbarButton) {
  start();
  EXPECT_EQ(window(diary->taskbar().form()).caption(), u"Pisarion (ponedeljek, 07. december 2026)");
  EXPECT_EQ(app::windowTitle({2031, 3, 5}), "Pisarion (sreda, 05. marec 2031)");
  EXPECT_EQ(app::windowTitle({2032, 2, 29}), "Pisarion (nedelja, 29. februar 2032)");
}

TEST_F(DiaryTest, TheMainWindowHasRoundedCorners) {
  start();
  const auto& region = window(main().form()).region();
  ASSERT_TRUE(region);
  EXPECT_FALSE(region->contains({0, 0}));
  EXPECT_FALSE(region->contains({4, 0}));
  EXPECT_TRUE(region->contains({5, 0}));
  EXPECT_FALSE(region->contains({595, 4}));
  EXPECT_FALSE(region->contains({594, 566}));
  EXPECT_TRUE(region->contains({300, 300}));
}

TEST_F(DiaryTest, TheEditorSitsInItsFrameAtItsFinalPlace) {
  start();
  ASSERT_EQ(platform.editors().size(), 1u);
  EXPECT_EQ(platform.editors()[0].rect, (gui::Rect{12, 63, 394, 494}));
}

TEST_F(DiaryTest, TypingRightAfterTheStartGoesIntoTodaysEntry) {
  start();
  platform.typeText(u"brez klika");
  EXPECT_EQ(editorText(), u"brez klika");
}
