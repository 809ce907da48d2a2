// The diary's files at start-up and close: files it cannot trust end it
// before anything is written; the window always opens within reach; the
// per-user folder shows the diary; a backup is made once a day.
#include <cstdio>

#include "diary_fixture.h"

namespace fs = std::filesystem;

namespace {

bool nothingWasWritten(const ScratchFolder& dir) {
  return !fs::exists(dir.path() / "Podatki" / "12-07-2026") && !fs::exists(dir.path() / "Varnostne kopije");
}

// The command's whole output (unzip -t of a large backup lists more than any
// fixed buffer would hold).
std::string run(const std::string& command) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (!p) return out;
  char chunk[1 << 14];
  for (size_t n; (n = fread(chunk, 1, sizeof chunk, p)) > 0;) out.append(chunk, n);
  pclose(p);
  return out;
}

}  // namespace

struct Untrusted {
  const char* what;
  void (*arrange)(const ScratchFolder&);
  const char16_t* told;
};

class UntrustedFilesTest : public DiaryTest, public testing::WithParamInterface<Untrusted> {};

TEST_P(UntrustedFilesTest, EndTheDiaryWithAMessageAndNothingWritten) {
  writeSettings({0, 0, false, u"geslo"});
  GetParam().arrange(dir);
  start();
  EXPECT_EQ(platform.exitCode(), 1);
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_EQ(platform.messages()[0].text.find(GetParam().told), 0u);
  EXPECT_FALSE(window(login().form()).visible());  // never opened unlocked, nor asking
  EXPECT_TRUE(nothingWasWritten(dir));
}

INSTANTIATE_TEST_SUITE_P(
    StartUp, UntrustedFilesTest,
    testing::Values(
        Untrusted{"settings that cannot be read (a folder by its name)",
                  [](const ScratchFolder& d) {
                    fs::remove(d.path() / "Podatki.ini");
                    fs::create_directories(d.path() / "Podatki.ini");
                  },
                  u"Datoteke z nastavitvami ni bilo mogoče prebrati"},
        Untrusted{"data folder that cannot be listed", [](const ScratchFolder& d) { d.write("Podatki", "not a folder"); },
                  u"Mape z zapisi ni bilo mogoče odpreti"}),
    [](const auto& info) { return info.index == 0 ? "Settings" : "DataFolder"; });

TEST_F(DiaryTest, WithoutTheEditorControlTheDiaryEndsWithAMessageAndNothingWritten) {
  platform.setEditorFactory(nullptr);
  start();
  EXPECT_EQ(platform.exitCode(), 1);
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_EQ(platform.messages()[0].text.find(u"Pisarion ne more odpreti urejevalnika besedila"), 0u);
  EXPECT_FALSE(window(main().form()).visible());
  EXPECT_TRUE(nothingWasWritten(dir));
}

TEST_F(DiaryTest, SettingsThatCannotBeWrittenAtTheCloseAreTheUsersDecision) {
  start();
  main().form().setLeft(3000);
  fs::create_directories(dir.path() / "~Podatki.ini.tmp");  // no temporary, no write
  platform.closeWindow(main().form());
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_NE(platform.messages()[0].text.find(u"Nastavitev"), std::u16string::npos);
  EXPECT_FALSE(platform.exitCode());  // "no": the diary stays, the changes kept in it
  platform.answerYes = true;
  platform.closeWindow(main().form());
  EXPECT_EQ(platform.exitCode(), 0);
}

TEST_F(DiaryTest, WhatACrashLeftBehindIsClearedAndNeverListedAsADay) {
  addEntry("12-06-2026", "{\\rtf1 yesterday\\par\r\n}\r\n");
  dir.write("Podatki/~Pisarion.tmp", "half a save");
  dir.write("TMP.tkw", "{\\rtf1 plain text of a locked diary}");
  start();
  EXPECT_EQ(days().rowCount(), 2);  // yesterday and today only
  EXPECT_FALSE(fs::exists(dir.path() / "Podatki" / "~Pisarion.tmp"));
  EXPECT_EQ(dir.read("TMP.tkw"), "\r\n");
}

TEST_F(DiaryTest, TheWindowOpensWhollyInsideTheWorkAreaOfTheNearestMonitor) {
  // The main monitor 1280 × 1024 (work area 1280 × 984); a second one to its right.
  platform.addMonitor({1280, 0, 1920, 1080}, {1280, 0, 1920, 1040});
  const int centreX = (1280 - 596) / 2, centreY = (984 - 567) / 2;
  struct Case {
    double left, top;
    gui::Point at;
  };
  const Case cases[] = {
      {1500, 2220, {100, 148}},                   // on the screen: as saved
      {30000, 3000, {2000, 200}},                 // on the second monitor
      {45000, 3000, {3200 - 596, 200}},           // past its right edge: moved back in
      {-30000, 30000, {0, 984 - 567}},            // off the bottom left of the main one
      {1e30, -1e30, {centreX, centreY}},          // too large to be a position
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.left << ", " << c.top);
    writeSettings({c.top, c.left, false, u""});
    start();
    EXPECT_EQ(window(main().form()).bounds(), (gui::Rect{c.at.x, c.at.y, 596, 567}));
    diary.reset();
  }
}

TEST_F(DiaryTest, TheUsersFolderShowsTheDiaryBesideTheProgramAndSaysWhereItLives) {
  ScratchFolder program;
  store::Lines enc;
  store::transform({"{\\rtf1 beside the program\\par", "}"}, enc);
  program.write("Podatki/12-07-2026", store::joinLines(enc));
  env.programFolder = program.path();
  start();
  EXPECT_EQ(editorText(), u"beside the program");
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_NE(platform.messages()[0].text.find(dir.path().u16string()), std::u16string::npos);
}

TEST_F(DiaryTest, TheFirstStartOfADayZipsTheDiaryAfterTheWindowShowsKeepingTheNewestSevenUpToToday) {
  addEntry("12-06-2026", "{\\rtf1 yesterday\\par\r\n}\r\n");
  writeSettings({100, 200, false, u"geslo"});
  for (int day = 1; day <= 8; ++day) {
    dir.write("Varnostne kopije/2026-11-0" + std::to_string(day) + ".zip", "old");
    dir.write("Varnostne kopije/203" + std::to_string(day) + "-01-01.zip", "made while the clock was wrong");
  }
  dir.write("Varnostne kopije/moja.zip", "the user's own");
  const std::string entryOnDisk = dir.read("Podatki/12-06-2026"), settingsOnDisk = dir.read("Podatki.ini");
  start();
  login().Text1.setFocus();
  platform.typeText(u"geslo");
  platform.keyDown(gui::kKeyReturn);
  const fs::path zip = dir.path() / "Varnostne kopije" / "2026-12-07.zip";
  EXPECT_TRUE(window(main().form()).visible());
  EXPECT_FALSE(fs::exists(zip));  // the window first
  waitForBackup();
  EXPECT_NE(run("unzip -t '" + zip.string() + "'").find("No errors detected"), std::string::npos);
  EXPECT_EQ(run("unzip -p '" + zip.string() + "' Podatki/12-06-2026"), entryOnDisk);  // still encoded
  EXPECT_EQ(run("unzip -p '" + zip.string() + "' Podatki.ini"), settingsOnDisk);
  const fs::path kept = zip.parent_path();
  EXPECT_FALSE(fs::exists(kept / "2026-11-02.zip"));  // the oldest two went
  EXPECT_TRUE(fs::exists(kept / "2026-11-03.zip") && fs::exists(kept / "moja.zip"));
  EXPECT_TRUE(fs::exists(kept / "2038-01-01.zip"));  // never counted, never removed
  EXPECT_EQ(std::distance(fs::directory_iterator(kept), fs::directory_iterator()), 16);
}

TEST_F(DiaryTest, AClosingDiaryStopsItsBackupLeavingNoPartOfAnArchiveAndSavesToday) {
  for (int day = 1; day <= 28; ++day)
    for (int year = 1950; year < 2026; ++year)
      addEntry("02-" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "-" + std::to_string(year),
               "{\\rtf1 " + std::string(2000, 'x') + "\\par\r\n}\r\n");
  env.backupPatience = std::chrono::milliseconds(0);
  start();
  type(u"danes");
  platform.advance(200);  // the backup has started
  ASSERT_TRUE(diary->dailyBackup().started());
  platform.closeWindow(main().form());
  const fs::path kept = dir.path() / "Varnostne kopije", zip = kept / "2026-12-07.zip";
  if (fs::exists(kept)) {
    for (const auto& f : fs::directory_iterator(kept)) EXPECT_EQ(f.path(), zip);  // no temporary left
  }
  if (fs::exists(zip)) {
    EXPECT_NE(run("unzip -t '" + zip.string() + "'").find("No errors detected"), std::string::npos);
  }
  EXPECT_NE(entry("12-07-2026").find("danes"), std::string::npos);
}

TEST_F(DiaryTest, ABackupThatFailsIsToldOnceAndTheDiaryGoesOn) {
  dir.write("Varnostne kopije", "a file where the folder should be");
  addEntry("12-06-2026", "{\\rtf1 yesterday\\par\r\n}\r\n");
  start();
  waitForBackup();
  ASSERT_EQ(platform.messages().size(), 1u);
  EXPECT_NE(platform.messages()[0].text.find(u"varnostne kopije"), std::u16string::npos);
  EXPECT_TRUE(window(main().form()).visible());
  EXPECT_FALSE(platform.exitCode());
}

TEST_F(DiaryTest, ASecondWriterEndsWithoutTouchingTheDiaryAndALockLeftByACrashIsTakenOver) {
  dir.write("Podatki/~Pisarion-odprt.tmp", "");  // a crash left it: no proof of a running diary
  start();
  dir.write("Podatki/~Pisarion.tmp", "a save under way");
  for (bool firstRuns : {true, false}) {
    headless::HeadlessPlatform elsewhere;  // another account, session or computer
    elsewhere.setEditorFactory([] { return std::make_unique<textmodel::TextEditor>(); });
    app::Pisarion(elsewhere, env).start();
    EXPECT_EQ(elsewhere.exitCode(), firstRuns ? std::optional(1) : std::nullopt);
    EXPECT_EQ(dir.read("Podatki/~Pisarion.tmp"), firstRuns ? "a save under way" : "<missing>");
    diary.reset();  // the first ends, and its lock with it
  }
}
