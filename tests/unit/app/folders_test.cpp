#include <gtest/gtest.h>

#include "app/folders.h"
#include "store/file_io.h"
#include "support/scratch.h"

namespace fs = std::filesystem;

TEST(DiaryFolder, TheFirstStartDecidesAndLaterStartsKeepToItWhateverTheFolderDoes) {
  ScratchFolder dir;
  const fs::path program = dir.path() / "Programi" / "Pisarion", user = dir.path() / "user";
  for (bool writableAtFirst : {true, false}) {
    SCOPED_TRACE(writableAtFirst ? "beside the program" : "in the user's folder");
    fs::remove_all(dir.path() / "Programi");
    fs::remove_all(user);
    if (writableAtFirst) fs::create_directories(program);
    else store::writeFilePlain(program.parent_path(), "a file: the program's folder cannot be written");
    const fs::path lives = writableAtFirst ? program : user;
    EXPECT_EQ(app::chooseDiaryFolder(program, [&] { return user; }), lives);
    // Later the folder refuses a write for a moment (an antivirus holding the
    // decision's temporary, here a folder by its name), or it can be written now.
    std::error_code notAFile;
    fs::remove(program.parent_path(), notAFile);
    fs::create_directories(program / (writableAtFirst ? "~Pisarion-mapa.tmp" : ""));
    EXPECT_EQ(app::chooseDiaryFolder(program, [&] { return user; }), lives);
  }
}

