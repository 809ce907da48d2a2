// One writer per diary and nothing lost, with the real program: a second
// diary from another Wine prefix (another wineserver, as another account or
// computer would be) on the same folder, a day rewritten on disk under a
// running diary, and libraries planted beside the program.
#include <gtest/gtest.h>

#include "e2e_support.h"

using namespace e2e;

namespace {

// Starts the runner in the other prefix, a Unix program Wine starts for us;
// answers what it wrote once the second diary has ended ("" on a timeout:
// the first start of that prefix sets it up, which takes a while).
std::string runInOtherPrefix(const Diary& diary) {
  const fs::path result = diary.folder() / L"drugi.txt";
  const std::string prefix = OTHER_PREFIX;  // a Unix path, for the script
  std::wstring cmd = L"\"" + hostPath(IN_OTHER_PREFIX).wstring() + L"\" \"" +
                     std::wstring(prefix.begin(), prefix.end()) + L"\" \"" + hostPath(OTHER_PREFIX_RUNNER).wstring() +
                     L"\" \"" + diary.folder().wstring() + L"\" \"" + result.wstring() + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return "";
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  std::string seen;
  waitUntil(
      [&] {
        seen = store::readFile(result).value_or("");
        return seen.find("exit: ") != std::string::npos;
      },
      300000);
  return seen;
}

}  // namespace

TEST(OneWriterEndToEnd, ADiaryFromAnotherPrefixOnTheSameFolderSaysSoAndWritesNothing) {
  Diary diary(hostPath(BUILD_FOLDER));  // a folder both prefixes see at the same path
  ASSERT_TRUE(diary.start());
  ASSERT_NE(diary.waitForWindow("frmMain"), nullptr);
  typeText(L"Prvi piše");
  // A temporary as a save under way leaves it (named apart from the first
  // diary's own, which its autosave would use up): a start clears such
  // leftovers only when no other diary has the folder.
  const fs::path halfSave = diary.folder() / L"Podatki" / L"~napol shranjeno.tmp";
  store::writeFilePlain(halfSave, "the first diary's save under way");

  const std::string seen = runInOtherPrefix(diary);
  EXPECT_NE(seen.find("box: Dnevnik v mapi"), std::string::npos) << seen;
  EXPECT_NE(seen.find("je že odprt drugje"), std::string::npos) << seen;
  EXPECT_EQ(seen.find("opened"), std::string::npos) << seen;
  EXPECT_NE(seen.find("exit: 1\n"), std::string::npos) << seen;
  EXPECT_EQ(store::readFile(halfSave), "the first diary's save under way");  // its start cleared nothing

  closeDiary(diary);
  EXPECT_NE(diary.decodedEntry(todayKey()).value_or("").find("Prvi pi\\'9ae"), std::string::npos);
  EXPECT_FALSE(fs::exists(diary.folder() / L"Podatki" / L"~Pisarion-odprt.tmp"));  // the lock went with it
}

TEST(OneWriterEndToEnd, ADayRewrittenOnDiskUnderTheRunningDiaryIsKeptBesideIt) {
  Diary diary;
  ASSERT_TRUE(diary.start());
  ASSERT_NE(diary.waitForWindow("frmMain"), nullptr);
  typeText(L"Moje besedilo");
  // A sync tool brings another computer's version of today.
  diary.writeEntry(todayKey(), "{\\rtf1\\ansi Tuje besedilo\\par\r\n}\r\n");
  const auto theirs = diary.readFile(fs::path(L"Podatki") / todayKey());
  PostMessageW(diary.window("frmMain"), WM_CLOSE, 0, 0);
  HWND box = diary.waitForMessageBox();
  ASSERT_NE(box, nullptr);
  const std::wstring told = Diary::messageBoxText(box);
  EXPECT_NE(told.find(L"druga različica"), std::wstring::npos) << told;
  saveScreenshot(box, "day-kept-aside");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(diary.waitForExit(), 0u);
  EXPECT_NE(diary.decodedEntry(todayKey()).value_or("").find("Moje besedilo"), std::string::npos);
  const std::string key = todayKey();
  EXPECT_EQ(diary.readFile(fs::path(L"Podatki") / fs::path(u8"~" + std::u8string(key.begin(), key.end()) +
                                                          u8" (druga različica)")),
            theirs);
}

TEST(OneWriterEndToEnd, ARichTextLibraryPlantedBesideTheProgramIsNeverLoaded) {
  Diary diary;
  fs::copy_file(hostPath(PLANTED_LIBRARY), diary.folder() / L"msftedit.dll");
  ASSERT_TRUE(diary.start());
  ASSERT_NE(diary.waitForWindow("frmMain"), nullptr);  // the system's library: the editor is there
  EXPECT_FALSE(fs::exists(diary.folder() / L"msftedit.dll.loaded"));
  closeDiary(diary);
}
