#include "navigation_fixture.h"

TEST_F(DiaryTest, ClosingSavesTodaysTextThenTheSettingsAndEnds) {
  writeSettings({2220, 1500, true, u"skrivnost"});
  start();
  login().Text1.setFocus();
  platform.typeText(u"skrivnost");
  platform.keyDown(gui::kKeyReturn);
  ASSERT_TRUE(window(main().form()).visible());
  type(u"Dragi dnevnik, čšž");
  main().form().setLeft(3000);
  platform.closeWindow(main().form());
  EXPECT_NE(entry("12-07-2026").find("Dragi dnevnik"), std::string::npos);
  store::Settings s = readSettings();
  EXPECT_EQ(s.top, 2220);
  EXPECT_EQ(s.left, 3000);
  EXPECT_TRUE(s.onTop);
  EXPECT_EQ(s.password, u"skrivnost");
  EXPECT_EQ(platform.exitCode(), 0);
}

TEST_F(DiaryTest, TheEntryIsSavedBeforeTheSettingsAreWritten) {
  // An editor that notes, when the entry is saved, whether the settings file
  // (which only shutdown writes) is already there.
  struct RecordingEditor : textmodel::TextEditor {
    std::filesystem::path settings;
    std::vector<bool>* seen;
    std::optional<std::string> richText() const override {
      seen->push_back(std::filesystem::exists(settings));
      return TextEditor::richText();
    }
  };
  std::vector<bool> settingsExistedAtSave;
  platform.setEditorFactory([&] {
    auto e = std::make_unique<RecordingEditor>();
    e->settings = dir.path() / "Podatki.ini";
    e->seen = &settingsExistedAtSave;
    return e;
  });
  start();
  type(u"x");
  platform.closeWindow(main().form());
  EXPECT_EQ(settingsExistedAtSave, std::vector<bool>{false});
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "Podatki.ini"));
}

TEST_F(NavigationTest, ClosingWhileAPastDayIsShownSavesNoEntryButStillTheSettings) {
  addEntry("12-06-2026", "{\\rtf1 wrote yesterday\\par\r\n}\r\n");
  start();
  type(u"today's words");
  clickRow(days(), 1);  // today's words are saved as the day changes
  EXPECT_TRUE(editor().Locked());
  const std::string today = dir.read("Podatki/12-07-2026");
  platform.closeWindow(main().form());
  EXPECT_EQ(dir.read("Podatki/12-07-2026"), today);
  EXPECT_EQ(entry("12-06-2026"), "{\\rtf1 wrote yesterday\\par\r\n}\r\n");
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "Podatki.ini"));
}

TEST_F(DiaryTest, LoggingOffSavesTheDaysWriting) {
  start();
  type(u"pisano pred odjavo");
  EXPECT_TRUE(platform.endSession());
  EXPECT_NE(entry("12-07-2026").find("pisano pred odjavo"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "Podatki.ini"));
}

TEST_F(DiaryTest, PastMidnightTheTextIsSavedUnderTheDayItWasWrittenOn) {
  start();
  type(u"late night");
  platform.setNow({{2026, 12, 8}, 0, 30, 0, 0});
  platform.closeWindow(main().form());
  EXPECT_NE(entry("12-07-2026").find("late night"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Podatki" / "12-08-2026"));
}

TEST_F(DiaryTest, TodaysEntryComesBackAfterARestart) {
  start();
  type(u"Krepko čez dan");
  platform.closeWindow(main().form());
  diary.reset();
  start();
  EXPECT_EQ(editorText(), u"Krepko čez dan");
  EXPECT_FALSE(editor().Locked());
}

TEST_F(DiaryTest, ClosingTheTaskbarButtonClosesTheDiary) {
  start();
  type(u"from the taskbar");
  platform.closeWindow(diary->taskbar().form());
  EXPECT_NE(entry("12-07-2026").find("from the taskbar"), std::string::npos);
  EXPECT_EQ(platform.exitCode(), 0);
}

// Behind a lock screen raised over the shown diary its shortcuts do nothing,
// and the lock screen's Escape, which ends the program there, saves today's
// writing first.
TEST_F(DiaryTest, BehindTheLockScreenShortcutsDoNothingAndEscapeEndsSavingToday) {
  writeSettings({1500, 1500, false, u"skrivnost"});
  start();
  platform.typeText(u"skrivnost");
  platform.keyDown(gui::kKeyReturn);
  type(u"Zadnje besede");
  login().showLockScreen();
  for (int key : {'F', 'E'}) EXPECT_TRUE(main().form().dispatchShortcut(key, gui::kCtrl));
  EXPECT_FALSE(el("PicSearch").visible());
  EXPECT_TRUE(platform.saveFileRequests().empty());
  platform.keyDown(gui::kKeyEscape);
  EXPECT_EQ(platform.exitCode(), 0);
  EXPECT_NE(entry("12-07-2026").find("Zadnje besede"), std::string::npos);
}

TEST_F(NavigationTest, TodaysEntryOpensWithTheCaretAfterItsLastWord) {
  addText("12-07-2026", "Zjutraj");
  start();
  type(u" in zvečer");
  EXPECT_EQ(editorText(), u"Zjutraj in zvečer");
}
