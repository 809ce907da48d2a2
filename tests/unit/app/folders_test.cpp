#include <gtest/gtest.h>

#include "app/folders.h"
#include "support/scratch.h"

namespace fs = std::filesystem;

TEST(DiaryFolder, BesideTheProgramWhenThatFolderCanBeWritten) {
  ScratchFolder dir;
  EXPECT_TRUE(app::isWritableFolder(dir.path()));
  bool asked = false;
  const auto user = [&] {
    asked = true;
    return dir.path() / "user";
  };
  EXPECT_EQ(app::chooseDiaryFolder(dir.path(), user), dir.path());
  EXPECT_FALSE(asked);
  EXPECT_FALSE(fs::exists(dir.path() / "user"));
  EXPECT_TRUE(fs::is_empty(dir.path()));  // the probe leaves nothing behind
}

TEST(DiaryFolder, PerUserFolderWhenTheProgramFolderCannotBeWritten) {
  ScratchFolder dir;
  // A program folder that cannot be written to: here, one whose path runs through a file.
  dir.write("Program Files", "not a folder");
  const fs::path program = dir.path() / "Program Files" / "Pisarion";
  EXPECT_FALSE(app::isWritableFolder(program));
  const fs::path user = dir.path() / "AppData" / "Pisarion";
  EXPECT_EQ(app::chooseDiaryFolder(program, [&] { return user; }), user);
}

TEST(DiaryFolder, TheDiaryBesideTheProgramIsCopiedToTheUsersFolderOnceAndLeftInPlace) {
  ScratchFolder dir;
  dir.write("program/Podatki.ini", "installed");
  dir.write("program/Podatki/12-05-2026", "encoded entry");
  const fs::path program = dir.path() / "program", user = dir.path() / "user";
  EXPECT_EQ(app::carryToUserFolder(program, user), app::Carry::Moved);
  EXPECT_EQ(dir.read("user/Podatki.ini"), "installed");
  EXPECT_EQ(dir.read("user/Podatki/12-05-2026"), "encoded entry");
  EXPECT_EQ(dir.read("program/Podatki/12-05-2026"), "encoded entry");  // copied, not moved
  // Later starts copy nothing again, not even over what the diary wrote since.
  dir.write("user/Podatki/12-05-2026", "written since");
  dir.write("program/Podatki/12-07-2026", "appeared later");
  EXPECT_EQ(app::carryToUserFolder(program, user), app::Carry::AlreadyThere);
  EXPECT_EQ(dir.read("user/Podatki/12-05-2026"), "written since");
  EXPECT_FALSE(fs::exists(user / "Podatki" / "12-07-2026"));
}
