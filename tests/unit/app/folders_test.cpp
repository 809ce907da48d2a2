#include <gtest/gtest.h>

#include "app/folders.h"
#include "store/file_io.h"
#include "support/scratch.h"

namespace fs = std::filesystem;

TEST(DiaryFolder, TheFirstStartDecidesAndLaterStartsKeepToItWhateverTheFolderDoes) {
  ScratchFolder dir;
  const fs::path user = dir.path() / "user";
  const auto perUser = [&] { return user; };
  struct Case {
    const char* what;
    fs::path program;
    void (*first)(const fs::path&), (*later)(const fs::path&);
    fs::path lives;
  };
  const Case cases[] = {
      // Later a write is refused for a moment: an antivirus holding the
      // decision's temporary (here a folder by its name).
      {"beside the program", dir.path() / "program", [](const fs::path& p) { fs::create_directories(p); },
       [](const fs::path& p) { fs::create_directories(p / "~Pisarion-mapa.tmp"); }, dir.path() / "program"},
      // At first it cannot be written (its path runs through a file), later it can.
      {"in the user's folder", dir.path() / "Program Files" / "Pisarion",
       [](const fs::path& p) { store::writeFilePlain(p.parent_path(), "not a folder"); },
       [](const fs::path& p) {
         fs::remove(p.parent_path());
         fs::create_directories(p);
       },
       user},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.first(c.program);
    EXPECT_EQ(app::chooseDiaryFolder(c.program, perUser), c.lives);
    c.later(c.program);
    EXPECT_EQ(app::chooseDiaryFolder(c.program, perUser), c.lives);
  }
  // A copy of the program in another folder decides for itself.
  fs::create_directories(dir.path() / "copy");
  EXPECT_EQ(app::chooseDiaryFolder(dir.path() / "copy", perUser), dir.path() / "copy");
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
