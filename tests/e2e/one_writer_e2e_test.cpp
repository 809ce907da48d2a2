// One writer per diary, nothing lost, nothing planted loaded: the real program
// against another Wine prefix (its own wineserver), another program and a library.
#include <gtest/gtest.h>

#include "e2e_support.h"

using namespace e2e;

// Run by the next test as this program in the other prefix: the diary started
// on the folder given says it is open elsewhere and ends with 1.
TEST(OneWriterEndToEnd, DISABLED_TheSecondWriter) {
  wchar_t folder[MAX_PATH] = {};
  GetEnvironmentVariableW(L"PISARION_FOLDER", folder, MAX_PATH);
  std::wstring cmd = L"\"" + std::wstring(folder) + L"\\Pisarion.exe\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &si, &pi));
  HWND box = nullptr;
  ASSERT_TRUE(waitUntil([&] { return (box = winsupport::visibleWindowOf(pi.dwProcessId, L"#32770")); }, 60000));
  EXPECT_NE(Diary::messageBoxText(box).find(L"je že odprt drugje"), std::wstring::npos) << Diary::messageBoxText(box);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  DWORD code = WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0 && GetExitCodeProcess(pi.hProcess, &code) ? code : 0;
  EXPECT_EQ(code, 1u);
}

TEST(OneWriterEndToEnd, ADiaryFromAnotherPrefixOnTheSameFolderSaysSoAndWritesNothing) {
  Diary diary(hostPath(BUILD_FOLDER));  // a folder both prefixes see at the same path
  ASSERT_TRUE(diary.start());
  ASSERT_NE(diary.waitForWindow("frmMain"), nullptr);
  typeText(L"Prvi piše");
  // Wine starts the Unix script, which runs this program in the other prefix.
  const fs::path report = diary.folder() / L"drugi.xml";
  const std::string prefix = OTHER_PREFIX;
  std::wstring cmd = L"\"" + hostPath(IN_OTHER_PREFIX).wstring() + L"\" " + std::wstring(prefix.begin(), prefix.end()) +
                     L" \"" + hostPath(TEST_E2E).wstring() + L"\" --gtest_also_run_disabled_tests" +
                     L" --gtest_filter=*DISABLED_TheSecondWriter \"--gtest_output=xml:" + report.wstring() + L"\"";
  SetEnvironmentVariableW(L"PISARION_FOLDER", diary.folder().c_str());
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  std::string seen;  // the first start of that prefix sets it up, which takes a while
  waitUntil([&] { return (seen = diary.readFile(report.filename()).value_or("")).find("</testsuites>") != std::string::npos; }, 300000);
  EXPECT_NE(seen.find("tests=\"1\" failures=\"0\""), std::string::npos) << seen;
  closeDiary(diary);
  EXPECT_NE(diary.decodedEntry(todayKey()).value_or("").find("Prvi pi\\'9ae"), std::string::npos);  // nothing lost
}

TEST(OneWriterEndToEnd, ADayRewrittenOnDiskUnderTheRunningDiaryIsKeptBesideIt) {
  Diary diary;
  ASSERT_TRUE(diary.start());
  ASSERT_NE(diary.waitForWindow("frmMain"), nullptr);
  typeText(L"Moje besedilo");
  diary.writeEntry(todayKey(), "{\\rtf1\\ansi Tuje besedilo\\par\r\n}\r\n");  // a sync tool's
  const auto theirs = diary.readFile(fs::path(L"Podatki") / todayKey());
  PostMessageW(diary.window("frmMain"), WM_CLOSE, 0, 0);
  HWND box = diary.waitForMessageBox();
  saveScreenshot(box, "day-kept-aside");
  EXPECT_NE(Diary::messageBoxText(box).find(L"(druga različica)"), std::wstring::npos) << Diary::messageBoxText(box);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(diary.waitForExit(), 0u);
  EXPECT_NE(diary.decodedEntry(todayKey()).value_or("").find("Moje besedilo"), std::string::npos);
  EXPECT_EQ(diary.readFile(fs::path(L"Podatki") / (L"~" + fs::path(todayKey()).wstring() + L" (druga različica)")), theirs);
}

TEST(OneWriterEndToEnd, ARichTextLibraryPlantedBesideTheProgramIsNeverLoaded) {
  Diary diary;
  fs::copy_file(hostPath(PLANTED_LIBRARY), diary.folder() / L"msftedit.dll");
  ASSERT_TRUE(diary.start());
  ASSERT_NE(diary.waitForWindow("frmMain"), nullptr);  // the system's library: the editor is there
  EXPECT_FALSE(fs::exists(diary.folder() / L"msftedit.dll.loaded"));
  closeDiary(diary);
}
