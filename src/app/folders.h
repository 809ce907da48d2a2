#pragma once
// Where the diary keeps its files: beside the program when that folder can
// be written, otherwise in the user's own application-data folder, so that a
// diary installed under Program Files still works and loses nothing. The
// decision is made once and remembered, so that a folder that refuses a
// write for a moment (an antivirus holding a file) never moves the diary to
// the other folder and back, showing a stale copy there.
#include <filesystem>
#include <functional>

namespace app {

// The file that remembers the decision, in the folder it was made for: the
// program folders whose diary lives in that folder, one to a line.
inline constexpr char kDecisionFile[] = "Pisarion-mapa.txt";

// `programFolder` or the per-user folder, whichever a start before chose for
// this program folder. At the first start the program folder is tried by
// writing the decision there (a refusal is tried again for a moment); the
// per-user folder is chosen only when that keeps failing, and is asked for
// only when the program folder has not been chosen (on Windows that loads
// the shell). Only decides: the per-user folder is filled by
// carryToUserFolder once this diary holds it.
std::filesystem::path chooseDiaryFolder(const std::filesystem::path& programFolder,
                                        const std::function<std::filesystem::path()>& perUserFolder);

enum class Carry {
  AlreadyThere,  // an earlier start moved the diary
  Moved,         // moved now: everything beside the program was copied
  MovedInPart,   // moved now, but some files could not be copied
};

// The first time the diary lives in the per-user folder, the settings file
// and the entries beside the program are copied there, so the user sees
// the diary they had. Copies only: nothing beside the program is moved,
// changed or deleted, and nothing already in the per-user folder is
// overwritten.
Carry carryToUserFolder(const std::filesystem::path& programFolder, const std::filesystem::path& perUserFolder);

}  // namespace app
