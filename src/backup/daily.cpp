#include "backup/daily.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <system_error>
#include <vector>

#include "backup/zip.h"
#include "store/file_io.h"
#include "store/listing.h"

namespace backup {
namespace {

// "YYYY-MM-DD.zip": the only files of the backup folder this program ever
// removes are archives it named itself.
bool isArchiveName(const std::string& name) {
  static const char kShape[] = "dddd-dd-dd.zip";
  if (name.size() != sizeof kShape - 1) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    const bool digit = name[i] >= '0' && name[i] <= '9';
    if (kShape[i] == 'd' ? !digit : name[i] != kShape[i]) return false;
  }
  return true;
}

std::string utf8Name(const fs::path& p) {
  const std::u8string u8 = p.filename().u8string();
  return {u8.begin(), u8.end()};
}

// Every ordinary file of the data folder, as its bytes are on disk; nothing
// when the folder or any of its files cannot be read (a partial archive
// must not pass for the day's backup).
std::optional<bool> addDataFolder(ZipWriter& zip, const fs::path& folder) {
  std::error_code ec;
  if (fs::symlink_status(folder, ec).type() == fs::file_type::not_found) return false;
  std::vector<fs::path> files;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeEc;
    if (it->is_regular_file(typeEc) && !store::isTemporaryName(utf8Name(it->path()))) files.push_back(it->path());
  }
  if (ec) return std::nullopt;
  std::sort(files.begin(), files.end());
  const std::string prefix = utf8Name(folder) + "/";
  for (const fs::path& f : files) {
    auto bytes = store::readFile(f);
    if (!bytes || !zip.add(prefix + utf8Name(f), *bytes)) return std::nullopt;
  }
  return !files.empty();
}

std::optional<bool> addSettings(ZipWriter& zip, const fs::path& file) {
  store::FileRead read = store::readExistingFile(file);
  if (read.state == store::FileState::Missing) return false;
  if (read.state == store::FileState::Unreadable || !zip.add(utf8Name(file), read.bytes)) return std::nullopt;
  return true;
}

void keepNewest(const fs::path& folder, int keep) {
  std::vector<std::string> names;
  std::vector<fs::path> leftovers;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeEc;
    const std::string name = utf8Name(it->path());
    if (!it->is_regular_file(typeEc)) continue;
    if (isArchiveName(name)) names.push_back(name);
    else if (store::isTemporaryName(name)) leftovers.push_back(it->path());  // a crash while writing one
  }
  for (const fs::path& p : leftovers) fs::remove(p, ec);
  std::sort(names.begin(), names.end(), std::greater<>());
  for (size_t i = static_cast<size_t>(std::max(keep, 1)); i < names.size(); ++i)
    fs::remove(folder / fs::path(std::u8string(names[i].begin(), names[i].end())), ec);
}

}  // namespace

std::string archiveName(const base::Date& day) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d.zip", day.year, day.month, day.day);
  return buf;
}

Outcome makeDailyBackup(const DiaryFiles& files, const base::DateTime& now, int keep) {
  const fs::path archive = files.backupFolder / archiveName(now.date);
  std::error_code ec;
  if (fs::exists(archive, ec)) return Outcome::AlreadyMade;
  ZipWriter zip(now);
  const auto settings = addSettings(zip, files.settingsFile);
  const auto entries = addDataFolder(zip, files.dataFolder);
  if (!settings || !entries) return Outcome::Failed;
  if (!*settings && !*entries) return Outcome::NothingToKeep;
  const auto bytes = zip.finish();
  fs::create_directories(files.backupFolder, ec);
  // Written whole under a temporary name first: a crash never leaves half an
  // archive under the day's name.
  if (!bytes || !store::writeFileAtomic(archive, *bytes, files.backupFolder / ("~" + archiveName(now.date) + ".tmp")))
    return Outcome::Failed;
  keepNewest(files.backupFolder, keep);
  return Outcome::Made;
}

}  // namespace backup
