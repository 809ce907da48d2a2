// The diary's files at start-up with the real program: one diary per folder,
// and a settings file another program holds open.
#include <gtest/gtest.h>

#include "e2e_support.h"

using namespace e2e;

TEST(DiaryFilesEndToEnd, ASecondStartBringsTheMinimisedDiaryBackThroughTheLockScreen) {
  Diary diary;
  ASSERT_NE(diary.startUnlocked({1500, 3000, false, u"Žaba7"}), nullptr);
  PostMessageW(diary.window("frmTaskbar"), WM_SYSCOMMAND, SC_MINIMIZE, 0);  // its taskbar button
  ASSERT_TRUE(waitUntil([&] { return diary.window("frmMain") == nullptr; }));

  EXPECT_EQ(diary.startAnother(), 0u);  // it ends at once…
  HWND lock = diary.waitForWindow("frmGeslo");  // …and the running diary asks for its password
  ASSERT_NE(lock, nullptr);
  EXPECT_EQ(diary.window("frmMain"), nullptr);
  saveScreenshot(lock, "second-start-lock-screen");
  typeText(L"Žaba7");
  pressKey(VK_RETURN);
  ASSERT_NE(diary.waitForWindow("frmMain"), nullptr);
  closeDiary(diary);
}

TEST(DiaryFilesEndToEnd, ASettingsFileHeldOpenIsWaitedForAndNeverOpensTheDiaryUnlocked) {
  Diary diary;
  diary.writeSettings({1500, 3000, false, u"Žaba7"});
  const fs::path ini = diary.folder() / L"Podatki.ini";
  const auto before = diary.readFile("Podatki.ini");

  HANDLE held = winsupport::holdUnshared(ini);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(diary.start());
  HWND box = diary.waitForMessageBox(20000);
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Diary::messageBoxText(box).find(L"nastavitvami ni bilo mogoče prebrati"), std::wstring::npos);
  EXPECT_EQ(diary.window("frmMain"), nullptr);
  saveScreenshot(box, "settings-held-open");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(diary.waitForExit(), 1u);
  CloseHandle(held);
  EXPECT_EQ(diary.readFile("Podatki.ini"), before);
  EXPECT_FALSE(fs::exists(diary.folder() / L"Podatki"));

  // Held only for a moment: the diary waits and asks for the password.
  held = winsupport::holdUnshared(ini);
  ASSERT_TRUE(diary.start());
  settle(1000);  // the time the file stays held, not a wait for the diary
  CloseHandle(held);
  EXPECT_NE(diary.waitForWindow("frmGeslo"), nullptr);
  EXPECT_EQ(diary.window("frmMain"), nullptr);
}
