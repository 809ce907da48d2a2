// Changing the password with the real program and real input: the dialog
// opened from the toolbar, its messages, its growth, and the new password
// asked for at the next start.
#include <gtest/gtest.h>

#include "e2e_support.h"

using namespace e2e;

namespace {

// The password button, in the main window's client pixels.
constexpr POINT kPasswordButton{15 + 20, 19 + 19};

int heightOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r.bottom - r.top;
}

// Waits for the dialog to leave the screen; false when it is still there.
bool waitGone(Diary& diary, HWND dialog, int timeoutMs = 5000) {
  if (waitUntil([&] { return !diary.window("frmSpremeniGeslo"); }, timeoutMs)) return true;
  RECT r{};
  GetWindowRect(dialog, &r);
  ADD_FAILURE() << "still shown at " << r.left << "," << r.top << " " << r.right - r.left << "x" << r.bottom - r.top;
  return false;
}

void dismiss(HWND box) {
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(waitUntil([&] { return !IsWindow(box); }));
}

// Brings the window to the front for the keys that follow.
void toFront(HWND w) {
  SetForegroundWindow(w);
  waitUntil([&] { return GetForegroundWindow() == w; }, 3000);
}

// Types and waits until the window shows what was typed.
void typeShown(HWND w, const std::wstring& text) {
  const gui::Surface before = screenshot(w);
  typeText(text);
  EXPECT_TRUE(waitForChange(w, before));
}

void logIn(Diary& diary, const std::wstring& password) {
  HWND login = diary.waitForWindow("frmGeslo");
  ASSERT_NE(login, nullptr);
  toFront(login);
  typeText(password);
  pressKey(VK_RETURN);
}


}  // namespace

TEST(ChangePasswordEndToEnd, TheNewPasswordIsAskedForAtTheNextStart) {
  Diary diary;
  diary.writeSettings({1500, 3000, false, u"Staro1"});
  ASSERT_TRUE(diary.start());
  logIn(diary, L"Staro1");
  HWND main = diary.waitForWindow("frmMain");
  ASSERT_NE(main, nullptr);
  waitUntil([&] { return GetForegroundWindow() == main; }, 3000);

  click(main, kPasswordButton);
  HWND dialog = diary.waitForWindow("frmSpremeniGeslo");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(waitUntil([&] { return heightOf(dialog) == 75; }));
  EXPECT_FALSE(IsWindowEnabled(main));
  saveScreenshot(dialog, "change-password-open");

  typeShown(dialog, L"narobe");
  saveScreenshot(dialog, "change-password-wrong-typed");
  pressKey(VK_RETURN);
  HWND box = diary.waitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Diary::messageBoxText(box), L"Geslo ni pravilno!!!");
  dismiss(box);

  toFront(dialog);
  saveScreenshot(dialog, "change-password-wrong-emptied");  // the field empty, its label back
  typeText(L"Staro1");
  pressKey(VK_RETURN);
  EXPECT_TRUE(waitUntil([&] { return heightOf(dialog) == 153; }));
  saveScreenshot(dialog, "change-password-grown");

  typeText(L"Novo2");
  pressKey(VK_RETURN);
  typeText(L"Novo3");
  pressKey(VK_RETURN);
  box = diary.waitForMessageBox();
  ASSERT_NE(box, nullptr);
  const std::wstring mismatch = Diary::messageBoxText(box);
  EXPECT_NE(mismatch.find(L"Gesli se ne ujemata!"), std::wstring::npos);
  EXPECT_NE(mismatch.find(L"Poskusite znova"), std::wstring::npos);
  saveScreenshot(box, "change-password-mismatch");
  dismiss(box);
  EXPECT_FALSE(IsWindowEnabled(main));  // still waiting for the dialog

  toFront(dialog);
  typeText(L"Novo2");
  pressKey(VK_RETURN);
  typeShown(dialog, L"Novo2");
  saveScreenshot(dialog, "change-password-repeat-typed");
  pressKey(VK_RETURN);
  saveScreenshot(dialog, "change-password-changed");  // told before it slides away
  EXPECT_TRUE(waitGone(diary, dialog));
  EXPECT_TRUE(IsWindowEnabled(main));
  closeDiary(diary);
  EXPECT_EQ(diary.readSettings().password, u"Novo2");

  ASSERT_TRUE(diary.start());
  logIn(diary, L"Staro1");
  box = diary.waitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Diary::messageBoxText(box), L"Geslo je napačno!!!");
  dismiss(box);
  logIn(diary, L"Novo2");
  ASSERT_NE(diary.waitForWindow("frmMain"), nullptr);
  closeDiary(diary);
}

TEST(ChangePasswordEndToEnd, EscapeLeavesThePasswordAsItWas) {
  Diary diary;
  diary.writeSettings({1500, 3000, false, u""});
  ASSERT_TRUE(diary.start());
  HWND main = diary.waitForWindow("frmMain");
  ASSERT_NE(main, nullptr);
  waitUntil([&] { return GetForegroundWindow() == main; }, 3000);
  click(main, kPasswordButton);
  HWND dialog = diary.waitForWindow("frmSpremeniGeslo");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(waitUntil([&] { return heightOf(dialog) == 75; }));
  pressKey(VK_RETURN);  // no password yet: the empty one is right
  EXPECT_TRUE(waitUntil([&] { return heightOf(dialog) == 153; }));
  typeText(L"abc");
  pressKey(VK_ESCAPE);
  EXPECT_TRUE(waitGone(diary, dialog));
  EXPECT_TRUE(IsWindowEnabled(main));
  closeDiary(diary);
  EXPECT_EQ(diary.readSettings().password, u"");
}
