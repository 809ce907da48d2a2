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
// Under a virtual display without a window manager, Wine waits two seconds
// for each window it hides to be withdrawn, the question's box included.
bool waitGone(Diary& diary, HWND dialog, int timeoutMs = 12000) {
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

// Logs in, opens the dialog from the toolbar and gives the current password:
// the dialog, grown to ask for the new one; nullptr when a step failed.
HWND openConfirmed(Diary& diary, const std::wstring& password) {
  logIn(diary, password);
  HWND main = diary.waitForWindow("frmMain", 60000);
  if (!main) return nullptr;
  waitUntil([&] { return GetForegroundWindow() == main; }, 3000);
  click(main, kPasswordButton);
  HWND dialog = diary.waitForWindow("frmSpremeniGeslo");
  if (!dialog) return nullptr;
  typeText(password);
  pressKey(VK_RETURN);
  return waitUntil([&] { return heightOf(dialog) == 153; }) ? dialog : nullptr;
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
  // Kept at once, before the close; locking the diary on disk is offered.
  box = diary.waitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Diary::messageBoxText(box).find(L"šifrira"), std::wstring::npos);
  EXPECT_EQ(diary.readSettings().password, u"Novo2");
  PostMessageW(box, WM_COMMAND, IDNO, 0);
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
  HWND main = diary.startMain();
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

namespace {

std::wstring clipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT))
    if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
      text = p;
      GlobalUnlock(h);
    }
  CloseClipboard();
  return text;
}

bool holds(const std::optional<std::string>& bytes, const std::string& what) {
  return bytes && bytes->find(what) != std::string::npos;
}

}  // namespace

// Locking the diary on disk with the real program: the question, the
// recovery code copied from its window, every day sealed and the password
// gone from the settings; the recovery code opens it and a new password is
// asked for; /izvoz asks for the new one.
TEST(ChangePasswordEndToEnd, SealedOnDiskOpenedByTheRecoveryCodeAndExportedWithTheNewPassword) {
  Diary diary;
  diary.writeEntry("11-03-2026", "{\\rtf1\\ansi Skrivnost novembra\\par\r\n}\r\n");
  diary.writeSettings({1500, 3000, false, u"Staro1"});
  ASSERT_TRUE(diary.start());
  HWND dialog = openConfirmed(diary, L"Staro1");
  ASSERT_NE(dialog, nullptr);
  typeText(L"Geslo7");
  pressKey(VK_RETURN);
  typeText(L"Geslo7");
  pressKey(VK_RETURN);
  HWND box = diary.waitForMessageBox();
  ASSERT_NE(box, nullptr);
  toFront(box);
  pressKey(VK_RETURN);  // yes is the question's default

  HWND code = diary.waitForWindow("frmObnovitev", 60000);
  ASSERT_NE(code, nullptr);
  saveScreenshot(code, "recovery-code");
  click(code, {95, 126});  // Kopiraj
  ASSERT_TRUE(waitUntil([] { return clipboardText().size() == 29; }));
  const std::wstring recovery = clipboardText();
  toFront(code);
  pressKey(VK_RETURN);
  EXPECT_TRUE(waitUntil([&] { return !diary.window("frmObnovitev"); }));
  box = diary.waitForMessageBox(60000);  // the archives replaced
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Diary::messageBoxText(box).find(L"šifriran"), std::wstring::npos);
  dismiss(box);
  // Sealed through: the password leaves the settings file.
  ASSERT_TRUE(waitUntil([&] { return diary.readSettings().password.empty(); }, 60000));
  closeDiary(diary);
  EXPECT_TRUE(diary.readFile("Podatki.kljuc"));
  EXPECT_FALSE(holds(diary.decodedEntry("11-03-2026"), "Skrivnost"));
  EXPECT_FALSE(holds(diary.readFile("Podatki/11-03-2026"), "Skrivnost"));

  ASSERT_TRUE(diary.start());
  logIn(diary, recovery);
  ASSERT_NE(diary.waitForWindow("frmMain", 60000), nullptr);
  dialog = diary.waitForWindow("frmSpremeniGeslo", 60000);
  ASSERT_NE(dialog, nullptr);
  toFront(dialog);
  typeText(L"Tretje");
  pressKey(VK_RETURN);
  typeText(L"Tretje");
  pressKey(VK_RETURN);
  EXPECT_TRUE(waitGone(diary, dialog, 60000));
  closeDiary(diary);

  const fs::path out = diary.folder() / "izvoz.txt";
  ASSERT_TRUE(diary.start(L"/izvoz \"" + out.wstring() + L"\""));
  logIn(diary, L"Tretje");
  box = diary.waitForMessageBox(60000);
  ASSERT_NE(box, nullptr);
  dismiss(box);
  EXPECT_EQ(diary.waitForExit(), 0u);
  EXPECT_TRUE(holds(diary.readFile("izvoz.txt"), "Skrivnost novembra"));
}

// A diary sealed by the native build (OpenSSL) opens in the program (CNG).
TEST(ChangePasswordEndToEnd, ADiarySealedNativelyIsExportedByTheProgram) {
  Diary diary;
  fs::copy(fs::path(PISARION_SOURCE_DIR) / "tests/data/sealed/openssl", diary.folder(),
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  const fs::path out = diary.folder() / "izvoz.txt";
  ASSERT_TRUE(diary.start(L"/izvoz \"" + out.wstring() + L"\""));
  logIn(diary, L"Geslo čž 7");
  HWND box = diary.waitForMessageBox(60000);
  ASSERT_NE(box, nullptr);
  dismiss(box);
  EXPECT_EQ(diary.waitForExit(), 0u);
  const auto text = diary.readFile("izvoz.txt");
  EXPECT_TRUE(holds(text, "zapis")) << text.value_or("<none>");
}

// The password emptied twice on a sealed diary, and yes: every day back in
// the keyless form, the key file gone, the next start without a password.
TEST(ChangePasswordEndToEnd, ASealedDiaryIsUnsealedByEmptyingThePassword) {
  Diary diary;
  fs::copy(fs::path(PISARION_SOURCE_DIR) / "tests/data/sealed/openssl", diary.folder(),
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  ASSERT_TRUE(diary.start());
  ASSERT_NE(openConfirmed(diary, L"Geslo čž 7"), nullptr);
  pressKey(VK_RETURN);
  pressKey(VK_RETURN);
  HWND box = diary.waitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Diary::messageBoxText(box).find(L"odšifrira"), std::wstring::npos);
  PostMessageW(box, WM_COMMAND, IDYES, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); }));
  box = diary.waitForMessageBox(60000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Diary::messageBoxText(box), L"Dnevnik je odšifriran.");
  dismiss(box);
  closeDiary(diary);
  EXPECT_FALSE(diary.readFile("Podatki.kljuc"));
  EXPECT_TRUE(holds(diary.decodedEntry("12-24-2026"), "zapis"));

  ASSERT_TRUE(diary.start());
  EXPECT_NE(diary.waitForWindow("frmMain", 60000), nullptr);
  EXPECT_FALSE(diary.window("frmGeslo"));
  closeDiary(diary);
}
