#pragma once
// Where the diary keeps its files: beside the program when that folder can
// be written, otherwise in the user's own application-data folder, so that a
// diary installed under Program Files still works and loses nothing.
#include <filesystem>
#include <functional>

namespace app {

bool isWritableFolder(const std::filesystem::path& folder);

// `programFolder` when writable, else the per-user folder, which is asked
// for only then (on Windows that loads the shell). Only decides: the
// per-user folder is filled by carryToUserFolder once this diary holds it.
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
