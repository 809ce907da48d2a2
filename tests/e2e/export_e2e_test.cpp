// The diary exported by the real Pisarion.exe: from the command line, through
// a locked diary's login, and with Ctrl+E through the real Save As dialog.
#include <gtest/gtest.h>

#include "e2e_support.h"

using namespace e2e;

namespace {

const char* kYesterday = "{\\rtf1\\ansi\\ansicpg1250{\\colortbl ;\\red255\\green0\\blue0;}\\cf1 Rde\\'e8e {\\b \\'9eaba}\\par\r\n}";

std::wstring quoted(const fs::path& p) { return L"\"" + p.wstring() + L"\""; }

// The file's content once it has appeared (the diary may still be writing).
std::string waitForFile(const Diary& diary, const fs::path& name) {
  std::string content;
  waitUntil([&] {
    content = diary.readFile(name).value_or("");
    return !content.empty();
  });
  return content;
}

}  // namespace

TEST(ExportEndToEnd, TheCommandLineWritesEachFormatAndEndsWithZero) {
  Diary diary;
  diary.writeEntry("06-30-2026", kYesterday);
  const std::pair<const char*, const char*> cases[] = {
      {"d.html", "<h2>torek, 30. junij 2026</h2>\n<p><span style=\"color:#ff0000\">Rdeče <b>žaba</b></span></p>"},
      {"d.rtf", "\\b\\i0\\ulnone\\cf0\\f0\\fs24 torek, 30. junij 2026"},
      {"d.txt", "\xEF\xBB\xBFtorek, 30. junij 2026\r\n\r\nRdeče žaba\r\n"}};
  for (const auto& [name, holds] : cases) {
    ASSERT_TRUE(diary.start(L"/izvoz " + quoted(diary.folder() / name)));
    PostMessageW(diary.waitForMessageBox(), WM_COMMAND, IDOK, 0);  // where it went
    EXPECT_EQ(diary.waitForExit(), 0u) << name;
    EXPECT_NE(diary.readFile(name).value_or("").find(holds), std::string::npos) << name;
  }
  EXPECT_FALSE(fs::exists(diary.entryFile(todayKey())));  // the diary itself was not opened
}

TEST(ExportEndToEnd, ALockedDiaryAsksFirstAndEscapeWritesNothing) {
  Diary diary;
  diary.writeSettings({1500, 3000, false, u"Žaba7"});
  diary.writeEntry("06-30-2026", kYesterday);
  ASSERT_TRUE(diary.start(L"/izvoz " + quoted(diary.folder() / "d.html")));
  ASSERT_NE(diary.waitForWindow("frmGeslo"), nullptr);
  pressKey(VK_ESCAPE);
  EXPECT_EQ(diary.waitForExit(), 1u);
  EXPECT_FALSE(fs::exists(diary.folder() / "d.html"));

  ASSERT_TRUE(diary.start(L"/izvoz " + quoted(diary.folder() / "d.html")));
  HWND login = diary.waitForWindow("frmGeslo");
  ASSERT_NE(login, nullptr);
  typeText(L"Žaba7");
  saveScreenshot(login, "export-login");
  pressKey(VK_RETURN);
  PostMessageW(diary.waitForMessageBox(), WM_COMMAND, IDOK, 0);  // where it went
  EXPECT_EQ(diary.waitForExit(), 0u);
  EXPECT_NE(diary.readFile("d.html").value_or("").find("<b>žaba</b>"), std::string::npos);
  EXPECT_EQ(diary.window("frmMain"), nullptr);
}

TEST(ExportEndToEnd, CtrlEGoesThroughTheSaveAsDialog) {
  Diary diary;
  diary.writeEntry("06-30-2026", kYesterday);
  HWND main = diary.startMain();
  ASSERT_NE(main, nullptr);
  typeText(L"Danes piše");
  pressCtrlKey('E');
  HWND dialog = diary.waitForMessageBox();  // the common dialogs share the dialog class
  ASSERT_NE(dialog, nullptr);
  saveScreenshot(dialog, "export-save-as");
  wchar_t name[MAX_PATH] = {};
  GetDlgItemTextW(dialog, 0x47C, name, MAX_PATH);  // the file name box
  if (!*name) GetDlgItemTextW(dialog, 0x480, name, MAX_PATH);
  EXPECT_STREQ(name, L"Pisarion.html");
  // The name box has the keys and its proposal selected: typing replaces it.
  typeText((diary.folder() / "izvoz.rtf").wstring());
  pressKey(VK_RETURN);
  const std::string rtf = waitForFile(diary, "izvoz.rtf");
  EXPECT_NE(rtf.find("torek, 30. junij 2026"), std::string::npos);
  EXPECT_NE(rtf.find("Danes pi\\'9ae"), std::string::npos);  // today's writing was saved first
  HWND box = diary.waitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_NE(Diary::messageBoxText(box).find(L"V njej sta 2 dneva."), std::wstring::npos) << Diary::messageBoxText(box);
  saveScreenshot(box, "export-done");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(waitUntil([&] { return !IsWindow(box); }));
  EXPECT_EQ(diary.editorText(), L"Danes piše");
  closeDiary(diary);
}
