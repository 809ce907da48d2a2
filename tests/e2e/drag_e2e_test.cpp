// The main window dragged by its title text with the real mouse.
#include <gtest/gtest.h>

#include "e2e_support.h"

using namespace e2e;

TEST(DragEndToEnd, ThePointerOnTheTitleTextDragsTheWindow) {
  Diary diary;
  diary.writeSettings({3000, 3000, false, u""});  // at (200, 200)
  ASSERT_TRUE(diary.start());
  HWND main = diary.waitForWindow("frmMain");
  ASSERT_NE(main, nullptr);
  settle(300);
  RECT before{};
  GetWindowRect(main, &before);
  pointAt(main, {80, 10});  // on "Pisarion (…)"
  leftDown();
  for (int step = 1; step <= 5; ++step) {
    moveMouse({before.left + 80 + 20 * step, before.top + 10 + 10 * step});
    settle(60);
  }
  leftUp();
  RECT after{};
  for (int waited = 0; waited < 3000 && after.left != before.left + 100; waited += 100, settle(100))
    GetWindowRect(main, &after);
  EXPECT_EQ(after.left, before.left + 100);
  EXPECT_EQ(after.top, before.top + 50);
  closeDiary(diary);
}
