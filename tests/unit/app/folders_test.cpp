#include <gtest/gtest.h>

#include "app/folders.h"
#include "support/scratch.h"

namespace fs = std::filesystem;

// A program folder that refuses writing: here the decision file's
// temporary name is taken by a folder, as an antivirus holding a file may
// refuse it for a moment, or a folder under Program Files for good.
void refuseWriting(const fs::path& folder) { fs::create_directories(folder / "~Pisarion-mapa.tmp"); }
void allowWriting(const fs::path& folder) { fs::remove(folder / "~Pisarion-mapa.tmp"); }

TEST(DiaryFolder, TheFirstStartDecidesAndLaterStartsKeepToItWhateverTheFolderDoes) {
  struct Case {
    const char* what;
    bool writableAtFirst;
    const char* lives;  // after the first start and after the second, when writing is the other way round
  };
  for (const Case c : {Case{"beside the program", true, "program"}, Case{"in the user's folder", false, "user"}}) {
    SCOPED_TRACE(c.what);
    ScratchFolder dir;
    const fs::path program = dir.path() / "program", user = dir.path() / "user";
    fs::create_directories(program);
    if (!c.writableAtFirst) refuseWriting(program);
    const auto perUser = [&] { return user; };
    EXPECT_EQ(app::chooseDiaryFolder(program, perUser), dir.path() / c.lives);
    if (c.writableAtFirst) refuseWriting(program);
    else allowWriting(program);
    EXPECT_EQ(app::chooseDiaryFolder(program, perUser), dir.path() / c.lives);
    // A copy of the program in another folder decides for itself.
    fs::create_directories(dir.path() / "copy");
    EXPECT_EQ(app::chooseDiaryFolder(dir.path() / "copy", perUser), dir.path() / "copy");
  }
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
