#include <gtest/gtest.h>

#include "app/folders.h"
#include "support/scratch.h"

namespace fs = std::filesystem;

TEST(DiaryFolder, BesideTheProgramWhenThatFolderCanBeWritten) {
  ScratchFolder dir;
  EXPECT_TRUE(app::isWritableFolder(dir.path()));
  EXPECT_EQ(app::chooseDiaryFolder(dir.path(), dir.path() / "user"), dir.path());
  EXPECT_FALSE(fs::exists(dir.path() / "user"));
  EXPECT_TRUE(fs::is_empty(dir.path()));  // the probe leaves nothing behind
}

TEST(DiaryFolder, PerUserFolderWhenTheProgramFolderCannotBeWrittenKeepingTheInstalledSettings) {
  ScratchFolder dir;
  // A program folder that cannot be written to: here, one whose path runs through a file.
  dir.write("Program Files", "not a folder");
  const fs::path program = dir.path() / "Program Files" / "Pisarion";
  EXPECT_FALSE(app::isWritableFolder(program));
  const fs::path user = dir.path() / "AppData" / "Pisarion";
  EXPECT_EQ(app::chooseDiaryFolder(program, user), user);
  EXPECT_TRUE(fs::is_directory(user));
}

TEST(DiaryFolder, SettingsPlacedBesideTheProgramAreCarriedToTheUsersFolderOnce) {
  ScratchFolder dir;
  const fs::path program = dir.path() / "program";
  dir.write("program/Podatki.ini", "installed");
  // Nothing can be written where the write probe's name is taken by a folder.
  fs::create_directories(program / "~Pisarion-write-test.tmp");
  ASSERT_FALSE(app::isWritableFolder(program));
  const fs::path user = dir.path() / "user";
  EXPECT_EQ(app::chooseDiaryFolder(program, user), user);
  EXPECT_EQ(dir.read("user/Podatki.ini"), "installed");
  dir.write("user/Podatki.ini", "the user's own");
  EXPECT_EQ(app::chooseDiaryFolder(program, user), user);
  EXPECT_EQ(dir.read("user/Podatki.ini"), "the user's own");
}
