#pragma once
// Exporting the whole diary into one file the user chose: a web page, a
// rich-text document or plain text. The file is written under a temporary
// name beside it and renamed into place only when complete, so a failure
// never leaves half a file and never touches an existing file of that name.
#include <filesystem>
#include <vector>

#include "base/date.h"
#include "export/format.h"
#include "store/sealed.h"

namespace exporting {

enum class Problem {
  None,
  UnknownExtension,  // not .html, .htm, .rtf or .txt
  FolderMissing,     // the folder it should go into does not exist
  IsFolder,          // the name is that of a folder
  IntoDataFolder,    // it would land among the diary's own entry files
  DiaryUnreadable,   // the data folder is there but cannot be listed
  DiskFull,
  CannotWrite,       // refused, locked or failed otherwise; nothing changed
};

struct Outcome {
  Problem problem = Problem::None;
  std::filesystem::path file;  // as given, made absolute
  int days = 0;                // days written
  int skippedNames = 0;        // files of the data folder that are not days
  std::vector<base::Date> damaged;  // days written only as far as they could be read

  bool written() const { return problem == Problem::None; }
};

// The format chosen by the file's extension.
// A sealed diary's days open with `key`.
Outcome exportDiary(const std::filesystem::path& dataFolder, const std::filesystem::path& file,
                    const store::SecretKey* key = nullptr);
Outcome exportDiary(const std::filesystem::path& dataFolder, const std::filesystem::path& file, Format format,
                    const store::SecretKey* key = nullptr);

}  // namespace exporting
