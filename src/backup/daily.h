#pragma once
// The diary's daily backup: on the first start of a day, one .zip of the
// data folder and the settings file, in the folder "Varnostne kopije" beside
// the data folder, named by the date ("2026-12-08.zip"), the newest seven
// kept. The entries go in exactly as they are on disk, still encoded, so a
// backup adds no readable text to the disk. Restoring is unzipping the
// archive over the diary's folder.
//
// Each file is read and deflated in pieces straight into the archive's
// temporary, which takes the day's name only when it is whole: a failure, a
// stop or a crash never leaves a partial archive under a final name.
#include <atomic>
#include <filesystem>
#include <string>

#include "backup/zip.h"
#include "base/date.h"

namespace backup {

namespace fs = std::filesystem;

enum class Outcome {
  Made,           // today's archive was written
  AlreadyMade,    // an earlier start today made it
  NothingToKeep,  // no settings and no entries yet
  Stopped,        // asked to stop before it was done; nothing changed
  Failed,         // something could not be read or written, or the diary outgrew
                  // what an archive holds; nothing changed
};

struct DiaryFiles {
  fs::path dataFolder;    // Podatki
  fs::path settingsFile;  // Podatki.ini
  fs::path backupFolder;  // Varnostne kopije
  fs::path keyFile;       // a sealed diary's key file, so an archive restores on its own
};

struct BackupOptions {
  int keep = 7;                            // archives dated up to today that stay
  const std::atomic<bool>* stop = nullptr;  // looked at between pieces
  ZipLimits limits;
};

// "2026-12-08.zip"
std::string archiveName(const base::Date& day);

Outcome makeDailyBackup(const DiaryFiles& files, const base::DateTime& now, const BackupOptions& options = {});

// Removes the oldest archives beyond `keep`, judged by the date in their
// names against today's: archives named after today (made while the clock
// was wrong) are left alone and never count, so they can never push out
// today's archive; today's is never removed.
void keepNewest(const fs::path& folder, const base::Date& today, int keep);

// A diary just sealed: today's archive made again from the sealed files, and
// only when it is written every older one (they hold the readable entries)
// removed. Made when the new archive replaced the others.
Outcome replaceArchives(const DiaryFiles& files, const base::DateTime& now);

}  // namespace backup
