#pragma once
// Where the diary keeps its files: beside the program when that folder can
// be written, otherwise in the user's own application-data folder, so that a
// diary installed under Program Files still works and loses nothing.
#include <filesystem>

namespace app {

bool isWritableFolder(const std::filesystem::path& folder);

// `programFolder` when writable; else `perUserFolder` (created when missing).
// A settings file placed beside the program is copied to the per-user folder
// the first time, so its position and password still count.
std::filesystem::path chooseDiaryFolder(const std::filesystem::path& programFolder,
                                        const std::filesystem::path& perUserFolder);

}  // namespace app
