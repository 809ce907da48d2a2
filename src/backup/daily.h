#pragma once
// The diary's daily backup: on the first start of a day, one .zip of the
// data folder and the settings file, in the folder "Varnostne kopije" beside
// the data folder, named by the date ("2026-12-08.zip"), the newest seven
// kept. The entries go in exactly as they are on disk, still encoded, so a
// backup adds no readable text to the disk. Restoring is unzipping the
// archive over the diary's folder.
#include <filesystem>
#include <string>

#include "base/date.h"

namespace backup {

namespace fs = std::filesystem;

enum class Outcome {
  Made,           // today's archive was written
  AlreadyMade,    // an earlier start today made it
  NothingToKeep,  // no settings and no entries yet
  Failed,         // something could not be read or written; nothing changed
};

struct DiaryFiles {
  fs::path dataFolder;    // Podatki
  fs::path settingsFile;  // Podatki.ini
  fs::path backupFolder;  // Varnostne kopije
};

// "2026-12-08.zip"
std::string archiveName(const base::Date& day);

Outcome makeDailyBackup(const DiaryFiles& files, const base::DateTime& now, int keep = 7);

}  // namespace backup
