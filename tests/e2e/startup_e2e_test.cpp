// The diary's start, its login, and what it leaves on disk, with the real
// program and real input.
#include <gtest/gtest.h>

#include "e2e_support.h"
#include "store/file_io.h"

using namespace e2e;

namespace {

// The main window's editor area, in the window's client pixels.


}  // namespace

TEST(DiaryEndToEnd, FirstStartInAnEmptyFolderCreatesTodaysEmptyEntry) {
  Diary diary;
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(diary.window("frmGeslo"), nullptr);
  EXPECT_EQ(diary.readFile(fs::path("Podatki") / todayKey()), "");
  RECT r{};
  GetWindowRect(main, &r);
  EXPECT_EQ(r.right - r.left, 596);
  EXPECT_EQ(r.bottom - r.top, 567);
  saveScreenshot(main, "main-window");
  typeText(L"takoj");  // the editor has the keys from the start
  EXPECT_EQ(diary.editorText(), L"takoj");
  closeDiary(diary);
}

TEST(DiaryEndToEnd, TypedTextSurvivesARestartAndIsStoredEncoded) {
  Diary diary;
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(writeToday(diary, main, L"Dragi dnevnik, danes je bilo čudovito: šla sem na žičnico."));
  saveScreenshot(main, "main-window-typed");
  closeDiary(diary);

  const auto raw = diary.readFile(fs::path("Podatki") / todayKey());
  ASSERT_TRUE(raw);
  EXPECT_EQ(raw->find("Dragi"), std::string::npos);  // nothing readable on disk
  const auto rtf = diary.decodedEntry(todayKey());
  ASSERT_TRUE(rtf);
  EXPECT_EQ(rtf->rfind("{\\rtf", 0), 0u);
  EXPECT_NE(rtf->find("Dragi dnevnik"), std::string::npos);
  EXPECT_EQ(diary.readFile("TMP.tkw"), "\r\n");

  ASSERT_TRUE(diary.start());
  ASSERT_NE(diary.waitForWindow("frmMain"), nullptr);
  EXPECT_EQ(diary.editorText(), L"Dragi dnevnik, danes je bilo čudovito: šla sem na žičnico.");
  closeDiary(diary);
}

TEST(DiaryEndToEnd, SettingsAfterClosingHoldTheFourLines) {
  Diary diary;
  diary.writeSettings({1500, 3000, false, u""});
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  RECT r{};
  GetWindowRect(main, &r);
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 100);
  closeDiary(diary);
  const auto bytes = diary.readFile("Podatki.ini");
  ASSERT_TRUE(bytes);
  EXPECT_EQ(store::splitLines(*bytes).size(), 4u);
  const store::Settings s = diary.readSettings();
  EXPECT_EQ(s.top, 1500);
  EXPECT_EQ(s.left, 3000);
  EXPECT_FALSE(s.onTop);
  EXPECT_EQ(s.password, u"");
}

TEST(DiaryEndToEnd, APasswordIsAskedForAndAWrongOneIsRefused) {
  Diary diary;
  diary.writeSettings({1500, 3000, false, u"Žaba7"});
  ASSERT_TRUE(diary.start());
  HWND login = diary.waitForWindow("frmGeslo");
  ASSERT_NE(login, nullptr);
  EXPECT_EQ(diary.window("frmMain"), nullptr);
  saveScreenshot(login, "login-empty");

  typeText(L"žaba7");
  saveScreenshot(login, "login-typed");
  pressKey(VK_RETURN);
  HWND box = diary.waitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Diary::messageBoxText(box), L"Geslo je napačno!!!");
  saveScreenshot(box, "login-wrong-password");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(waitUntil([&] { return !IsWindow(box); }));
  EXPECT_EQ(diary.window("frmMain"), nullptr);

  SetForegroundWindow(login);
  waitUntil([&] { return GetForegroundWindow() == login; }, 3000);
  typeText(L"Žaba7");
  pressKey(VK_RETURN);
  HWND main = diary.waitForWindow("frmMain");
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(waitUntil([&] { return diary.window("frmGeslo") == nullptr; }));
  closeDiary(diary);
  EXPECT_EQ(diary.readSettings().password, u"Žaba7");
}
