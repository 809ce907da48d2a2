// A new user's first minute with the real mouse and keys: a drag by the title
// text, Ctrl+B/I/U on a selection, the right-click menu, the saved entry.
#include <gtest/gtest.h>
#include <richedit.h>

#include "e2e_support.h"

using namespace e2e;

TEST(EditingEndToEnd, DragByTheTitleCtrlBIUAndTheRightClickMenu) {
  Diary diary;
  diary.writeSettings({3000, 3000, false, u""});  // at (200, 200)
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  pointAt(main, {80, 10});  // on the title text
  leftDown();
  for (int step = 1; step <= 5; ++step, settle(60)) moveMouse({280 + 20 * step, 210 + 10 * step});
  leftUp();
  RECT at{};
  waitUntil([&] { return GetWindowRect(main, &at) && at.left == 300; }, 3000);
  EXPECT_EQ(std::pair(at.left, at.top), std::pair(300L, 250L));
  typeText(L"vse troje zdaj");
  SendMessageW(diary.editor(), EM_SETSEL, 0, 9);
  pointAt(main, {200, 300});  // the pointer off the toolbar
  const gui::Surface toolbar = screenshot(main);
  for (WORD key : {'B', 'I', 'U'}) pressCtrlKey(key);
  // Each of the three toggles (39 pixels wide from x 60) turns to its "on" face.
  EXPECT_TRUE(waitUntil([&] {
    const gui::Surface now = screenshot(main);
    for (int left : {60, 100, 140}) {
      bool changed = false;
      for (int y = 19; y < 58 && !changed; ++y)
        for (int x = left; x < left + 39 && !changed; ++x) changed = now.pixel(x, y) != toolbar.pixel(x, y);
      if (!changed) return false;
    }
    return true;
  }));
  EXPECT_EQ(diary.editorText(), L"vse troje zdaj") << "Ctrl+I must not type a Tab over the selection";
  SendMessageW(diary.editor(), EM_SETSEL, 9, 14);  // " zdaj"
  pointAt(main, {200, 200});
  INPUT right[2] = {};
  right[0].type = right[1].type = INPUT_MOUSE;
  right[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN, right[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  SendInput(2, right, sizeof(INPUT));
  HWND menu = nullptr;
  ASSERT_TRUE(waitUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); }, 5000));
  saveScreenshot(menu, "editing-context-menu");
  pressKey(VK_DOWN);  // Izreži
  pressKey(VK_RETURN);
  waitUntil([&] { return diary.editorText() == L"vse troje"; }, 3000);
  EXPECT_EQ(diary.editorText(), L"vse troje");
  closeDiary(diary);
  const std::optional<std::string> rtf = diary.decodedEntry(todayKey());
  for (const char* word : {"\\b", "\\i", "\\ul"}) EXPECT_NE(rtf.value_or("").find(word), std::string::npos) << word;
}
