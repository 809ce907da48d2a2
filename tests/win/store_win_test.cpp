// The store's file work on real Windows paths and attributes.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <thread>

#include "store/codec.h"
#include "store/entries.h"
#include "store/file_io.h"
#include "store/settings.h"
#include "support/windows_win.h"

namespace fs = std::filesystem;
using namespace store;

namespace {

struct Scratch {
  fs::path path = fs::temp_directory_path() / L"Pisarion preizkus čšž";
  Scratch() {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

}  // namespace

TEST(StoreOnWindows, AtomicWriteReplacesAnExistingFileInAFolderWithSlovenianLetters) {
  Scratch s;
  const fs::path target = s.path / L"Podatki.ini";
  ASSERT_TRUE(writeFilePlain(target, "old"));
  ASSERT_TRUE(writeFileAtomic(target, "new", s.path / L"ini.tmp"));
  EXPECT_EQ(readFile(target), "new");
  EXPECT_FALSE(fs::exists(s.path / L"ini.tmp"));
}

TEST(StoreOnWindows, HiddenAndSystemFilesAndFoldersAreNotEntries) {
  Scratch s;
  DiaryStore store(s.path);
  ASSERT_TRUE(store.ensureDataFolder());
  for (const wchar_t* name : {L"12-07-2026", L"12-06-2026", L"12-05-2026", L"12-04-2026"})
    ASSERT_TRUE(writeFilePlain(store.dataFolder() / name, ""));
  SetFileAttributesW((store.dataFolder() / L"12-06-2026").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesW((store.dataFolder() / L"12-05-2026").c_str(), FILE_ATTRIBUTE_SYSTEM);
  SetFileAttributesW((store.dataFolder() / L"12-04-2026").c_str(), FILE_ATTRIBUTE_READONLY);
  fs::create_directories(store.dataFolder() / L"12-03-2026");
  store.Rescan();
  EXPECT_EQ(store.listing(), (std::vector<std::string>{"12-04-2026", "12-07-2026"}));
  // The start's listing of one year, by a pattern, sees the same; a year
  // without names is an empty year, not a folder that cannot be read.
  for (const char* year : {"2026", "1999"}) {
    DiaryStore started(s.path);
    ASSERT_TRUE(started.RescanYear(year));
    EXPECT_EQ(started.Days("12", year),
              (year == std::string("2026") ? std::vector<std::string>{"12-04-2026", "12-07-2026"}
                                           : std::vector<std::string>{}));
  }
  SetFileAttributesW((store.dataFolder() / L"12-04-2026").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(StoreOnWindows, SaveAndLoadRoundTripThroughTheTemporaryFile) {
  Scratch s;
  DiaryStore store(s.path);
  ASSERT_TRUE(store.ensureDataFolder());
  const std::string rtf = "{\\rtf1\\ansi\\ansicpg1250 \\'e8\\'9a\\'9e\\par\r\n}\r\n";
  ASSERT_TRUE(store.Save("12-07-2026", rtf));
  const EntryText loaded = store.Load("12-07-2026");
  EXPECT_EQ(loaded.state, EntryState::Read);
  EXPECT_EQ(loaded.rtf, rtf);
  EXPECT_EQ(readFile(store.tempFile()), "\r\n");
  store.Rescan();
  EXPECT_EQ(store.listing(), (std::vector<std::string>{"12-07-2026"}));
}

TEST(StoreOnWindows, SettingsKeepAPasswordThatEncodesToALineBreak) {
  Scratch s;
  Settings in{1500, 3000, true, u"ŤŠgeslo"};
  ASSERT_TRUE(writeSettings(s.path / L"Podatki.ini", in, NumberFormat{u','}, s.path / L"t"));
  Settings out = readSettings(s.path / L"Podatki.ini", NumberFormat{u','});
  EXPECT_EQ(out.password, in.password);
  EXPECT_EQ(out.top, 1500);
  EXPECT_TRUE(out.onTop);
}

TEST(StoreOnWindows, ASettingsFileHeldByAnotherProgramIsWaitedForThenReportedUnreadable) {
  Scratch s;
  const fs::path ini = s.path / L"Podatki.ini";
  ASSERT_TRUE(writeSettings(ini, {0, 0, false, u"skrivno"}, NumberFormat{u','}, s.path / L"t"));
  HANDLE held = winsupport::holdUnshared(ini);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(readSettingsChecked(ini, NumberFormat{u','}, {2, std::chrono::milliseconds(1)}).state, FileState::Unreadable);
  // Released while the reader waits: the password is read after all.
  std::thread releaser([&] {
    Sleep(200);
    CloseHandle(held);
  });
  const SettingsRead read = readSettingsChecked(ini, NumberFormat{u','}, {20, std::chrono::milliseconds(50)});
  releaser.join();
  EXPECT_EQ(read.state, FileState::Read);
  EXPECT_EQ(read.settings.password, u"skrivno");
}

// What a crash left (a hidden one too) goes at the start; days stay.
TEST(StoreOnWindows, TheLeftoversOfACrashGoAndTheDaysStay) {
  Scratch s;
  DiaryStore store(s.path);
  ASSERT_TRUE(store.ensureDataFolder());
  const fs::path left[] = {store.dataFolder() / L"~Pisarion.tmp", s.path / L"~Podatki.ini.tmp"};
  const fs::path kept[] = {store.dataFolder() / L"12-07-2026", s.path / L"~drugo.tmp", s.path / L"Podatki.ini"};
  for (const fs::path& p : left) ASSERT_TRUE(writeFilePlain(p, "x"));
  for (const fs::path& p : kept) ASSERT_TRUE(writeFilePlain(p, "x"));
  SetFileAttributesW(left[0].c_str(), FILE_ATTRIBUTE_HIDDEN);
  store.removeLeftovers();
  for (const fs::path& p : left) EXPECT_FALSE(fs::exists(p)) << p;
  for (const fs::path& p : kept) EXPECT_TRUE(fs::exists(p)) << p;
}

TEST(StoreOnWindows, ADataFolderHeldByAnotherProgramIsNotListedAsEmpty) {
  Scratch s;
  DiaryStore store(s.path);
  ASSERT_TRUE(store.ensureDataFolder());
  ASSERT_TRUE(writeFilePlain(store.dataFolder() / L"12-07-2026", ""));
  ASSERT_TRUE(store.Rescan());
  HANDLE held = winsupport::holdUnshared(store.dataFolder());
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(store.Rescan());
  EXPECT_EQ(store.listing(), (std::vector<std::string>{"12-07-2026"}));
  EXPECT_FALSE(DiaryStore(s.path).RescanYear("2026"));
  CloseHandle(held);
}
