// Keys and the context menu in the real diary's editor: Ctrl+B, Ctrl+I and
// Ctrl+U reaching the saved entry, the right-click menu choosing with keys.
#include <gtest/gtest.h>

#include <richedit.h>

#include "e2e_support.h"

using namespace e2e;

namespace {

constexpr POINT kInEditor{200, 200};

void ctrlKey(WORD vk) {
  INPUT in[4] = {};
  for (INPUT& i : in) i.type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[3].ki.wVk = VK_CONTROL;
  in[1].ki.wVk = in[2].ki.wVk = vk;
  in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, in, sizeof(INPUT));
  settle(300);
}

void rightClick() {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  SendInput(2, in, sizeof(INPUT));
}

// The popup menu window once it shows, or nullptr.
HWND waitForPopupMenu(bool shown = true) {
  for (int waited = 0; waited < 5000; waited += 100, settle(100)) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    const bool visible = menu && IsWindowVisible(menu);
    if (visible == shown) return menu ? menu : HWND(1);
  }
  return nullptr;
}

std::pair<LONG, LONG> selection(HWND editor) {
  // Packed in the answer: a pointer would not cross into the diary's process.
  const DWORD packed = static_cast<DWORD>(SendMessageW(editor, EM_GETSEL, 0, 0));
  return {LOWORD(packed), HIWORD(packed)};
}

}  // namespace

TEST(EditingEndToEnd, CtrlBIUFormatTheSelectionWithoutReplacingItAndReachTheEntry) {
  Diary diary;
  ASSERT_TRUE(diary.start());
  HWND main = diary.waitForWindow("frmMain");
  ASSERT_NE(main, nullptr);
  typeText(L"vse troje zdaj");
  SendMessageW(diary.editor(), EM_SETSEL, 0, 9);
  for (WORD key : {'B', 'I', 'U'}) ctrlKey(key);
  EXPECT_EQ(diary.editorText(), L"vse troje zdaj") << "Ctrl+I must not type a Tab over the selection";
  saveScreenshot(main, "editing-ctrl-biu");
  closeDiary(diary);
  const std::optional<std::string> rtf = diary.decodedEntry(todayKey());
  ASSERT_TRUE(rtf);
  for (const char* word : {"\\b", "\\i", "\\ul"}) EXPECT_NE(rtf->find(word), std::string::npos) << word << " in " << *rtf;
}

TEST(EditingEndToEnd, RightClickOpensTheEditorsMenuAndItsCommandsWork) {
  Diary diary;
  ASSERT_TRUE(diary.start());
  HWND main = diary.waitForWindow("frmMain");
  ASSERT_NE(main, nullptr);
  typeText(L"ena dva");
  SendMessageW(diary.editor(), EM_SETSEL, 0, 4);  // every item enabled
  pointAt(main, kInEditor);
  rightClick();
  HWND menu = waitForPopupMenu();
  ASSERT_NE(menu, nullptr);
  saveScreenshot(menu, "editing-context-menu");
  for (int i = 0; i < 5; ++i) pressKey(VK_DOWN);  // the fifth, Izberi vse
  pressKey(VK_RETURN);
  ASSERT_NE(waitForPopupMenu(false), nullptr);
  EXPECT_EQ(selection(diary.editor()), (std::pair<LONG, LONG>{0, 7}));
  SendMessageW(diary.editor(), EM_SETSEL, 0, 4);
  rightClick();
  ASSERT_NE(waitForPopupMenu(), nullptr);
  pressKey(VK_DOWN);  // Izreži
  pressKey(VK_RETURN);
  ASSERT_NE(waitForPopupMenu(false), nullptr);
  EXPECT_EQ(diary.editorText(), L"dva");
  closeDiary(diary);
}
